#include "quor_memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

// Where a block came from, kept in the byte two before it.
constexpr uint8_t kSourceDefault = 0;
constexpr uint8_t kSourceHook = 3;
constexpr size_t kOverhead = 64;

std::atomic<QuorAllocateHook> g_allocate{nullptr};
std::atomic<QuorReleaseHook> g_release{nullptr};

}  // namespace

extern "C" void QuorSetMemoryHooks(QuorAllocateHook allocate, QuorReleaseHook release) {
  g_allocate = allocate;
  g_release = release;
}

extern "C" void* QuorAlloc(size_t bytes) {
  if (bytes == 0 || bytes == 0xFFFFFFFFu || bytes > SIZE_MAX - kOverhead) return nullptr;
  const size_t total = bytes + kOverhead;
  uint8_t source = kSourceDefault;
  void* raw = nullptr;
  QuorReleaseHook release = g_release.load();
  if (QuorAllocateHook hook = g_allocate.load()) {
    raw = hook(total);
    if (raw == reinterpret_cast<void*>(UINTPTR_MAX)) return nullptr;
    if (raw) {
      std::memset(raw, 0, total);
      source = kSourceHook;
    }
  }
  if (!raw) raw = std::calloc(1, total);
  if (!raw) return nullptr;
  // The block starts at the next multiple of 32 that lies 33 to 64 bytes past the start.
  const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t block = (start + 64) & ~uintptr_t(31);
  uint8_t* p = reinterpret_cast<uint8_t*>(block);
  p[-1] = static_cast<uint8_t>(block - start);
  p[-2] = source;
  if (source == kSourceHook) std::memcpy(p - 16, &release, sizeof release);
  return p;
}

extern "C" void QuorFree(void* block) {
  if (!block) return;
  uint8_t* p = static_cast<uint8_t*>(block);
  void* raw = p - p[-1];
  if (p[-2] == kSourceHook) {
    QuorReleaseHook release;
    std::memcpy(&release, p - 16, sizeof release);
    if (release) release(raw);
    return;
  }
  std::free(raw);
}
