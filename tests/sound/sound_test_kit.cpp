// Support code of the sound tests (no tests of its own).
#include "sound_test_kit.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quortest {
namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

}  // namespace

Wav ReadWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Wav w;
  if (b.size() < 44 || std::memcmp(b.data(), "RIFF", 4) || std::memcmp(b.data() + 8, "WAVEfmt ", 8) ||
      std::memcmp(b.data() + 36, "data", 4))
    return w;
  w.channels = Le(b, 22, 2);
  w.rate = Le(b, 24, 4);
  w.bits = Le(b, 34, 2);
  const uint32_t size = Le(b, 40, 4);
  // Every size field agrees with the bytes on disk.
  if (Le(b, 4, 4) != 36 + size || b.size() != 44 + size || Le(b, 20, 2) != 1 ||
      Le(b, 32, 2) != w.bits / 8 * w.channels || Le(b, 28, 4) != w.rate * (w.bits / 8 * w.channels))
    return w;
  w.data.assign(b.begin() + 44, b.end());
  w.ok = true;
  return w;
}

TempPath::TempPath(const std::string& name) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string stem = info ? std::string(info->test_suite_name()) + "." + info->name() : "quor";
  std::replace(stem.begin(), stem.end(), '/', '_');
  path_ = (std::filesystem::temp_directory_path() / (stem + "." + std::to_string(::getpid()) + "." + name)).string();
}

TempPath::~TempPath() { std::filesystem::remove(path_); }

QuorMovie MovieOf(uint32_t frames, uint32_t rateNumerator, uint32_t rateDenominator) {
  QuorMovie m{};
  m.frameCount = frames;
  m.rateNumerator = rateNumerator;
  m.rateDenominator = rateDenominator;
  m.currentFrame = 1;
  return m;
}

CaptureTrack::CaptureTrack(const QuorCaptureOptions& options, uint32_t rate, uint32_t bits,
                           uint32_t channels, const QuorMovie& movie)
    : movie_(movie) {
  const QuorTrackOpenProc open = QuorSoundUseCapture(reinterpret_cast<uintptr_t>(&options));
  opened_ = open && open(&track_, rate, bits, channels, 0, &movie_) == 1;
}

CaptureTrack::~CaptureTrack() {
  if (opened_) track_.driver.close(&track_);
}

uint32_t CaptureTrack::Put(uint8_t value, uint32_t bytes) {
  void* address = nullptr;
  uint32_t length = 0;
  if (!track_.driver.lock(&track_, &address, &length) || !address) return 0;
  const uint32_t n = std::min(bytes, length);
  std::memset(address, value, n);
  track_.driver.submit(&track_, n);
  return n;
}

uint32_t CaptureTrack::Offered() {
  void* address = nullptr;
  uint32_t length = 0;
  return track_.driver.lock(&track_, &address, &length) ? length : 0;
}

}  // namespace quortest
