// Frames as 32-bit PNG files named by a pattern such as frame%04d.png.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct QuorMovie;

class PngFrames {
 public:
  // Ends the program with a message when the pattern has no frame number, or more than one.
  explicit PngFrames(std::string pattern);
  // Converts the movie's current picture (with its alpha plane when it decodes one) and writes
  // it as the file for `frame`.
  void Write(QuorMovie* movie, uint32_t frame);
  std::string NameOf(uint32_t frame) const;

 private:
  std::string before_, after_;
  bool zeroPad_ = false;
  int width_ = 0;
  std::vector<uint8_t> pixels_;
};
