#include "wav_track.h"

#include <algorithm>
#include <vector>

#include "movie.h"
#include "section_audio.h"

WavTrack::WavTrack(QuorMovie* movie, uint32_t id, const std::string& path) : out_(path) {
  if (path == "-") Fail("--wav needs a file name, not standard output");
  const quor::Movie& m = *quor::AsMovie(movie);
  uint32_t t = 0;
  while (t < m.header.trackCount && m.trackIds[t] != id) ++t;
  if (t == m.header.trackCount) Fail("the movie has no sound track with id " + std::to_string(id));
  const uint32_t format = m.trackFormats[t];
  if (!(format & 0x80000000u)) Fail("sound track " + std::to_string(id) + " holds no audio");
  track_ = t;
  rate_ = format & 0xFFFF;
  channels_ = (format & 0x20000000u) ? 2 : 1;
  decoder_ = QuorAudioDecoderOpen(rate_, channels_, 1);
  if (!decoder_) Fail("sound track " + std::to_string(id) + " has a format that can't be decoded");
  WriteHeader(0);
}

WavTrack::~WavTrack() { QuorAudioDecoderClose(decoder_); }

void WavTrack::WriteHeader(uint32_t dataBytes) {
  uint8_t h[44];
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) h[at + i] = uint8_t(v >> (8 * i));
  };
  auto put16 = [&](int at, uint32_t v) {
    h[at] = uint8_t(v);
    h[at + 1] = uint8_t(v >> 8);
  };
  std::copy_n("RIFF", 4, h);
  put32(4, 36 + dataBytes);
  std::copy_n("WAVEfmt ", 8, h + 8);
  put32(16, 16);
  put16(20, 1);  // PCM
  put16(22, channels_);
  put32(24, rate_);
  put32(28, rate_ * channels_ * 2);
  put16(32, channels_ * 2);
  put16(34, 16);
  std::copy_n("data", 4, h + 36);
  put32(40, dataBytes);
  if (dataBytes == 0)
    out_.Write(h, sizeof h);
  else
    out_.WriteAt(0, h, sizeof h);
}

void WavTrack::Add(uint32_t decodedSize, std::span<const uint8_t> audio) {
  const uint32_t missing = quor::DecodeSectionAudio(decoder_, {track_, true, decodedSize, audio},
                                                    [this](const uint8_t* bytes, uint32_t count) {
                                                      out_.Write(bytes, count);
                                                      dataBytes_ += count;
                                                      return true;
                                                    });
  // A damaged packet that yields less keeps the sound in step with the frames: silence.
  if (missing > 0) {
    const std::vector<uint8_t> silence(missing, 0);
    out_.Write(silence.data(), silence.size());
    dataBytes_ += missing;
  }
}

void WavTrack::Finish() {
  if (dataBytes_ > 0xFFFFFFFFull - 36) Fail(out_.path() + ": more sound than a WAV file holds");
  WriteHeader(static_cast<uint32_t>(dataBytes_));
  out_.Finish();
}
