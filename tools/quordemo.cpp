// Writes the built-in demo movie: quordemo OUT.qor
#include <cstdio>

#include "demo_art.h"
#include "movie_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quordemo OUT.qor\n");
    return 2;
  }
  if (!quortest::WriteFile(argv[1], quortest::DemoMovie())) {
    std::fprintf(stderr, "quordemo: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
