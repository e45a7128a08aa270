// jovmalloc and jovfree: alignment, the stored offset, the counts that give no block, and the
// message when memory runs out.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "jov_strings.h"
#include "message_box.h"

// The out-of-memory case asks for more than can exist; the address sanitizer must then return
// null like the plain heap does.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif
#endif

namespace {

std::vector<std::string> g_messages;

void Catch(const char* text, const char* caption) {
  g_messages.push_back(std::string(caption) + "|" + text);
}

class JovMalloc : public testing::Test {
 protected:
  void SetUp() override {
    g_messages.clear();
    jovutil::SetMessageSink(Catch);
  }
  void TearDown() override { jovutil::SetMessageSink(nullptr); }
};

TEST_F(JovMalloc, AlignedBlocksWithTheirOffsetJustBefore) {
  for (size_t bytes : {1u, 7u, 31u, 32u, 33u, 100u, 4096u, 100000u}) {
    auto* block = static_cast<unsigned char*>(jovmalloc(bytes));
    ASSERT_NE(block, nullptr) << bytes;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 32, 0u) << bytes;
    const unsigned offset = block[-1];
    EXPECT_GE(offset, 1u);
    EXPECT_LE(offset, 32u);
    std::memset(block, 0xA5, bytes);  // the whole count is usable
    jovfree(block);
  }
  jovfree(nullptr);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(JovMalloc, ZeroAndAllBitsSetGiveNullSilently) {
  EXPECT_EQ(jovmalloc(0), nullptr);
  EXPECT_EQ(jovmalloc(SIZE_MAX), nullptr);
  EXPECT_EQ(jovmalloc(0xFFFFFFFFu), nullptr);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(JovMalloc, ExhaustionIsReported) {
  // SIZE_MAX - 8 would wrap when the 32 bytes are added; half the address space cannot exist.
  for (size_t bytes : {SIZE_MAX - 8, SIZE_MAX / 2}) {
    EXPECT_EQ(jovmalloc(bytes), nullptr);
  }
  ASSERT_EQ(g_messages.size(), 2u);
  EXPECT_EQ(g_messages[0], "Memory Error|Error: ran out of memory!");
  EXPECT_EQ(g_messages[1], g_messages[0]);
}

}  // namespace
