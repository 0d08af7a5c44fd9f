#include "image/blend_rows.h"

#include <cstring>

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

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif
#else
template <bool kKeepAlpha>
void BlendRow(std::uint8_t* d, const std::uint8_t* s, int count) {
  for (int i = 0; i < count; ++i, d += 4, s += 4) BlendPixel<kKeepAlpha>(d, s);
}
#endif

}  // namespace

void BlendRowWithAlpha(std::uint8_t* d, const std::uint8_t* s, int count) {
#if defined(LUMI_BLEND_AVX2)
  if (HasAvx2()) return BlendRowAvx2<false>(d, s, count);
#endif
  BlendRow<false>(d, s, count);
}

void BlendRowKeepAlpha(std::uint8_t* d, const std::uint8_t* s, int count) {
#if defined(LUMI_BLEND_AVX2)
  if (HasAvx2()) return BlendRowAvx2<true>(d, s, count);
#endif
  BlendRow<true>(d, s, count);
}

}  // namespace lumi
