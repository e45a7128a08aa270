#include "dispatch.h"

#include <atomic>

namespace quor::convert {

namespace {

Isa Detect() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return Isa::kAvx2;
  if (__builtin_cpu_supports("sse2")) return Isa::kSse2;
#endif
  return Isa::kPlain;
}

std::atomic<int> detected{-1};
std::atomic<int> cap{static_cast<int>(Isa::kAvx2)};

}  // namespace

void RefreshIsa() { detected.store(static_cast<int>(Detect())); }

Isa BestIsa() {
  if (detected.load() < 0) RefreshIsa();
  return static_cast<Isa>(detected.load());
}

void LimitIsa(Isa highest) { cap.store(static_cast<int>(highest)); }

Isa ActiveIsa() {
  const int best = static_cast<int>(BestIsa());
  const int limit = cap.load();
  return static_cast<Isa>(best < limit ? best : limit);
}

const RowSet& PlainRows() {
  static const RowSet rows{PlainRgb32Rows(), PlainRgb24Rows(), PlainRgb16Rows(),
                           PlainPackedYuvRows()};
  return rows;
}

const RowSet& RowsFor(Isa isa) {
  if (static_cast<int>(isa) > static_cast<int>(BestIsa())) isa = BestIsa();
  switch (isa) {
    case Isa::kAvx2: return Avx2Rows();
    case Isa::kSse2: return Sse2Rows();
    case Isa::kPlain: break;
  }
  return PlainRows();
}

}  // namespace quor::convert
