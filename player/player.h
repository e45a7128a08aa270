// The player: its window, the movies of the file list one after another, the controls, the
// statistics line, the end picture and the summary, over a display of the display seam.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "command_text.h"
#include "jov_display.h"
#include "movie_source.h"
#include "quor.h"
#include "quor_stats.h"
#include "quor_surface.h"
#include "player_settings.h"

namespace quorplay {

struct PlayerHooks {
  // The version reminder before opening a movie from a file; true ends the program.
  std::function<bool()> versionReminder = [] { return false; };
  std::function<void(const std::string& url)> openUrl = [](const std::string&) {};
  std::string programPath;  // the file of ":offset" names
};

class Player {
 public:
  // `fileList` is what is left of the command text once the switches are read.
  Player(JovDisplay& display, const PlayerSettings& settings, const std::string& fileList, PlayerHooks hooks = {});
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // The whole run: start, the loop until the window is gone, finish. The program's result.
  int run();

  // The steps of run, for tests: start creates the window and starts the first movie (false
  // when the program ends at once); pass is one turn of the loop (false once the window is
  // gone); finish closes everything, shows the summary and gives the result.
  bool start();
  bool pass();
  int finish();

  // What tests look at.
  const std::vector<std::string>& started() const { return started_; }  // names, in order
  QuorMovie* movie() const { return movie_; }
  QuorSurface* surface() const { return surface_; }
  JovWindow* window() const { return window_.get(); }
  bool showingEndPicture() const { return endPicture_; }
  bool userPaused() const { return userPaused_; }
  const QuorStats& keptSummary() const { return summary_; }
  int framesPresented() const { return presented_; }
  JovRect statisticsLine() const { return statsLine_; }

 private:
  void pump();
  void handle(const JovEvent& event);
  void key(int32_t character);
  void paint();
  bool windowPixelsUsable() const;
  void fillBlack();
  void destroyWindow();
  bool startMovie(bool first);
  bool nextMovie();
  void endOfMovie();
  void present();
  void drawStatistics();
  void openEndPicture();
  void closeMovie();
  void closeSurface();

  JovDisplay& display_;
  PlayerSettings settings_;
  PlayerHooks hooks_;
  CommandText list_;
  std::string savedList_;
  std::unique_ptr<JovWindow> window_;
  bool windowGone_ = false;
  QuorMovie* movie_ = nullptr;
  FileHandle file_;
  QuorSurface* surface_ = nullptr;
  int32_t screenWidth_ = 0, screenHeight_ = 0;
  uint32_t surfaceFlags_ = 0;
  int32_t x_ = 0, y_ = 0;  // window position (outer corner)

  bool userPaused_ = false;
  bool hasFocus_ = true;
  int quit_ = 0;  // 1 end playback, 2 close now
  bool skip_ = false;
  bool noBlackFill_ = true;
  bool forceFull_ = false;
  bool statsOn_ = false;
  int32_t movieLoops_ = 1;
  int32_t listLoops_ = 1;
  bool endPicture_ = false;
  uint32_t deadline_ = 0;
  QuorStats summary_{};
  JovRect statsLine_{};
  int32_t budget_ = 0;
  int result_ = 0;
  int presented_ = 0;
  std::vector<std::string> started_;
};

}  // namespace quorplay
