// Movies in a temporary folder and a player on the headless screen under the manual clock.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "clock.h"
#include "demo_art.h"
#include "jov_headless.h"
#include "movie_writer.h"
#include "player.h"

namespace quortest {

// The demo movie (no sound) cut to its first `frames` frames.
inline std::vector<uint8_t> ShortDemo(uint32_t frames) {
  std::vector<uint8_t> movie = DemoMovie(false);
  SetWord(movie, 8, frames);
  return movie;
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorplay-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteFile(file(name), bytes);
    return file(name);
  }

 private:
  std::filesystem::path path_;
};

struct PlayerRun {
  explicit PlayerRun(const std::string& commandLine, quorplay::PlayerHooks hooks = {}) {
    quorplay::CommandText command = quorplay::BuildCommandText("", commandLine, "");
    settings = quorplay::ReadSwitches(command.data());
    player = std::make_unique<quorplay::Player>(display, settings, command.str(), std::move(hooks));
  }
  // Passes until `done` holds or the loop ends; false when `limit` passes were not enough.
  template <typename Done>
  bool until(Done&& done, int limit = 200000) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      if (!player->pass()) return done();
    }
    return false;
  }
  // Passes until the loop ends; false when `limit` passes were not enough.
  bool toTheEnd(int limit = 200000) {
    for (int i = 0; i < limit; ++i)
      if (!player->pass()) return true;
    return false;
  }
  void key(int32_t character) { display.post({JovEvent::kKey, character}); }

  quor::ManualClock clock{1000, 1};
  JovHeadlessDisplay display;
  quorplay::PlayerSettings settings;
  std::unique_ptr<quorplay::Player> player;
};

}  // namespace quortest
