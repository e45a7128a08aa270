// One track's decoded audio as a 16-bit WAV file: every packet contributes its decoded size,
// in frame order.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "output_file.h"
#include "quor_audio.h"

struct QuorMovie;

class WavTrack {
 public:
  // Finds the first track with `id`; ends the program with a message when there is none.
  WavTrack(QuorMovie* movie, uint32_t id, const std::string& path);
  ~WavTrack();
  WavTrack(const WavTrack&) = delete;
  WavTrack& operator=(const WavTrack&) = delete;

  uint32_t track() const { return track_; }
  // One packet's section of this track (decoded size and compressed bytes).
  void Add(uint32_t decodedSize, std::span<const uint8_t> audio);
  void Finish();

 private:
  void WriteHeader(uint32_t dataBytes);

  uint32_t track_ = 0;
  uint32_t rate_ = 0, channels_ = 0;
  uint64_t dataBytes_ = 0;
  QuorAudioDecoder* decoder_ = nullptr;
  OutputFile out_;
};
