#include "image/blend_rows.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
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
#else
template <bool kKeepAlpha>
void BlendRow(std::uint8_t* d, const std::uint8_t* s, int count) {
  for (int i = 0; i < count; ++i, d += 4, s += 4) BlendPixel<kKeepAlpha>(d, s);
}
#endif

}  // namespace

void BlendRowWithAlpha(std::uint8_t* d, const std::uint8_t* s, int count) {
  BlendRow<false>(d, s, count);
}

void BlendRowKeepAlpha(std::uint8_t* d, const std::uint8_t* s, int count) {
  BlendRow<true>(d, s, count);
}

}  // namespace lumi
