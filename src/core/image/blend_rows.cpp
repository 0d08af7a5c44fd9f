#include "image/blend_rows.h"

#include <cstring>
#include <initializer_list>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace lumi {

namespace {

template <bool kKeepAlpha>
inline void BlendPixel(std::uint8_t* d, const std::uint8_t* s) {
  const unsigned a = s[3];
  if (a == 0) return;
  if (a == 255) {
    std::memcpy(d, s, kKeepAlpha ? 3 : 4);
    return;
  }
  const unsigned inv = 255 - a;
  d[0] = static_cast<std::uint8_t>((s[0] * a + d[0] * inv) >> 8);
  d[1] = static_cast<std::uint8_t>((s[1] * a + d[1] * inv) >> 8);
  d[2] = static_cast<std::uint8_t>((s[2] * a + d[2] * inv) >> 8);
  if (!kKeepAlpha) d[3] = static_cast<std::uint8_t>((a * a + d[3] * inv) >> 8);
}

#if defined(__SSE2__)
// Eight 16-bit channels of two pixels: (s * a + d * (255 - a)) >> 8.
inline __m128i BlendHalf(__m128i s, __m128i d, __m128i a) {
  const __m128i inv = _mm_sub_epi16(_mm_set1_epi16(255), a);
  return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, inv)), 8);
}

template <bool kKeepAlpha>
void BlendRow(std::uint8_t* d, const std::uint8_t* s, int count) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i alpha_bytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 4 <= count; i += 4, d += 16, s += 16) {
    const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i src_alpha = _mm_and_si128(src, alpha_bytes);
    const __m128i clear = _mm_cmpeq_epi32(src_alpha, zero);
    if (_mm_movemask_epi8(clear) == 0xFFFF) continue;
    const __m128i opaque = _mm_cmpeq_epi32(src_alpha, alpha_bytes);
    const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    __m128i out;
    if (_mm_movemask_epi8(opaque) == 0xFFFF) {
      out = src;
    } else {
      // Each pixel's alpha in all four of its 16-bit lanes.
      __m128i a = _mm_srli_epi32(src, 24);
      a = _mm_or_si128(a, _mm_slli_epi32(a, 16));
      const __m128i a_lo = _mm_unpacklo_epi32(a, a), a_hi = _mm_unpackhi_epi32(a, a);
      const __m128i lo = BlendHalf(_mm_unpacklo_epi8(src, zero), _mm_unpacklo_epi8(dst, zero), a_lo);
      const __m128i hi = BlendHalf(_mm_unpackhi_epi8(src, zero), _mm_unpackhi_epi8(dst, zero), a_hi);
      const __m128i blended = _mm_packus_epi16(lo, hi);
      out = _mm_or_si128(_mm_and_si128(opaque, src), _mm_andnot_si128(opaque, blended));
      out = _mm_or_si128(_mm_and_si128(clear, dst), _mm_andnot_si128(clear, out));
    }
    if (kKeepAlpha) out = _mm_or_si128(_mm_andnot_si128(alpha_bytes, out), _mm_and_si128(alpha_bytes, dst));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), out);
  }
  for (; i < count; ++i, d += 4, s += 4) BlendPixel<kKeepAlpha>(d, s);
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define LUMI_BLEND_AVX2 1
// The same lanes eight pixels wide where the processor has AVX2; every step works within
// 128-bit halves, exactly as above.
__attribute__((target("avx2"))) inline __m256i BlendHalfAvx2(__m256i s, __m256i d, __m256i a) {
  const __m256i inv = _mm256_sub_epi16(_mm256_set1_epi16(255), a);
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(s, a), _mm256_mullo_epi16(d, inv)), 8);
}

template <bool kKeepAlpha>
__attribute__((target("avx2"))) void BlendRowAvx2(std::uint8_t* d, const std::uint8_t* s, int count) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i alpha_bytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 8 <= count; i += 8, d += 32, s += 32) {
    const __m256i src = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __m256i src_alpha = _mm256_and_si256(src, alpha_bytes);
    const __m256i clear = _mm256_cmpeq_epi32(src_alpha, zero);
    if (_mm256_movemask_epi8(clear) == -1) continue;
    const __m256i opaque = _mm256_cmpeq_epi32(src_alpha, alpha_bytes);
    const __m256i dst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    __m256i out;
    if (_mm256_movemask_epi8(opaque) == -1) {
      out = src;
    } else {
      __m256i a = _mm256_srli_epi32(src, 24);
      a = _mm256_or_si256(a, _mm256_slli_epi32(a, 16));
      const __m256i a_lo = _mm256_unpacklo_epi32(a, a), a_hi = _mm256_unpackhi_epi32(a, a);
      const __m256i lo = BlendHalfAvx2(_mm256_unpacklo_epi8(src, zero), _mm256_unpacklo_epi8(dst, zero), a_lo);
      const __m256i hi = BlendHalfAvx2(_mm256_unpackhi_epi8(src, zero), _mm256_unpackhi_epi8(dst, zero), a_hi);
      out = _mm256_blendv_epi8(_mm256_packus_epi16(lo, hi), src, opaque);
      out = _mm256_blendv_epi8(out, dst, clear);
    }
    if (kKeepAlpha) out = _mm256_blendv_epi8(out, dst, alpha_bytes);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), out);
  }
  BlendRow<kKeepAlpha>(d, s, count - i);
}

// Sixteen pixels a step where the processor has AVX-512BW. The colours of each pixel are
// split into its even bytes (blue, red) and odd bytes (green, alpha) in 16-bit lanes, so
// one vector of alphas serves both halves; masks leave clear pixels (and, keeping the
// alpha, the alpha bytes) unwritten, and the end of a row is loaded under a lane mask.
template <bool kKeepAlpha>
__attribute__((target("avx512f,avx512bw,bmi2"), always_inline)) inline void Blend16Avx512(
    std::uint8_t* d, __m512i src, __mmask16 lanes, __mmask16 visible) {
  const __m512i alpha_bytes = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  const __m512i low_bytes = _mm512_set1_epi16(0x00FF);
  const __mmask16 opaque = _mm512_cmpeq_epi32_mask(_mm512_and_si512(src, alpha_bytes), alpha_bytes);
  __m512i out = src;
  if (opaque != visible) {
    // Each pixel's alpha in both 16-bit lanes of the pixel: bytes 3, 7, 11 and 15 of
    // each 128-bit lane, each twice, under zero bytes (0x80).
    constexpr long long kLow = static_cast<long long>(0x8007800780038003ull);
    constexpr long long kHigh = static_cast<long long>(0x800F800F800B800Bull);
    const __m512i alpha_lanes = _mm512_set4_epi64(kHigh, kLow, kHigh, kLow);
    const __m512i dst = _mm512_maskz_loadu_epi32(lanes, d);
    const __m512i a = _mm512_shuffle_epi8(src, alpha_lanes);
    const __m512i inv = _mm512_xor_si512(a, low_bytes);  // 255 - a
    const __m512i even =
        _mm512_add_epi16(_mm512_mullo_epi16(_mm512_and_si512(src, low_bytes), a),
                         _mm512_mullo_epi16(_mm512_and_si512(dst, low_bytes), inv));
    const __m512i odd = _mm512_add_epi16(_mm512_mullo_epi16(_mm512_srli_epi16(src, 8), a),
                                         _mm512_mullo_epi16(_mm512_srli_epi16(dst, 8), inv));
    // even >> 8 into the low bytes, the high bytes of odd as they are (0xF4: x | (y & ~z)).
    const __m512i blended =
        _mm512_ternarylogic_epi32(_mm512_srli_epi16(even, 8), odd, low_bytes, 0xF4);
    out = _mm512_mask_mov_epi32(blended, opaque, src);
  }
  // A bit a byte: every visible pixel's four bytes, or its three colour bytes.
  const unsigned long long spread = _pdep_u64(visible, 0x1111111111111111ull);
  _mm512_mask_storeu_epi8(d, _cvtu64_mask64(spread * (kKeepAlpha ? 7u : 15u)), out);
}

template <bool kKeepAlpha>
__attribute__((target("avx512f,avx512bw,bmi2"))) void BlendRowAvx512(std::uint8_t* d,
                                                                     const std::uint8_t* s,
                                                                     int count) {
  const __m512i alpha_bytes = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  // Two steps at once, skipped together where both are clear (the outside of a shape).
  for (; i + 32 <= count; i += 32, d += 128, s += 128) {
    const __m512i first = _mm512_loadu_si512(s), second = _mm512_loadu_si512(s + 64);
    const __mmask16 visible_first = _mm512_test_epi32_mask(first, alpha_bytes);
    const __mmask16 visible_second = _mm512_test_epi32_mask(second, alpha_bytes);
    if ((visible_first | visible_second) == 0) continue;
    if (visible_first) Blend16Avx512<kKeepAlpha>(d, first, 0xFFFF, visible_first);
    if (visible_second) Blend16Avx512<kKeepAlpha>(d + 64, second, 0xFFFF, visible_second);
  }
  for (; i < count; i += 16, d += 64, s += 64) {
    const int left = count - i;
    const __mmask16 lanes = left >= 16 ? 0xFFFF : static_cast<__mmask16>((1u << left) - 1);
    const __m512i src = _mm512_maskz_loadu_epi32(lanes, s);
    const __mmask16 visible = _mm512_test_epi32_mask(src, alpha_bytes);  // lanes past the end are 0
    if (visible) Blend16Avx512<kKeepAlpha>(d, src, lanes, visible);
  }
}
#endif
#endif

template <bool kKeepAlpha>
void BlendRowPortable(std::uint8_t* d, const std::uint8_t* s, int count) {
  for (int i = 0; i < count; ++i, d += 4, s += 4) BlendPixel<kKeepAlpha>(d, s);
}

using RowBlend = void (*)(std::uint8_t*, const std::uint8_t*, int);

struct LevelBlends {
  RowBlend with_alpha = nullptr, keep_alpha = nullptr;
};

LevelBlends BlendsOf(BlendLevel level) {
  switch (level) {
    case BlendLevel::kPortable:
      return {BlendRowPortable<false>, BlendRowPortable<true>};
#if defined(__SSE2__)
    case BlendLevel::kSse2:
      return {BlendRow<false>, BlendRow<true>};
#endif
#if defined(LUMI_BLEND_AVX2)
    case BlendLevel::kAvx2:
      if (!__builtin_cpu_supports("avx2")) break;
      return {BlendRowAvx2<false>, BlendRowAvx2<true>};
    case BlendLevel::kAvx512:
      if (!__builtin_cpu_supports("avx512f") || !__builtin_cpu_supports("avx512bw") ||
          !__builtin_cpu_supports("bmi2"))
        break;
      return {BlendRowAvx512<false>, BlendRowAvx512<true>};
#endif
    default:
      break;
  }
  return {};
}

const LevelBlends& Best() {
  static const LevelBlends best = [] {
    for (BlendLevel level : {BlendLevel::kAvx512, BlendLevel::kAvx2, BlendLevel::kSse2})
      if (const LevelBlends blends = BlendsOf(level); blends.with_alpha) return blends;
    return BlendsOf(BlendLevel::kPortable);
  }();
  return best;
}

}  // namespace

void BlendRowWithAlpha(std::uint8_t* d, const std::uint8_t* s, int count) {
  Best().with_alpha(d, s, count);
}

void BlendRowKeepAlpha(std::uint8_t* d, const std::uint8_t* s, int count) {
  Best().keep_alpha(d, s, count);
}

bool HasBlendLevel(BlendLevel level) {
  return BlendsOf(level).with_alpha != nullptr;
}

void BlendRowAtLevel(BlendLevel level, std::uint8_t* d, const std::uint8_t* s, int count,
                     bool keep_alpha) {
  LevelBlends blends = BlendsOf(level);
  if (!blends.with_alpha) blends = BlendsOf(BlendLevel::kPortable);  // one this processor lacks
  (keep_alpha ? blends.keep_alpha : blends.with_alpha)(d, s, count);
}

}  // namespace lumi
