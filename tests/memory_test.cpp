#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quor_memory.h"

namespace {

TEST(Allocator, BlocksAreAlignedZeroedAndRejectDegenerateSizes) {
  EXPECT_EQ(QuorAlloc(0), nullptr);
  EXPECT_EQ(QuorAlloc(0xFFFFFFFFu), nullptr);
  std::vector<void*> blocks;
  for (size_t size : {1u, 7u, 31u, 32u, 33u, 100u, 4096u, 100000u}) {
    auto* p = static_cast<uint8_t*>(QuorAlloc(size));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 32, 0u) << size;
    for (size_t i = 0; i < size; ++i) ASSERT_EQ(p[i], 0) << size;
    p[size - 1] = 0xAA;
    blocks.push_back(p);
  }
  for (void* p : blocks) QuorFree(p);
  QuorFree(nullptr);
}

int g_hookAllocs = 0, g_hookFrees = 0;
bool g_hookFails = false;
void* HookAllocate(size_t bytes) {
  if (g_hookFails) return reinterpret_cast<void*>(UINTPTR_MAX);
  ++g_hookAllocs;
  return std::malloc(bytes);
}
void HookRelease(void* block) {
  ++g_hookFrees;
  std::free(block);
}

TEST(Allocator, HostHooksSupplyAndReleaseMemory) {
  QuorSetMemoryHooks(HookAllocate, HookRelease);
  void* p = QuorAlloc(1000);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 32, 0u);
  // The release hook in force at allocation time frees the block, even after the hooks change.
  QuorSetMemoryHooks(nullptr, nullptr);
  QuorFree(p);
  EXPECT_EQ(g_hookAllocs, 1);
  EXPECT_EQ(g_hookFrees, 1);
  QuorSetMemoryHooks(HookAllocate, HookRelease);
  g_hookFails = true;
  EXPECT_EQ(QuorAlloc(1000), nullptr);
  QuorSetMemoryHooks(nullptr, nullptr);
  g_hookFails = false;
}

}  // namespace
