// Character classes and in-place edits of NUL-terminated text buffers.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "jov_strings.h"

namespace jovutil {

// Blank: the code read as a signed byte is 32 or less, and it is not the terminator.
constexpr bool IsBlank(char c) { return c != '\0' && static_cast<signed char>(c) <= 32; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Removes `count` characters at `at` (the terminator moves along).
inline void EraseChars(char* text, std::size_t at, std::size_t count) {
  const std::size_t length = std::strlen(text);
  if (at >= length) return;
  if (count > length - at) count = length - at;
  std::memmove(text + at, text + at + count, length - at - count + 1);
}

// Copies `value` into a buffer of JOV_TEXT_SIZE bytes, cut to fit.
inline void CopyBounded(char* out, std::string_view value) {
  const std::size_t n = value.size() < JOV_TEXT_SIZE - 1 ? value.size() : JOV_TEXT_SIZE - 1;
  std::memmove(out, value.data(), n);
  out[n] = '\0';
}

}  // namespace jovutil
