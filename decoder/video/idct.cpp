// The 8x8 inverse transform in 32-bit fixed point with its three output forms. All arithmetic
// wraps modulo 2^32 like the reference's machine arithmetic (products and sums are unsigned;
// shifts are arithmetic on the signed reinterpretation), so any input is well defined.
#include <cstring>

#include "block_coding.h"
#include "tables.h"

namespace quorvideo {
namespace {

using u32 = uint32_t;

inline u32 Asr(u32 x, unsigned n) { return u32(int32_t(x) >> n); }
inline u32 Mul(u32 x, int32_t k) { return Asr(x * u32(k), 11); }

// One-dimensional transform of each of the 8 columns of `in` (in[row * 8 + lane]), written
// transposed to out[lane * 8 + row]; the 8 lanes are independent, so the loop vectorises.
inline void Pass(const u32* in, u32* out) {
  for (unsigned c = 0; c < 8; ++c) {
    const u32 s0 = in[c], s1 = in[8 + c], s2 = in[16 + c], s3 = in[24 + c];
    const u32 s4 = in[32 + c], s5 = in[40 + c], s6 = in[48 + c], s7 = in[56 + c];
    const u32 a = s0 + s4, b = s0 - s4, g = s2 + s6;
    const u32 d = Mul(s2 - s6, 2896) - g;
    const u32 e0 = a + g, e3 = a - g, e1 = b + d, e2 = b - d;
    const u32 z13 = s3 + s5, z10 = s5 - s3, z11 = s1 + s7, z12 = s1 - s7;
    const u32 o7 = z11 + z13;
    const u32 z5 = Mul(z12 + z10, 3784);
    const u32 o6 = Mul(z10, -5352) - o7 + z5;
    const u32 o5 = Mul(z11 - z13, 2896) - o6;
    const u32 o4 = Mul(z12, 2217) - z5 + o5;
    // Output transposed: the next pass then works along what were rows here.
    u32* o = out + c * 8;
    o[0] = e0 + o7;
    o[1] = e1 + o6;
    o[2] = e2 + o5;
    o[3] = e3 - o4;
    o[4] = e3 + o4;
    o[5] = e2 - o5;
    o[6] = e1 - o6;
    o[7] = e0 - o7;
  }
}

inline uint8_t Pixel(u32 v) { return uint8_t(Asr(v + 127, 8)); }

// Dequantises and transforms; pixels[row * 8 + column] receives the output pixels.
void Transform(const int16_t coefficients[64], const uint32_t table[64], bool acZero,
               uint8_t pixels[64]) {
  if (acZero) {
    // Every column and row pass of a DC-only block passes the value through unchanged.
    const u32 d0 = Asr(u32(int32_t(coefficients[0])) * table[0], 11);
    std::memset(pixels, Pixel(d0), 64);
    return;
  }
  u32 d[64], columns[64], rows[64];
  for (unsigned i = 0; i < 64; ++i) d[i] = Asr(u32(int32_t(coefficients[i])) * table[i], 11);
  Pass(d, columns);     // columns[column * 8 + row]: the column pass, transposed
  Pass(columns, rows);  // rows[row * 8 + column]: the row pass, transposed back
  for (unsigned i = 0; i < 64; ++i) pixels[i] = Pixel(rows[i]);
}

bool AcZero(const int16_t coefficients[64]) {
  int16_t any = 0;
  for (unsigned i = 1; i < 64; ++i) any |= coefficients[i];
  return any == 0;
}

}  // namespace

void IdctPut(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64], unsigned q,
             bool acZero) {
  uint8_t pixels[64];
  Transform(coefficients, kIntraQuant[q & 15], acZero, pixels);
  for (unsigned row = 0; row < 8; ++row)
    std::memcpy(destination + ptrdiff_t(row) * stride, pixels + row * 8, 8);
}

void IdctPutDouble(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64],
                   unsigned q, bool acZero) {
  uint8_t pixels[64];
  Transform(coefficients, kIntraQuant[q & 15], acZero, pixels);
  for (unsigned row = 0; row < 8; ++row) {
    uint8_t line[16];
    for (unsigned column = 0; column < 8; ++column)
      line[2 * column] = line[2 * column + 1] = pixels[row * 8 + column];
    std::memcpy(destination + ptrdiff_t(2 * row) * stride, line, 16);
    std::memcpy(destination + ptrdiff_t(2 * row + 1) * stride, line, 16);
  }
}

void IdctAdd(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64], unsigned q,
             const uint8_t prediction[64], bool acZero) {
  uint8_t pixels[64];
  Transform(coefficients, kInterQuant[q & 15], acZero, pixels);
  for (unsigned row = 0; row < 8; ++row) {
    uint8_t* out = destination + ptrdiff_t(row) * stride;
    for (unsigned column = 0; column < 8; ++column)
      out[column] = uint8_t(prediction[row * 8 + column] + pixels[row * 8 + column]);
  }
}

}  // namespace quorvideo

extern "C" void QuorIdctPut(uint8_t* destination, ptrdiff_t stride,
                            const int16_t coefficients[64], uint32_t q) {
  quorvideo::IdctPut(destination, stride, coefficients, q, quorvideo::AcZero(coefficients));
}

extern "C" void QuorIdctPutDouble(uint8_t* destination, ptrdiff_t stride,
                                  const int16_t coefficients[64], uint32_t q) {
  quorvideo::IdctPutDouble(destination, stride, coefficients, q, quorvideo::AcZero(coefficients));
}

extern "C" void QuorIdctAdd(uint8_t* destination, ptrdiff_t stride,
                            const int16_t coefficients[64], uint32_t q,
                            const uint8_t prediction[64]) {
  quorvideo::IdctAdd(destination, stride, coefficients, q, prediction,
                     quorvideo::AcZero(coefficients));
}
