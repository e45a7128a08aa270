// Writes the built-in demo movie: quordemo OUT.qor
#include <cstdio>

#include "movie_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quordemo OUT.qor\n");
    return 2;
  }
  quortest::MovieSpec spec = quortest::PatternMovie(250, 900, 2);
  spec.width = 160;
  spec.height = 120;
  spec.tracks[1].id = 7;
  if (!quortest::WriteFile(argv[1], quortest::BuildMovie(spec))) {
    std::fprintf(stderr, "quordemo: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
