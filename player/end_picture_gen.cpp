// Writes the source file that holds the end picture's movie bytes: gen OUT.cpp
#include <cstdio>

#include "demo_art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.cpp\n", argv[0]);
    return 2;
  }
  const std::vector<uint8_t> bytes = quortest::EndPicture();
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) return 1;
  std::fprintf(out, "// Generated at build time: the end picture as movie bytes.\n#include \"end_picture.h\"\n\n");
  std::fprintf(out, "namespace quorplay {\nnamespace {\nconstexpr unsigned char kBytes[] = {");
  for (size_t i = 0; i < bytes.size(); ++i) std::fprintf(out, "%s%u,", i % 24 == 0 ? "\n" : "", bytes[i]);
  std::fprintf(out, "\n};\n}  // namespace\n\n");
  std::fprintf(out, "std::span<const uint8_t> EndPictureMovie() { return {kBytes, sizeof kBytes}; }\n\n");
  std::fprintf(out, "}  // namespace quorplay\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
