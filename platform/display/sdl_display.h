// The display on SDL2's video subsystem.
#pragma once

#include <SDL.h>

#include "jov_display.h"

namespace jov {

class SdlDisplay : public JovDisplay {
 public:
  // Null when SDL has no video device other than its dummy and off-screen drivers.
  static std::unique_ptr<SdlDisplay> Open();
  struct Opened {};  // only Open makes one, after the subsystem started
  explicit SdlDisplay(Opened) {}
  ~SdlDisplay() override;

  std::string name() const override;
  bool headless() const override { return false; }
  bool directAccess() const override { return true; }
  JovScreen screen() const override;
  std::vector<JovDisplayMode> modes() const override;
  std::unique_ptr<JovWindow> createWindow(const std::string& title, int32_t clientWidth,
                                          int32_t clientHeight, JovFrame frame) override;
  // The window system draws the cursor over the picture, never into a window's pixels.
  bool cursorIsSoftware() const override { return false; }
  JovRect cursorArea() const override;
  int32_t showCursor(bool show) override;
  void messageBox(const std::string& caption, const std::string& text, JovMessageKind kind) override;
  bool askYesNo(const std::string& caption, const std::string& text) override;
  bool nextEvent(JovEvent& event) override;

 private:
  int32_t cursorCount_ = 0;
};

}  // namespace jov
