// Support code of the playback tests (no tests of its own).
#include "movie_fixture.h"

#include <unistd.h>

#include <filesystem>

namespace quortest {

TempFile::TempFile(const std::vector<uint8_t>& bytes, const std::string& name) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string stem = info ? std::string(info->test_suite_name()) + "." + info->name() : "quor";
  for (char& c : stem)
    if (c == '/') c = '_';
  path_ = (std::filesystem::temp_directory_path() /
           (stem + "." + std::to_string(::getpid()) + "." + name)).string();
  EXPECT_TRUE(WriteFile(path_, bytes));
}

TempFile::~TempFile() { std::filesystem::remove(path_); }

FakeSound& FakeSound::Get() {
  static FakeSound sound;
  return sound;
}

void FakeSound::Reset() { *this = FakeSound{}; }

namespace {

std::vector<uint8_t> g_device(1 << 16);

int Ready(QuorSoundTrack*) { return FakeSound::Get().ready ? 1 : 0; }
int Lock(QuorSoundTrack*, void** address, uint32_t* length) {
  *address = g_device.data();
  *length = FakeSound::Get().chunk;
  return 1;
}
void Submit(QuorSoundTrack*, uint32_t bytes) {
  auto& played = FakeSound::Get().played;
  played.insert(played.end(), g_device.begin(), g_device.begin() + bytes);
}
void SetLevel(QuorSoundTrack*, uint32_t) {}
void Pause(QuorSoundTrack*, int) {}
int OnOff(QuorSoundTrack* track, int on) {
  FakeSound::Get().onOffCalls.push_back(on);
  track->on = on;
  return on;
}
void Close(QuorSoundTrack*) { ++FakeSound::Get().closed; }

int TrackOpen(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels, uint32_t, QuorMovie*) {
  FakeSound& sound = FakeSound::Get();
  if (sound.failOpen) return 0;
  ++sound.opened;
  sound.openedRates.push_back(rate);
  track->driver = {Ready, Lock, Submit, SetLevel, SetLevel, Pause, OnOff, Close};
  track->rate = rate;
  track->bits = bits;
  track->channels = channels;
  track->deviceChunk = sound.chunk * (bits == 8 ? 2 : 1);
  track->on = 1;
  track->speed = 0x10000;
  return 1;
}

QuorTrackOpenProc FakeSelector(uintptr_t) { return TrackOpen; }
QuorTrackOpenProc NoSelector(uintptr_t) { return nullptr; }

}  // namespace

void UseFakeSound() { ASSERT_EQ(QuorSelectSoundOutput(FakeSelector, 0), 1); }
void UseNoSound() { QuorSelectSoundOutput(NoSelector, 0); }

}  // namespace quortest
