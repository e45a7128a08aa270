// Helpers for the playback tests: movies on disk, opening in every mode, a sound backend that
// records what it is given.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "movie.h"
#include "movie_writer.h"
#include "quor.h"
#include "quor_sound.h"

namespace quortest {

// A file in the test's temporary folder, removed again at the end of the test.
class TempFile {
 public:
  explicit TempFile(const std::vector<uint8_t>& bytes, const std::string& name = "movie.qor");
  ~TempFile();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline quor::Movie& Internals(QuorMovie* m) { return *quor::AsMovie(m); }

// The bytes of the currently loaded packet.
inline std::vector<uint8_t> CurrentPacket(QuorMovie* m) {
  const quor::Movie& movie = Internals(m);
  return {movie.frameData, movie.frameData + movie.frameSize};
}

// A backend that takes everything at once, or nothing when `ready` is false.
struct FakeSound {
  static FakeSound& Get();
  void Reset();
  bool ready = true;
  bool failOpen = false;
  uint32_t chunk = 1024;        // device bytes per lock
  int opened = 0, closed = 0;
  std::vector<uint32_t> openedRates;
  std::vector<uint8_t> played;  // device bytes of every track, in submit order
  std::vector<int> onOffCalls;
};
// Selects the fake backend for the process (call FakeSound::Get().Reset() first).
void UseFakeSound();
void UseNoSound();

}  // namespace quortest
