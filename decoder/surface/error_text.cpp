// The text of the last surface failure.
#include "surface.h"

namespace quor::surface {

namespace {
std::string& Text() {
  static std::string text;
  return text;
}
}  // namespace

void SetError(const char* text) { Text() = text; }
const std::string& ErrorText() { return Text(); }

}  // namespace quor::surface

extern "C" const char* QuorSurfaceGetError(void) { return quor::surface::ErrorText().c_str(); }
