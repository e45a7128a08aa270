// Writable text buffers of exactly the size the text needs, so that sanitizers catch any write
// beyond it; and buffers of JOV_TEXT_SIZE bytes for outputs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "jov_strings.h"

namespace utiltest {

class TextBuffer {
 public:
  explicit TextBuffer(std::string_view text, std::size_t size = 0)
      : bytes_(text.begin(), text.end()) {
    bytes_.resize(size > text.size() ? size : text.size() + 1, '\0');
  }
  char* get() { return bytes_.data(); }
  std::string str() const { return bytes_.data(); }

 private:
  std::vector<char> bytes_;
};

inline TextBuffer OutputBuffer() { return TextBuffer("", JOV_TEXT_SIZE); }

}  // namespace utiltest
