#include "reference_dft.h"

#include <cmath>
#include <numbers>

namespace quortest {

std::vector<double> ReferenceSignal(std::span<const double> a) {
  const size_t n = a.size();
  std::vector<double> cosine(n), sine(n);
  for (size_t m = 0; m < n; ++m) {
    cosine[m] = std::cos(2.0 * std::numbers::pi * static_cast<double>(m) / static_cast<double>(n));
    sine[m] = std::sin(2.0 * std::numbers::pi * static_cast<double>(m) / static_cast<double>(n));
  }
  std::vector<double> x(n);
  for (size_t t = 0; t < n; ++t) {
    double sum = (a[0] + a[1] * (t % 2 == 0 ? 1.0 : -1.0)) / 2.0;
    for (size_t j = 1; j < n / 2; ++j) {
      const size_t m = (j * t) % n;
      sum += a[2 * j] * cosine[m] + a[2 * j + 1] * sine[m];
    }
    x[t] = sum;
  }
  return x;
}

}  // namespace quortest
