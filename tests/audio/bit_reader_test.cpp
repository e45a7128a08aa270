#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "audio_block_writer.h"
#include "block_bit_reader.h"

namespace quor::audio {
namespace {

// A copy on the heap of exactly `bytes.size()` bytes, so ASan reports any read past it.
std::unique_ptr<uint8_t[]> Exact(const std::vector<uint8_t>& bytes) {
  auto copy = std::make_unique<uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), copy.get());
  return copy;
}

TEST(AudioBitReader, ReadsFieldsBackAcrossWordsLowBitsFirst) {
  const std::vector<std::pair<uint32_t, unsigned>> fields = {
      {0x1ABCDEF5, 29}, {0x15555555, 29}, {0xFF, 8}, {1, 1}, {0, 4}, {0x7FFF, 15}, {0xDEADBEEF, 32}, {5, 3}};
  quortest::AudioBitWriter writer;
  for (const auto& [value, count] : fields) writer.Put(value, count);
  const std::vector<uint8_t> bytes = writer.Finish();
  ASSERT_EQ(bytes.size(), 4 * ((writer.bitCount() + 31) / 32));
  // The first word holds the first field in its low bits.
  EXPECT_EQ(bytes[0], 0xF5);

  // Also from an odd address: blocks follow 4-byte packet words but packets need not be aligned.
  std::vector<uint8_t> shifted(bytes.size() + 1, 0xAA);
  std::copy(bytes.begin(), bytes.end(), shifted.begin() + 1);
  const auto copy = Exact(shifted);
  BlockBitReader reader(copy.get() + 1, copy.get() + shifted.size());
  for (const auto& [value, count] : fields) EXPECT_EQ(reader.Read(count), value) << count;
  EXPECT_EQ(reader.NextWord(), copy.get() + shifted.size());
}

TEST(AudioBitReader, ZerosPastTheEndAndNextWordCounting) {
  const std::vector<uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};  // a word and a half
  const auto copy = Exact(bytes);
  BlockBitReader reader(copy.get(), copy.get() + bytes.size());
  EXPECT_EQ(reader.NextWord(), copy.get());
  EXPECT_EQ(reader.Peek(32), 0xFFFFFFFFu);  // looking ahead loads no word
  EXPECT_EQ(reader.NextWord(), copy.get());
  EXPECT_EQ(reader.Read(32), 0xFFFFFFFFu);
  EXPECT_EQ(reader.NextWord(), copy.get() + 4);
  EXPECT_EQ(reader.Read(1), 1u);  // one bit of the partial word: it counts as loaded
  EXPECT_EQ(reader.NextWord(), copy.get() + 6);  // capped at the end of the packet
  EXPECT_EQ(reader.Read(20), 0x7FFFu);  // 15 real bits, then zeros
  for (int i = 0; i < 10; ++i) EXPECT_EQ(reader.Read(32), 0u);
  EXPECT_EQ(reader.NextWord(), copy.get() + 6);
}

}  // namespace
}  // namespace quor::audio
