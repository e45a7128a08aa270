// The headless display: a screen in memory. Windows, pixel buffers and textures behave as on a
// real screen; whatever is shown is composited into the screen's pixels, which can be read
// back, and every shown rectangle is recorded.
#pragma once

#include <vector>

#include "jov_display.h"

struct JovHeadlessConfig {
  JovScreen screen{1024, 768, kJovXrgb8888};
  bool directAccess = true;
  bool windowPixels = true;           // windows have a pixel buffer
  bool acceleratedRenderer = true;
  bool softwareRenderer = true;
  // Formats the renderers take as textures (besides the screen's own layout).
  std::vector<uint32_t> acceleratedFourccs{kJovYV12, kJovYUY2, kJovUYVY};
  JovScaling acceleratedScaling{{true, true, true, true}, {true, true, true, true}};
  JovScaling softwareScaling{{true, true, true, true}, {true, true, true, true}};
  std::vector<JovDisplayMode> modes;  // full-screen modes besides the screen's own
  // Frame sizes of captioned windows (left, top, right, bottom); bordered windows have the
  // sides only, kNone windows nothing.
  int32_t frameLeft = 3, frameTop = 22, frameRight = 3, frameBottom = 3;
  bool softwareCursor = false;
  JovRect cursor{0, 0, 32, 32};
  bool answerYes = false;  // what askYesNo answers
};

class JovHeadlessDisplay : public JovDisplay {
 public:
  explicit JovHeadlessDisplay(JovHeadlessConfig config = {});
  ~JovHeadlessDisplay() override;

  // Settings may change while windows are open (screen layout changes apply to new buffers).
  JovHeadlessConfig& config() { return config_; }

  // The screen pixel at (x, y) as 0xRRGGBB; 0 outside the screen.
  uint32_t rgbAt(int32_t x, int32_t y) const;
  // Screen rectangles shown so far (each clipped to its window and the screen), in order.
  const std::vector<JovRect>& shown() const { return shown_; }
  void forgetShown() { shown_.clear(); }
  // Events that nextEvent hands out.
  void post(const JovEvent& event) { events_.push_back(event); }
  // Texts of the message boxes shown (caption, then text).
  const std::vector<std::pair<std::string, std::string>>& messages() const { return messages_; }
  int32_t cursorCount() const { return cursorCount_; }

  std::string name() const override { return "headless"; }
  bool headless() const override { return true; }
  bool directAccess() const override { return config_.directAccess; }
  JovScreen screen() const override { return current_; }
  std::vector<JovDisplayMode> modes() const override;
  std::unique_ptr<JovWindow> createWindow(const std::string& title, int32_t clientWidth,
                                          int32_t clientHeight, JovFrame frame) override;
  bool cursorIsSoftware() const override { return config_.softwareCursor; }
  JovRect cursorArea() const override { return config_.cursor; }
  int32_t showCursor(bool show) override { return cursorCount_ += show ? 1 : -1; }
  void messageBox(const std::string& caption, const std::string& text, JovMessageKind kind) override;
  // Records and prints the question like a message box, and answers config().answerYes.
  bool askYesNo(const std::string& caption, const std::string& text) override;
  bool nextEvent(JovEvent& event) override;

  // Used by the headless windows and textures.
  void store(int32_t x, int32_t y, uint32_t rgb);
  void noteShown(JovRect area);
  bool setMode(const JovDisplayMode& mode);
  void restoreMode();

 private:
  JovHeadlessConfig config_;
  JovScreen current_;
  std::vector<uint32_t> pixels_;
  std::vector<JovRect> shown_;
  std::vector<JovEvent> events_;
  std::vector<std::pair<std::string, std::string>> messages_;
  int32_t cursorCount_ = 0;
};
