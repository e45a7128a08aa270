// The signed decimal reader: leading white space, an optional sign, digits. The value wraps
// modulo 2^32 instead of overflowing.
#pragma once

#include <cstdint>

namespace jovutil {

uint32_t ReadSignedDecimal(const char* text, const char** end = nullptr);

}  // namespace jovutil
