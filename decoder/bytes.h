// Little-endian words, as every number in a movie file and bitstream is stored.
#pragma once

#include <cstdint>
#include <cstring>

namespace quor {

inline uint32_t LoadLe32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  v = __builtin_bswap32(v);
#endif
  return v;
}

}  // namespace quor
