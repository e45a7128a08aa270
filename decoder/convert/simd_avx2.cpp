// AVX2 row routines: 32 pixels per step. This file alone is compiled for AVX2 and is called only
// when the processor reports it.
#include <immintrin.h>

#include <cstring>

#include "rows.h"

namespace quor::convert {

namespace {

struct V {
  using R = __m256i;
  static constexpr uint32_t kPixels = 32;

  static R Load(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
  static __m128i Load16(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  }
  static R LoadChroma(const uint8_t* p) { return _mm256_cvtepu8_epi16(Load16(p)); }
  static R InterleaveChroma(const uint8_t* u, const uint8_t* v) {
    const __m128i a = Load16(u);
    const __m128i b = Load16(v);
    return _mm256_set_m128i(_mm_unpackhi_epi8(a, b), _mm_unpacklo_epi8(a, b));
  }
  // a and b hold, per 128-bit lane, consecutive output: lane 0 of both goes to d, lane 1 of both
  // to d + upper.
  static void StorePair(uint8_t* d, R a, R b, size_t upper) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_permute2x128_si256(a, b, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + upper),
                        _mm256_permute2x128_si256(a, b, 0x31));
  }

  static R Zero() { return _mm256_setzero_si256(); }
  static R Set8(uint8_t v) { return _mm256_set1_epi8(static_cast<char>(v)); }
  static R Set16(uint16_t v) { return _mm256_set1_epi16(static_cast<short>(v)); }
  static R Add16(R a, R b) { return _mm256_add_epi16(a, b); }
  static R Sub16(R a, R b) { return _mm256_sub_epi16(a, b); }
  static R MulHiU16(R a, R b) { return _mm256_mulhi_epu16(a, b); }
  static R MulHi16(R a, R b) { return _mm256_mulhi_epi16(a, b); }
  static R Sra16(R a) { return _mm256_srai_epi16(a, 15); }
  static R Srl16(R a, __m128i count) { return _mm256_srl_epi16(a, count); }
  template <int N>
  static R Srli16(R a) { return _mm256_srli_epi16(a, N); }
  template <int N>
  static R Slli16(R a) { return _mm256_slli_epi16(a, N); }
  static R And(R a, R b) { return _mm256_and_si256(a, b); }
  static R Or(R a, R b) { return _mm256_or_si256(a, b); }
  static R MinU8(R a, R b) { return _mm256_min_epu8(a, b); }
  static R SubsU8(R a, R b) { return _mm256_subs_epu8(a, b); }
  static R PackUs16(R a, R b) { return _mm256_packus_epi16(a, b); }
  static R Unpack8Lo(R a, R b) { return _mm256_unpacklo_epi8(a, b); }
  static R Unpack8Hi(R a, R b) { return _mm256_unpackhi_epi8(a, b); }
  static R Unpack16Lo(R a, R b) { return _mm256_unpacklo_epi16(a, b); }
  static R Unpack16Hi(R a, R b) { return _mm256_unpackhi_epi16(a, b); }
  static R Unpack32Lo(R a, R b) { return _mm256_unpacklo_epi32(a, b); }
  static R Unpack32Hi(R a, R b) { return _mm256_unpackhi_epi32(a, b); }
};

#include "simd_rows.inc"

}  // namespace

const RowSet& Avx2Rows() {
  static const RowSet rows = MakeRowSet();
  return rows;
}

}  // namespace quor::convert
