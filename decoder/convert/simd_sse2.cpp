// SSE2 row routines: 16 pixels per step.
#include <emmintrin.h>

#include <cstring>

#include "rows.h"

namespace quor::convert {

namespace {

struct V {
  using R = __m128i;
  static constexpr uint32_t kPixels = 16;

  static R Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
  static R Load8(const uint8_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
  static R LoadChroma(const uint8_t* p) { return _mm_unpacklo_epi8(Load8(p), _mm_setzero_si128()); }
  static R InterleaveChroma(const uint8_t* u, const uint8_t* v) {
    return _mm_unpacklo_epi8(Load8(u), Load8(v));
  }
  static void StorePair(uint8_t* d, R a, R b, size_t) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16), b);
  }

  static R Zero() { return _mm_setzero_si128(); }
  static R Set8(uint8_t v) { return _mm_set1_epi8(static_cast<char>(v)); }
  static R Set16(uint16_t v) { return _mm_set1_epi16(static_cast<short>(v)); }
  static R Add16(R a, R b) { return _mm_add_epi16(a, b); }
  static R Sub16(R a, R b) { return _mm_sub_epi16(a, b); }
  static R MulHiU16(R a, R b) { return _mm_mulhi_epu16(a, b); }
  static R MulHi16(R a, R b) { return _mm_mulhi_epi16(a, b); }
  static R Sra16(R a) { return _mm_srai_epi16(a, 15); }
  static R Srl16(R a, __m128i count) { return _mm_srl_epi16(a, count); }
  template <int N>
  static R Srli16(R a) { return _mm_srli_epi16(a, N); }
  template <int N>
  static R Slli16(R a) { return _mm_slli_epi16(a, N); }
  static R And(R a, R b) { return _mm_and_si128(a, b); }
  static R Or(R a, R b) { return _mm_or_si128(a, b); }
  static R MinU8(R a, R b) { return _mm_min_epu8(a, b); }
  static R SubsU8(R a, R b) { return _mm_subs_epu8(a, b); }
  static R PackUs16(R a, R b) { return _mm_packus_epi16(a, b); }
  static R Unpack8Lo(R a, R b) { return _mm_unpacklo_epi8(a, b); }
  static R Unpack8Hi(R a, R b) { return _mm_unpackhi_epi8(a, b); }
  static R Unpack16Lo(R a, R b) { return _mm_unpacklo_epi16(a, b); }
  static R Unpack16Hi(R a, R b) { return _mm_unpackhi_epi16(a, b); }
  static R Unpack32Lo(R a, R b) { return _mm_unpacklo_epi32(a, b); }
  static R Unpack32Hi(R a, R b) { return _mm_unpackhi_epi32(a, b); }
};

#include "simd_rows.inc"

}  // namespace

const RowSet& Sse2Rows() {
  static const RowSet rows = MakeRowSet();
  return rows;
}

}  // namespace quor::convert
