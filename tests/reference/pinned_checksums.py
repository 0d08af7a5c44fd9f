#!/usr/bin/env python3
"""Recomputes the pinned checksums of the filter and colour-gene tests.

A second, deliberately plain implementation of the 27 bitmap filters and of the
fourteen colour-gene modes, written from the rules of those features (not from the
C++ code), in Python with doubles for every real computation. It builds the same
inputs as tests/core/effects/filter_looks_test.cpp and
tests/core/library/texture_factory_test.cpp, prints every checksum in the order of
the tests and marks each against the value pinned there.

    python3 tests/reference/pinned_checksums.py          # table of all values
    python3 tests/reference/pinned_checksums.py --check  # exit 1 on any mismatch

Standard library only.
"""

import math
import os
import re
import struct
import sys

# ---------------------------------------------------------------------------
# Integer helpers: 32-bit signed arithmetic, C division and remainder.


def i32(v):
    v &= 0xFFFFFFFF
    return v - 0x100000000 if v & 0x80000000 else v


def idiv(a, b):
    """C integer division: truncates toward zero."""
    q = abs(a) // abs(b)
    return i32(q if (a >= 0) == (b >= 0) else -q)


def irem(a, b):
    """C remainder: keeps the sign of the dividend."""
    return i32(a - idiv(a, b) * b)


def trunc(x):
    return i32(int(math.trunc(x)))


def single(x):
    """Rounds a double to single precision."""
    return struct.unpack('<f', struct.pack('<f', x))[0]


def clamp255(v):
    return 0 if v < 0 else 255 if v > 255 else v


def absdiff(a, b):
    return abs(a - b)


def fnv1a(data):
    h = 2166136261
    for b in data:
        h = ((h ^ b) * 16777619) & 0xFFFFFFFF
    return h


class RuntimeRandom:
    """The C runtime's 15-bit linear congruential generator."""

    def __init__(self, seed=1):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF


# ---------------------------------------------------------------------------
# The shared numeric helpers. P is the list of the eight parameter bytes.

ANGLE_UNIT = 0.006135923151367188      # radians per unit, 1024 units per turn
ANGLE_SCALE = 162.97466173075898       # units per radian


def Map(P, i, lo, hi):
    return trunc(P[i] * (hi - lo) / 256 + lo)


def Mix(a, b, n, d):
    if d == 0:
        return a
    return trunc(a * n / d + b * (d - n) / d)


def Remap(v, a, b, lo, hi):
    if a == b:
        return hi
    return trunc((hi - lo) / (b - a) * (v - a) + lo)


def Sin512(a):
    return trunc(512 * math.sin(a * ANGLE_UNIT))


def Cos512(a):
    return trunc(512 * math.cos(a * ANGLE_UNIT))


def Rand(rng, a, b):
    r = rng.next()
    return a + trunc(r / 32767 * (b - a) + 0.5)


def Dist(a, b):
    return trunc(math.sqrt(a * a + b * b))


def Angle(x, y):
    if x == 0 and y == 0:
        return 0
    return trunc(math.atan2(y, x) * ANGLE_SCALE)


# ---------------------------------------------------------------------------
# The filter catalogue: (name, defaults) by id.

FILTERS = [
    ("Color - Boost", [74]),
    ("Color - Saturation", [180]),
    ("Color - Balance", [128, 128, 128]),
    ("Color - Contrast", [64, 32]),
    ("Color - Sharpen", [128, 128, 128]),
    ("Color - Antialias", [128, 128, 128]),
    ("Color - Colorize", [162, 129, 87]),
    ("Color - Shift", [19, 60, 150, 43, 99, 255]),
    ("Color - Solarize", [62, 62, 62]),
    ("Color - Quantize", [240, 240, 240]),
    ("Effect -Ebossed", [107, 175, 150]),
    ("Effect - Oil Emboss", [233, 200, 64, 107, 98]),
    ("Effect -Aged Photo", [21, 36, 175, 20, 12, 4]),
    ("Art - Pastel Pop", [192]),
    ("Art - Poster Art", [29, 93, 171]),
    ("Art - Colored", [62, 62, 62]),
    ("Art - Melter", [56, 30, 12, 28]),
    ("Art - Pop Colors", [128, 128, 150, 43, 0, 63]),
    ("Art - 3 Colors", [235, 128, 38]),
    ("Art - Urban Art", [57, 50, 74, 160, 28, 168]),
    ("Art - Neon Art", [128, 128, 128]),
    ("Art - Glowing Edge", [210, 40, 204, 128, 128, 168]),
    ("Art - Oceanic", [15, 90, 140, 128, 128]),
    ("Art - Gradient Poster", [100, 255, 20]),
    ("Special - Mosaic 3", [35]),
    ("Special - Mosaic Soft", [35]),
    ("Special - Mosaic Hard", [35]),
]

BLUE, GREEN, RED = 0, 1, 2


class FilterRun:
    """One run of one filter over a W x H image of blue-green-red-alpha pixels."""

    def __init__(self, pixels, w, h, fid, params, rng, table):
        self.src = bytes(pixels)          # the working copy: rules read only this
        self.out = bytearray(pixels)      # the live image: rules write only this
        self.W, self.H = w, h
        self.fid = fid
        self.P = params
        self.rng = rng
        self.T = table                    # scratch table, kept across pixels

    def N(self, x, y, ch):
        x = 0 if x < 0 else self.W - 1 if x >= self.W else x
        y = 0 if y < 0 else self.H - 1 if y >= self.H else y
        return self.src[(x + y * self.W) * 4 + ch]

    def conv(self, ch, k, d):
        x, y = self.x, self.y
        s = (k[0] * self.N(x - 1, y - 1, ch) + k[1] * self.N(x, y - 1, ch) + k[2] * self.N(x + 1, y - 1, ch)
             + k[3] * self.N(x - 1, y, ch) + k[4] * self.N(x, y, ch) + k[5] * self.N(x + 1, y, ch)
             + k[6] * self.N(x - 1, y + 1, ch) + k[7] * self.N(x, y + 1, ch) + k[8] * self.N(x + 1, y + 1, ch))
        return idiv(s, d if d != 0 else 1)

    def lum(self):
        return (76 * self.R + 150 * self.G + 29 * self.B) >> 8

    def map(self, i, lo, hi):
        return Map(self.P, i, lo, hi)

    def run(self):
        rule = getattr(self, 'rule%d' % self.fid)
        for y in range(self.H):
            for x in range(self.W):
                self.x, self.y = x, y
                at = (x + y * self.W) * 4
                self.B, self.G, self.R = self.src[at], self.src[at + 1], self.src[at + 2]
                written = rule()
                for ch, v in written.items():
                    self.out[at + ch] = clamp255(v)
        return self.out

    # Each rule returns {channel: value} for the channels it writes.

    def rule0(self):  # Boost
        R, G, B = self.R, self.G, self.B
        a = self.map(0, 255, 1)
        return {RED: idiv(Mix(2 * R, B + G, 255, a), 2),
                GREEN: idiv(Mix(2 * G, B + R, 255, a), 2),
                BLUE: idiv(Mix(2 * B, R + G, 255, a), 2)}

    def rule1(self):  # Saturation
        R, G, B = self.R, self.G, self.B
        if R == G or G == B or R == B:
            return {RED: R, GREEN: G, BLUE: B}
        hi, lo = max(R, G, B), min(R, G, B)
        room = min(255 - hi, lo)
        L = self.lum()
        if self.P[0] < 128:
            u = self.map(0, 255, -255)
            f = lambda v: Mix(L, v, u, 255)
        else:
            s = self.map(0, -room, room)
            f = lambda v: Remap(v, lo, hi, lo - s, hi + s)
        return {RED: f(R), GREEN: f(G), BLUE: f(B)}

    def rule2(self):  # Balance
        P = self.P
        return {RED: idiv(P[0] * self.R * 2, 256), GREEN: idiv(P[1] * self.G * 2, 256),
                BLUE: idiv(P[2] * self.B * 2, 256)}

    def rule3(self):  # Contrast
        P = self.P
        f = lambda v: v + absdiff(v, Mix(0, v, P[0], 128)) - absdiff(v, Mix(255, v, P[1], 128))
        return {RED: f(self.R), GREEN: f(self.G), BLUE: f(self.B)}

    def rule4(self):  # Sharpen
        k = (0, -1, 0, -1, 5, -1, 0, -1, 0)
        P = self.P
        return {RED: Mix(self.conv(RED, k, 1), self.R, P[0], 255),
                GREEN: Mix(self.conv(GREEN, k, 1), self.G, P[1], 255),
                BLUE: Mix(self.conv(BLUE, k, 1), self.B, P[2], 255)}

    def rule5(self):  # Antialias
        x, y = self.x, self.y
        res = {}
        for ch, p in ((RED, self.P[0]), (GREEN, self.P[1]), (BLUE, self.P[2])):
            c = self.N(x, y, ch)
            around = (self.N(x - 1, y, ch), self.N(x + 1, y, ch), self.N(x, y - 1, ch), self.N(x, y + 1, ch))
            if any(abs(n - c) > 255 - p for n in around):
                res[ch] = idiv(c + self.N(x, y + 1, ch) + self.N(x + 1, y, ch) + self.N(x - 1, y, ch)
                               + self.N(x, y - 1, ch), 5)
            else:
                res[ch] = c
        return res

    def rule6(self):  # Colorize
        L = self.lum()
        P = self.P
        return {RED: Remap(L, 0, 255, 0, 2 * P[0]), GREEN: Remap(L, 0, 255, 0, 2 * P[1]),
                BLUE: Remap(L, 0, 255, 0, 2 * P[2])}

    def rule7(self):  # Shift
        P, R, G, B = self.P, self.R, self.G, self.B
        r = idiv((idiv((255 - P[1]) * B, 255) + idiv(P[1] * G, 255)) * P[0], 255) + idiv((255 - P[0]) * R, 255)
        g = idiv((idiv((255 - P[3]) * B, 255) + idiv(P[3] * R, 255)) * P[2], 255) + idiv((255 - P[2]) * G, 255)
        b = idiv((idiv((255 - P[5]) * G, 255) + idiv(P[5] * R, 255)) * P[4], 255) + idiv((255 - P[4]) * B, 255)
        return {RED: r, GREEN: g, BLUE: b}

    def rule8(self):  # Solarize
        S = self.R + self.G + self.B
        f = lambda v, p: v + (3 * p - S) if 3 * p >= S else v
        return {RED: f(self.R, self.P[0]), GREEN: f(self.G, self.P[1]), BLUE: f(self.B, self.P[2])}

    def rule9(self):  # Quantize
        f = lambda v, i: v & (255 << self.map(i, 0, 7))
        return {RED: f(self.R, 0), GREEN: f(self.G, 1), BLUE: f(self.B, 2)}

    def rule10(self):  # Embossed
        P = self.P
        hi = self.conv(RED, (0, 0, 0, 0, 1, 1, 0, 1, 1), 4)
        lo = self.conv(RED, (1, 1, 0, 1, 1, 0, 0, 0, 0), 4)
        a = idiv((P[0] + 1) * (hi - lo), 20) + P[1] + P[1] - 255
        return {RED: Mix(self.R, a, P[2], 255), GREEN: Mix(self.G, a, P[2], 255),
                BLUE: Mix(self.B, a, P[2], 255)}

    def rule11(self):  # Oil Emboss
        a = self.conv(RED, (0, 2, 0, 0, 0, 0, 0, -2, 0), 1)
        b = -a
        e = self.conv(RED, (0, 0, 0, 2, 0, -2, 0, 0, 0), 1)
        f = -e
        h = idiv(self.lum(), 2)

        def channel(v, i):
            k = h + absdiff(e, f) + absdiff(a, b) - self.map(i, -20, 60)
            r = Angle(k, v)
            t = r + self.map(1, e, f) + self.map(0, a, b) + 40
            return trunc((t - v) * 192 / 256 + v)
        return {RED: channel(self.R, 2), GREEN: channel(self.G, 3), BLUE: channel(self.B, 4)}

    def rule12(self):  # Aged Photo
        P, T, W, H, x, y = self.P, self.T, self.W, self.H, self.x, self.y
        T[255] = Rand(self.rng, idiv(-P[1], 2), idiv(P[1], 2))
        k = x % 255
        if y == 0 and x <= 254:
            T[k] = Rand(self.rng, idiv(-P[0], 2), idiv(P[0], 2))
        L = self.lum()
        f = trunc(math.sqrt(W * W + H * H) * 0.5)
        f = idiv(f * f, 12)
        g = Dist(y - idiv(H, 2), x - idiv(W, 2))
        return {RED: Mix(L + 30, self.R, P[2], 255) + idiv(i32(g * P[3] * g), f) - T[k] - T[255],
                GREEN: Mix(L, self.G, P[2], 255) + idiv(i32(g * P[4] * g), f) - T[k] - T[255],
                BLUE: Mix(L - 30, self.B, P[2], 255) + idiv(i32(g * P[5] * g), f) - T[k] - T[255]}

    def rule13(self):  # Pastel Pop
        a = self.lum() or 1
        f = lambda v: irem(self.P[0], a) + v
        return {RED: f(self.R), GREEN: f(self.G), BLUE: f(self.B)}

    def rule14(self):  # Poster Art
        R, G, B = self.R, self.G, self.B
        return {RED: Mix(R, R | (B + self.map(0, -128, 128)), 1, 4),
                GREEN: Mix(G, R | (B + self.map(1, -128, 128)), 1, 4),
                BLUE: Mix(B, R | (B + self.map(2, -128, 128)), 1, 4)}

    def rule15(self):  # Colored
        L = self.lum()
        return {RED: self.R ^ absdiff(L, self.P[0]), GREEN: self.G ^ absdiff(L, self.P[1]),
                BLUE: self.B ^ absdiff(L, self.P[2])}

    def rule16(self):  # Melter
        def channel(v, p):
            b = self.map(0, p, idiv(v * 255, 32))
            return 511 - (b & 511) if b & 256 else b & 255
        return {RED: channel(self.R, self.P[1]), GREEN: channel(self.G, self.P[2]),
                BLUE: channel(self.B, self.P[3])}

    def rule17(self):  # Pop Colors
        a = idiv(self.B + self.R + self.G, 3)

        def channel(c, rng):
            if c - rng < a < rng + c:
                return 255 - idiv(absdiff(a, c) * 255, rng)
            return 0
        P = self.P
        return {RED: channel(P[0], P[1]), GREEN: channel(P[2], P[3]), BLUE: channel(P[4], P[5])}

    def rule18(self):  # 3 Colors
        L = self.lum()
        f = lambda p: 0 if p < L else 255
        return {RED: f(self.P[0]), GREEN: f(self.P[1]), BLUE: f(self.P[2])}

    def rule19(self):  # Urban Art
        x, y, W, H, N, P = self.x, self.y, self.W, self.H, self.N, self.P
        res = {}
        for ch, pa, pb in ((RED, P[0], P[1]), (GREEN, P[2], P[3]), (BLUE, P[4], P[5])):
            v = N(x, y, ch)
            res[ch] = Mix(v - N(y, x, ch), N(W - x, H - y, ch) - N(H - y, W - x, ch), pa, pb)
        return res

    def rule20(self):  # Neon Art
        x, y, N = self.x, self.y, self.N
        L = self.lum()
        res = {}
        for ch, p in ((RED, self.P[0]), (GREEN, self.P[1]), (BLUE, self.P[2])):
            v = N(x, y, ch)
            S = sum(absdiff(N(x + dx, y + dy, ch), v)
                    for dy in (-1, 0, 1) for dx in (-1, 0, 1) if dx or dy)
            res[ch] = L + idiv(i32(p * (v - L) * S), 2048)
        return res

    def rule21(self):  # Glowing Edge
        x, y, N, P = self.x, self.y, self.N, self.P
        return {ch: Mix(N(x, y, ch), N(x + 1, y + 1, ch), fr, to)
                for ch, fr, to in ((RED, P[0], P[1]), (GREEN, P[2], P[3]), (BLUE, P[4], P[5]))}

    def rule22(self):  # Oceanic
        x, y = self.x, self.y
        d = self.map(0, 1, self.H)
        e = self.map(0, 1, self.W)
        f = Cos512(idiv(i32(d * e * y * x), 2))
        g = Remap(f, -511, 512, 0, 255)
        q = self.map(4, -128, 128)
        return {RED: q + self.map(1, -128, 128) + 2 * self.R - g,
                GREEN: q + self.map(2, -128, 128) + 2 * self.G - g,
                BLUE: q + self.map(3, -128, 128) + 2 * self.B - g}

    def rule23(self):  # Gradient Poster
        W, x, P = self.W, self.x, self.P
        L = self.lum()
        s = self.map(1, 255, 1)
        f = Remap(L - irem(L, s), 0, 255, 0, idiv(4 * W * P[2], 255))
        o = self.map(0, 0, W)
        wave = lambda t: Remap(Sin512(idiv(irem(t, W) * 512, W)), 0, 512, 0, 255)
        return {RED: wave(o + f + W + x),
                GREEN: wave(o + f + idiv(W, 3) + W + x),
                BLUE: wave(idiv(2 * W, 3) + f + o + W + x)}

    def rule24(self):  # Mosaic 3
        x, y = self.x, self.y
        s = self.map(0, 1, self.W)
        u, v = irem(x, s), irem(y, s)
        x0, y0 = x - u, y - v
        h = idiv(s, 2)
        if v <= u and v <= s - u:
            px, py = x0, y0 - h
        elif v > u and v <= s - u:
            px, py = x0 - h, y0
        elif v <= u and v > s - u:
            px, py = x0, y0 + h
        else:
            px, py = x0 + h, y0
        return {ch: self.N(px, py, ch) for ch in (RED, GREEN, BLUE)}

    def mosaic(self, soft):
        x, y = self.x, self.y
        bw = max(self.map(0, 0, self.W), 1)
        bh = max(self.map(0, 0, self.H), 1)
        u, v = irem(x, bw), irem(y, bh)
        cx, cy = idiv(bw, 2) + x - u, y + idiv(bh, 2) - v
        if soft:
            s = i32(Sin512(Remap(y, 0, 2 * bh, -512, 512)) * Sin512(Remap(x, 0, 2 * bw, -512, 512)))
            w = Remap(abs(s), 0, 262144, 0, 255)
            return {ch: idiv(w * self.N(cx, cy, ch), 255) for ch in (RED, GREEN, BLUE)}
        if u != 0 and v != 0:
            return {ch: self.N(cx, cy, ch) for ch in (RED, GREEN, BLUE)}
        return {RED: 0, GREEN: 0, BLUE: 0}

    def rule25(self):  # Mosaic Soft
        return self.mosaic(True)

    def rule26(self):  # Mosaic Hard
        return self.mosaic(False)


FILTER_W, FILTER_H = 23, 17
OTHER_PARAMS = [60, 200, 17, 240, 100, 5, 0, 0]


def filter_source():
    return bytearray(((i * 2654435761) & 0xFFFFFFFF) >> 13 & 255 for i in range(FILTER_W * FILTER_H * 4))


def filter_look(fid, params):
    if params is None:
        params = (FILTERS[fid][1] + [0] * 8)[:8]
    rng = RuntimeRandom(1)
    out = FilterRun(filter_source(), FILTER_W, FILTER_H, fid, list(params), rng, [0] * 256).run()
    return fnv1a(out)


# ---------------------------------------------------------------------------
# The colour-gene generator.


class GeneRun:
    def __init__(self, pixels, w, h, gene, mode):
        self.px = pixels
        self.W, self.H = w, h
        self.P = list(gene)
        self.mode = mode if mode >= 0 else 0
        self.T = [0] * 256

    # T[i] outside 0..255 reads as 0; writes there are ignored.
    def t(self, i):
        return self.T[i] if 0 <= i <= 255 else 0

    def set_t(self, i, v):
        if 0 <= i <= 255:
            self.T[i] = i32(v)

    def map(self, i, lo, hi):
        return Map(self.P, i, lo, hi)

    def half_diag(self):
        return trunc(0.5 * math.sqrt(self.W * self.W + self.H * self.H))

    def cdist(self):
        return trunc(math.sqrt((self.y - idiv(self.H, 2)) ** 2 + (self.x - idiv(self.W, 2)) ** 2))

    def cangle(self):
        dy, dx = self.y - idiv(self.H, 2), self.x - idiv(self.W, 2)
        if dx == 0 and dy == 0:
            return 0
        return trunc(math.atan2(dy, dx) * ANGLE_SCALE)

    def CX(self, a, r):
        return trunc(math.cos(a * ANGLE_UNIT) * r + idiv(self.W, 2))

    def CY(self, a, r):
        return trunc(math.sin(a * ANGLE_UNIT) * r + idiv(self.H, 2))

    @staticmethod
    def fold(v):
        return 511 - (v & 511) if v & 256 else v & 255

    # Mode -> (rule, channels that take r1, r2, r3)
    MODES = {
        0: ('A', (BLUE, GREEN, RED)), 10: ('A', (RED, GREEN, BLUE)), 11: ('A', (GREEN, RED, BLUE)),
        1: ('B', (RED, GREEN, BLUE)), 13: ('B', (RED, BLUE, GREEN)), 8: ('B', (BLUE, GREEN, RED)),
        2: ('C', (RED, GREEN, BLUE)), 12: ('C', (BLUE, GREEN, RED)),
        3: ('D', (RED, GREEN, BLUE)), 4: ('E', (RED, GREEN, BLUE)), 5: ('F', (RED, GREEN, BLUE)),
        6: ('G', (RED, GREEN, BLUE)), 7: ('H', (RED, GREEN, BLUE)), 9: ('I', (BLUE, GREEN, RED)),
    }

    def generate(self):
        rule, order = self.MODES.get(self.mode, self.MODES[0])
        fn = getattr(self, 'rule_' + rule)
        self.T = [0] * 256
        for y in range(self.H):
            for x in range(self.W):
                self.x, self.y = x, y
                outs = fn()
                at = (x + y * self.W) * 4
                for ch, v in zip(order, outs):
                    self.px[at + ch] = clamp255(v)
        return self.px

    def rule_A(self):  # crossing spirals
        P, t, st, mp = self.P, self.t, self.set_t, self.map
        a, b, c = self.cangle(), self.cdist(), self.half_diag()
        st(22, mp(6, 0, 2000) + a if 90 < P[6] <= 180 else 0)
        if P[6] <= 180:
            st(23, Dist(mp(3, -500, 500) + t(13), t(14)))
        else:
            st(23, absdiff(mp(3, 0, 1012) + t(13), t(14)))
        st(5, self.CX(max(t(3), t(4)), absdiff(t(3), mp(5, 0, 333) + t(4))))
        st(6, self.CY(absdiff(t(3), mp(4, 30, 255) + t(4)), t(23)))
        st(7, Angle(t(5), t(6)))
        st(8, idiv(absdiff(t(5), t(6)), 2))
        st(9, idiv(self.CY(t(7), t(8)), 5))
        st(10, 2 * Angle(t(7), t(8)))
        st(11, absdiff(t(7), t(8)))
        r1 = absdiff(absdiff(t(10), mp(7, 0, 225) + t(11)), mp(7, -60, 0) + t(9))
        st(15, Cos512(idiv(a * mp(1, 10, 512) * 14, 1024)))
        # A 1 x 1 image has no half diagonal: the quotient is taken as 0.
        q = idiv(b * mp(0, -180, -3600), c) if c != 0 else 0
        st(13, Cos512(q + t(22)))
        st(14, mp(2, idiv(t(15), 4), 3 * t(15)))
        r2 = absdiff(absdiff(t(10), mp(7, -25, 80) + t(11)), mp(7, 30, -65) + t(9))
        r3 = absdiff(absdiff(t(10), mp(7, 150, -70) + t(11)), t(9))
        return r1, r2, r3

    def rule_B(self):  # gradient planes
        W, H, x, y, mp, st, t = self.W, self.H, self.x, self.y, self.map, self.set_t, self.t
        d = idiv(x * 255, W)
        e = idiv(self.cdist() * 255, W)
        g = idiv(y * 255, H)
        st(0, e - d)
        st(1, e - g)
        st(2, d - g)
        if y >= idiv(H, 2):
            st(3, Remap(self.cangle(), 1, 512, 0, 255))
        else:
            st(3, Remap(self.cangle(), -511, 0, 255, 0))
        return (abs(t(mp(3, 0, 4)) + mp(0, -255, 255)),
                abs(t(mp(4, 0, 4)) + mp(1, -255, 255)),
                abs(t(mp(5, 0, 4)) + mp(2, -255, 255)))

    def rule_C(self):  # corner angles
        W, H, x, y, mp, st, t = self.W, self.H, self.x, self.y, self.map, self.set_t, self.t
        st(0, Angle(x, y))
        st(1, Angle(x, H - y))
        st(2, Angle(W - x, y))
        st(3, Angle(W - x, H - y))
        outs = []
        for k in (1, 2, 3):
            st(5, t(mp(k + 2, 0, 4)))
            v = 255 - t(5) if self.P[6] < 128 else t(5)
            outs.append(v + mp(k - 1, -128, 128))
        return tuple(outs)

    def rule_D(self):  # sine beats
        P, x, y, mp, st, t = self.P, self.x, self.y, self.map, self.set_t, self.t
        c = self.half_diag()
        q = (lambda n: idiv(n, c)) if c != 0 else (lambda n: 0)
        d = Cos512(q(y * P[1] * 16))
        e = Sin512(d + q(x * P[0] * 32))
        f = Cos512(q(x * P[3] * 16))
        g = Sin512(f + q(y * P[2] * 32))
        st(1, 32 * (e + g))
        outs = []
        for p in (P[5], P[6], P[7]):
            st(0, idiv(p * t(1), 16384) + mp(4, -255, 255))
            outs.append(self.fold(t(0)))
        return tuple(outs)

    def rings(self):
        mp, st, t = self.map, self.set_t, self.t
        a, b = self.cdist(), self.cangle()
        st(0, irem(mp(0, 1, 24) * (b + a * mp(3, -8, 8)), 1024))
        st(0, idiv(Sin512(t(0)) + 512, 4))
        st(1, irem(mp(1, 1, 24) * (b + a * mp(4, -8, 8)), 1024))
        st(1, idiv(Sin512(t(1)) + 512, 4))
        return t(0), t(1)

    def hiF(self, T0, T1, f):
        return max(T0, T1) if self.P[2] & f else T1 - T0

    def loF(self, T0, T1, f):
        return min(T0, T1) if self.P[2] & f else T0 - T1

    def band(self, T0, T1, k):
        return Remap(self.P[k], 64, 192, min(T0, T1), max(T0, T1))

    def diff(self, T0, T1, k):
        return idiv(abs(T0 - T1) * self.P[k], 128)

    def ruleE_red(self, T0, T1):
        return Remap(self.P[5], 64, 192, self.loF(T0, T1, 128), self.hiF(T0, T1, 16))

    def rule_E(self):
        T0, T1 = self.rings()
        P = self.P
        return (self.ruleE_red(T0, T1),
                Remap(P[6], 64, 192, self.loF(T0, T1, 64), self.hiF(T0, T1, 8)),
                Remap(P[7], 64, 192, self.loF(T0, T1, 32), self.hiF(T0, T1, 4)))

    def ruleF_green_blue(self, T0, T1):
        P = self.P
        green = self.band(T0, T1, 6) if P[2] & 64 else self.diff(T0, T1, 6)
        blue = self.band(T0, T1, 7) if P[2] & 32 else self.diff(T0, T1, 7)
        return green, blue

    def rule_F(self):
        T0, T1 = self.rings()
        return (self.ruleE_red(T0, T1),) + self.ruleF_green_blue(T0, T1)

    def rule_G(self):
        T0, T1 = self.rings()
        P = self.P
        if P[2] & 128:
            red = self.band(T0, T1, 5)
        else:
            red = idiv(Sin512(idiv(T1 * T0, P[5] + 32)), 2)
        return (red,) + self.ruleF_green_blue(T0, T1)

    def rule_H(self):  # wavy rings
        W, H, x, y, mp = self.W, self.H, self.x, self.y, self.map
        e, f, g = self.cangle(), self.cdist(), self.half_diag()
        o = single(y / H * 100)
        v = single(x / W * 100)
        # A 1 x 1 image has no half diagonal: the quotient is taken as 0.
        E = single(f / g * 200) if g != 0 else 0.0
        h = mp(2, 0, 1024)
        l = mp(2, 0, 1024)
        r = Sin512(trunc(o * mp(4, 0, 10)))
        t = mp(3, 0, 100)
        w = Cos512(trunc(v * mp(4, -10, 10)))
        B = Sin512(trunc(o * mp(1, -32, 10)))
        D = Cos512(trunc(v * mp(1, -4, 4)))
        F = self.CY(e - B - D, trunc(single(E - t + r) - w))
        S1 = Sin512(trunc(o))
        C1 = Cos512(trunc(v))
        K = mp(0, -10, 4)
        M = Cos512(trunc(v * mp(0, -4, 30)))
        radius = trunc(single(E + S1) - C1)
        Nn = self.CX(trunc(e - math.sin(o * K) - M), radius)
        red = Remap(Nn - F, -l, h, 0, 255)
        P2 = mp(2, 0, 1024)
        Q = mp(3, 0, 1024)
        V = Sin512(trunc(o * mp(1, -32, 10)))
        W1 = mp(4, 0, 25)
        Y = Cos512(trunc(v * mp(1, -4, 30)))
        Z = self.CY(red * W1 - V - Y, radius)
        ad = Sin512(trunc(o * mp(0, -10, 4)))
        ae = mp(4, 0, 25)
        ah = Cos512(trunc(v * mp(0, -4, 30)))
        ai = self.CX(red * ae - ad - ah, radius)
        green = Remap(ai - Z, -Q, P2, 0, 255)
        ak = mp(3, 0, 1024)
        al = mp(2, 0, 1024)
        ap = Sin512(trunc(o * mp(0, -10, 4)))
        ar = Cos512(trunc(v * mp(0, -4, 30)))
        as_ = self.CX(4 * red - ap - ar, radius)
        aw = Sin512(trunc(o * mp(1, -32, 10)))
        az = Cos512(trunc(v * mp(0, -4, 4)))
        aA = self.CY(4 * green - aw - az, radius)
        blue = Remap(as_ - aA, -al, ak, 0, 255)
        return red, green, blue

    def rule_I(self):  # sine plasma
        W, H, x, y, mp = self.W, self.H, self.x, self.y, self.map
        S = Sin512
        c = Remap(x, 0, W - 1, -511, 512)
        d = Remap(y, 0, H - 1, -511, 512)
        e = mp(0, 2, 255)
        r1 = Remap(idiv(S(S(S(c + 2 * e) + S(d + 4 * e)) - S(S(c + 8 * e) + S(d + 16 * e))), 2), 0, 255, 0, mp(1, 1, 255))
        r2 = Remap(idiv(S(S(S(c + 2 * e) + S(d + 4 * e)) - S(S(d + 8 * e) + S(c + 4 * e))), 2), 0, 255, 0, mp(2, 1, 255))
        r3 = Remap(idiv(S(S(S(d + 2 * e) + S(c + 8 * e)) - S(S(c + 4 * e) + S(d + 16 * e))), 2), 0, 255, 0, mp(3, 1, 255))
        return r1, r2, r3


GENES = [
    [30, 9, 0, 243, 0, 0, 243, 0],
    [200, 77, 181, 140, 90, 230, 120, 250],
    [5, 250, 66, 20, 255, 10, 200, 64],
]
TINY_SIZES = [(1, 1), (1, 5), (6, 1)]


def gene_look(w, h, gene, mode):
    px = bytearray(w * h * 4)
    px[3::4] = bytes([77]) * (w * h)
    return fnv1a(GeneRun(px, w, h, gene, mode).generate())


# ---------------------------------------------------------------------------
# The values pinned in the tests, read from the test sources.

HERE = os.path.dirname(os.path.abspath(__file__))
FILTER_TEST = os.path.join(HERE, '..', 'core', 'effects', 'filter_looks_test.cpp')
GENE_TEST = os.path.join(HERE, '..', 'core', 'library', 'texture_factory_test.cpp')
HEX = re.compile(r'0x([0-9a-fA-F]{8})u')


def test_body(path, name):
    text = open(path, encoding='utf-8').read()
    start = text.index(name)
    end = text.find('\nTEST(', start + 1)
    return text[start:end if end >= 0 else len(text)]


def pinned_values():
    """(label, pinned) in the order of the tests."""
    rows = []
    src = HEX.findall(test_body(FILTER_TEST, 'TEST(FilterLooksTest, SourceImage)'))
    rows.append(('filter source image', int(src[0], 16)))
    for test, label in (('EveryFilterWithItsDefaults', 'defaults'), ('EveryFilterWithOtherParameters', 'other')):
        vals = HEX.findall(test_body(FILTER_TEST, 'TEST(FilterLooksTest, %s)' % test))
        assert len(vals) == 27, test
        rows += [('filter %2d %-8s %s' % (i, label, FILTERS[i][0]), int(v, 16)) for i, v in enumerate(vals)]
    vals = HEX.findall(test_body(GENE_TEST, 'TEST(TextureFactoryTest, EveryModeKeepsItsLook)'))
    assert len(vals) == 3 * 14 + 3 * 14, len(vals)
    it = iter(vals)
    for g in range(3):
        rows += [('gene %d 23 x 17 mode %2d' % (g, m), int(next(it), 16)) for m in range(14)]
    for w, h in TINY_SIZES:
        rows += [('gene 1 %d x %d mode %2d' % (w, h, m), int(next(it), 16)) for m in range(14)]
    entry = HEX.findall(test_body(GENE_TEST, 'TEST(TextureFactoryTest, GeneFillEntryPoint)'))
    rows.append(('gene fill entry (gene 0 mode 9)', int(entry[0], 16)))
    return rows


def computed_values():
    vals = [fnv1a(filter_source())]
    vals += [filter_look(i, None) for i in range(27)]
    vals += [filter_look(i, OTHER_PARAMS) for i in range(27)]
    for g in range(3):
        vals += [gene_look(23, 17, GENES[g], m) for m in range(14)]
    for w, h in TINY_SIZES:
        vals += [gene_look(w, h, GENES[1], m) for m in range(14)]
    vals.append(gene_look(23, 17, GENES[0], 9))
    return vals


def main(argv):
    check = '--check' in argv
    rows = pinned_values()
    vals = computed_values()
    assert len(rows) == len(vals)
    bad = 0
    for (label, pinned), got in zip(rows, vals):
        ok = pinned == got
        bad += not ok
        if not check or not ok:
            print('%-48s 0x%08x  %s' % (label, got, 'ok' if ok else 'MISMATCH (pinned 0x%08x)' % pinned))
    print('%d of %d pinned checksums reproduced' % (len(rows) - bad, len(rows)))
    return 1 if check and bad else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
