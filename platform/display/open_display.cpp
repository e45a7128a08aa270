// Choosing between the screen and the headless display.
#include <cstdlib>
#include <cstring>

#include "jov_headless.h"
#include "sdl_display.h"

std::unique_ptr<JovDisplay> JovOpenDisplay(JovDisplayChoice choice) {
  const char* wanted = std::getenv("QUOR_HEADLESS");
  const bool forced = wanted != nullptr && std::strcmp(wanted, "0") != 0;
  if (choice == JovDisplayChoice::kHeadless || (choice == JovDisplayChoice::kAutomatic && forced))
    return std::make_unique<JovHeadlessDisplay>();
  if (std::unique_ptr<JovDisplay> screen = jov::SdlDisplay::Open()) return screen;
  if (choice == JovDisplayChoice::kScreen) return nullptr;
  return std::make_unique<JovHeadlessDisplay>();
}
