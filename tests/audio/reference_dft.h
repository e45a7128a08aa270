// The block signal evaluated directly from its definition, in double precision:
//   x[t] = (a[0] + a[1] cos(pi t)) / 2 + sum_{j=1}^{n/2-1} (a[2j] cos(2 pi j t / n) + a[2j+1] sin(2 pi j t / n))
#pragma once

#include <span>
#include <vector>

namespace quortest {

std::vector<double> ReferenceSignal(std::span<const double> a);

}  // namespace quortest
