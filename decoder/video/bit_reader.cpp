#include "quor_blocks.h"

extern "C" void QuorBitReaderInit(QuorBitReader* reader, const uint8_t* data, size_t size) {
  *reader = QuorBitReader{data, data ? size : 0, 0, 0, 0};
}

extern "C" size_t QuorBitReaderWordEnd(const QuorBitReader* reader) {
  const size_t consumed = reader->next * 8 - reader->count;
  return (consumed + 31) / 32 * 4;
}
