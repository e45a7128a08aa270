// Exact decimal fractions: atofr and the reduction by the greatest common divisor.
#include <cstdint>

#include "jov_strings.h"
#include "text_chars.h"

namespace {

uint32_t Gcd(uint32_t a, uint32_t b) {
  while (b) {
    const uint32_t r = a % b;
    a = b;
    b = r;
  }
  return a;
}

struct Ratio {
  uint32_t numerator = 0;
  uint32_t denominator = 1;
};

void Reduce(Ratio& r) {
  if (r.numerator == 0 || r.denominator == 0) return;
  const uint32_t divisor = Gcd(r.numerator, r.denominator);
  r.numerator /= divisor;
  r.denominator /= divisor;
}

// digits[.digits], read as one integer over 10 to the number of digits after the point; both
// wrap modulo 2^32.
Ratio ReadDecimal(const char*& p) {
  Ratio r;
  while (jovutil::IsDigit(*p)) r.numerator = r.numerator * 10u + static_cast<uint32_t>(*p++ - '0');
  if (*p == '.') {
    ++p;
    while (jovutil::IsDigit(*p)) {
      r.numerator = r.numerator * 10u + static_cast<uint32_t>(*p++ - '0');
      r.denominator *= 10u;
    }
  }
  Reduce(r);
  return r;
}

}  // namespace

extern "C" {

void GCDNums(int32_t* numerator, int32_t* denominator) {
  if (!numerator || !denominator) return;
  Ratio r{static_cast<uint32_t>(*numerator), static_cast<uint32_t>(*denominator)};
  Reduce(r);
  *numerator = static_cast<int32_t>(r.numerator);
  *denominator = static_cast<int32_t>(r.denominator);
}

const char* atofr(const char* text, int32_t* numerator, int32_t* denominator) {
  Ratio value;
  const char* p = text;
  if (p && (jovutil::IsDigit(*p) || *p == '.' || *p == '-')) {
    const bool negative = *p == '-';
    if (negative) ++p;
    value = ReadDecimal(p);
    if (p[0] == ';' && jovutil::IsDigit(p[1])) {
      ++p;
      const Ratio divisor = ReadDecimal(p);
      value = {value.numerator * divisor.denominator, value.denominator * divisor.numerator};
      Reduce(value);
    }
    if (negative) value.numerator = 0u - value.numerator;
    if (value.denominator == 0) value.denominator = 1;
  }
  if (numerator) *numerator = static_cast<int32_t>(value.numerator);
  if (denominator) *denominator = static_cast<int32_t>(value.denominator);
  return p;
}

}  // extern "C"
