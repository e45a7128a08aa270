// Which row implementation runs: the processor check and its result.
#ifndef QUOR_CONVERT_DISPATCH_H
#define QUOR_CONVERT_DISPATCH_H

#include "rows.h"

namespace quor::convert {

enum class Isa : int { kPlain = 0, kSse2 = 1, kAvx2 = 2 };

// Checks the processor again (YUV_init does this).
void RefreshIsa();
// The best implementation the processor runs, checked on first use.
Isa BestIsa();
// Caps the implementation in use (tests and benchmarks compare the paths); kAvx2 lifts the cap.
void LimitIsa(Isa highest);
// The implementation conversions use: the best one within the cap.
Isa ActiveIsa();
const RowSet& RowsFor(Isa isa);

}  // namespace quor::convert

#endif
