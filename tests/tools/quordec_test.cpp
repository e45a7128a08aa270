// quordec's picture and sound outputs on the demo movie, against the library's own results.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "demo_art.h"
#include "movie.h"
#include "movie_writer.h"
#include "packet.h"
#include "quor_convert.h"

namespace {

namespace fs = std::filesystem;

class Quordec : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quordec-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    movie_ = (dir_ / "demo.qor").string();
    image_ = quortest::DemoMovie();
    ASSERT_TRUE(quortest::WriteFile(movie_, image_));
  }
  void TearDown() override { fs::remove_all(dir_); }
  int Run(const std::string& args) {
    const std::string command = std::string(QUORDEC_PATH) + " " + movie_ + " " + args + " 2>" + (dir_ / "err").string();
    return std::system(command.c_str());
  }
  std::string Errors() {
    std::ifstream in(dir_ / "err");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The decoded-size words of track 0 for frames first..last (1-based), from the packets.
  uint64_t DecodedBytes(uint32_t first, uint32_t last) {
    QuorMovie* m = QuorOpenImage(image_.data(), image_.size(), 0);
    uint64_t total = 0;
    for (uint32_t f = first; f <= last; ++f) {
      QuorGoto(m, int32_t(f));
      const quor::Movie& in = *quor::AsMovie(m);
      std::span<const uint8_t> video;
      quor::SplitPacket({in.frameData, in.frameSize}, 1, video, [&](const quor::TrackSection& s) {
        if (s.present) total += s.decodedSize;
      });
    }
    QuorClose(m);
    return total;
  }
  fs::path dir_;
  std::string movie_;
  std::vector<uint8_t> image_;
};

std::vector<uint8_t> ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(Quordec, WavHoldsEveryPacketsDecodedSize) {
  ASSERT_EQ(Run("--wav 0 " + (dir_ / "all.wav").string()), 0) << Errors();
  ASSERT_EQ(Run("--wav 0 " + (dir_ / "part.wav").string() + " --start 101 --frames 50"), 0) << Errors();
  for (auto [name, first, last] : {std::tuple{"all.wav", 1u, 250u}, std::tuple{"part.wav", 101u, 150u}}) {
    SCOPED_TRACE(name);
    const auto wav = ReadFile(dir_ / name);
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(quortest::GetWord(wav, 24), 22050u);
    EXPECT_EQ(wav[22], 1) << "mono";
    EXPECT_EQ(wav[34], 16) << "16-bit";
    const uint64_t expected = DecodedBytes(first, last);
    EXPECT_EQ(quortest::GetWord(wav, 40), expected);
    EXPECT_EQ(wav.size(), 44 + expected);
    int peak = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2) peak = std::max(peak, std::abs(int(int16_t(wav[i] | wav[i + 1] << 8))));
    EXPECT_GT(peak, 5000) << "the demo's tone";
  }
  EXPECT_NE(Run("--wav 7 " + (dir_ / "none.wav").string()), 0);
  EXPECT_NE(Errors().find("no sound track with id 7"), std::string::npos) << Errors();
}

TEST_F(Quordec, PngFramesAreTheConvertedPictures) {
  const std::string pattern = (dir_ / "f%03d.png").string();
  ASSERT_EQ(Run("--png " + pattern + " --start 40 --frames 3"), 0) << Errors();
  EXPECT_FALSE(fs::exists(dir_ / "f039.png"));
  EXPECT_FALSE(fs::exists(dir_ / "f043.png"));
  QuorMovie* m = QuorOpenImage(image_.data(), image_.size(), 0);
  ASSERT_NE(m, nullptr);
  std::vector<uint8_t> expected(320 * 240 * 4);
  for (uint32_t f = 1; f <= 42; ++f) {
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    if (f >= 40) {
      QuorConvertFrame(m, expected.data(), 320 * 4, 240, 0, 0, 6 | QUOR_CONVERT_FORCE_FULL);
      for (size_t i = 3; i < expected.size(); i += 4) expected[i] = 255;
      char name[16];
      std::snprintf(name, sizeof name, "f%03u.png", f);
      png_image png{};
      png.version = PNG_IMAGE_VERSION;
      ASSERT_TRUE(png_image_begin_read_from_file(&png, (dir_ / name).c_str())) << name;
      EXPECT_EQ(png.width, 320u);
      EXPECT_EQ(png.height, 240u);
      png.format = PNG_FORMAT_RGBA;
      std::vector<uint8_t> read(PNG_IMAGE_SIZE(png));
      ASSERT_TRUE(png_image_finish_read(&png, nullptr, read.data(), 0, nullptr));
      EXPECT_EQ(read, expected) << name;
    }
    QuorStepFrame(m);
  }
  QuorClose(m);
  EXPECT_NE(Run("--png " + (dir_ / "nonumber.png").string()), 0);
  EXPECT_NE(Errors().find("one frame number"), std::string::npos) << Errors();
}

}  // namespace
