#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "inverse_rdft.h"
#include "reference_dft.h"

namespace quor::audio {
namespace {

// The transform against the direct O(n^2) evaluation, for bins laid out as the block reader
// lays them: the output must be exactly twice the definition's x[t].
TEST(AudioInverseRdft, MatchesTheDirectDefinition) {
  std::mt19937 random(7);
  for (const uint32_t n : {512u, 1024u, 2048u, 4096u}) {
    std::vector<std::byte> state(InverseRdft::StateBytes(n));
    const InverseRdft transform(n, state);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    std::vector<double> a(n);
    for (double& c : a) c = value(random);

    std::vector<float> bins(n + 2, 0.0f);
    bins[0] = static_cast<float>(a[0]);
    bins[n] = static_cast<float>(a[1]);
    for (uint32_t j = 1; j < n / 2; ++j) {
      bins[2 * j] = static_cast<float>(a[2 * j]);
      bins[2 * j + 1] = -static_cast<float>(a[2 * j + 1]);
    }
    std::vector<float> out(n);
    transform.Run(bins, out);

    const std::vector<double> x = quortest::ReferenceSignal(a);
    // Single precision: errors grow with log n times the rms signal; the rms of a sum of n
    // terms of magnitude <= 1000 is about 1000 * sqrt(n / 2).
    const double tolerance = 1000.0 * std::sqrt(n / 2.0) * 1e-5;
    double worst = 0;
    for (uint32_t t = 0; t < n; ++t) worst = std::max(worst, std::abs(out[t] - 2.0 * x[t]));
    EXPECT_LT(worst, tolerance) << "n = " << n;
  }
}

}  // namespace
}  // namespace quor::audio
