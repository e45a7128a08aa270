// jovmalloc and jovfree: 32-byte aligned blocks from the standard heap. The byte just before a
// block holds the distance (1 to 32) back to the start of the heap block.
#include <cstdint>
#include <cstdlib>

#include "jov_strings.h"
#include "message_box.h"

namespace {
constexpr std::size_t kAlignment = 32;
}  // namespace

extern "C" {

void* jovmalloc(size_t bytes) {
  // 0, all bits set (also as a 32-bit count) and sizes that would wrap give no block.
  if (bytes == 0 || bytes == SIZE_MAX || bytes == 0xFFFFFFFFu) return nullptr;
  unsigned char* raw = nullptr;
  if (bytes <= SIZE_MAX - kAlignment) raw = static_cast<unsigned char*>(std::malloc(bytes + kAlignment));
  if (!raw) {
    jovutil::ShowErrorMessage("Error: ran out of memory!", "Memory Error");
    return nullptr;
  }
  const std::size_t offset = kAlignment - reinterpret_cast<uintptr_t>(raw) % kAlignment;
  raw[offset - 1] = static_cast<unsigned char>(offset);
  return raw + offset;
}

void jovfree(void* block) {
  if (!block) return;
  unsigned char* aligned = static_cast<unsigned char*>(block);
  std::free(aligned - aligned[-1]);
}

}  // extern "C"
