// Opens any byte image as a movie in memory and plays every frame, sound tracks included.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "quor.h"
#include "quor_sound.h"

namespace {

uint8_t g_device[8192];

int Ready(QuorSoundTrack*) { return 1; }
int Lock(QuorSoundTrack*, void** address, uint32_t* length) {
  *address = g_device;
  *length = 1024;
  return 1;
}
void Submit(QuorSoundTrack*, uint32_t) {}
void Level(QuorSoundTrack*, uint32_t) {}
void Pause(QuorSoundTrack*, int) {}
int OnOff(QuorSoundTrack*, int on) { return on; }
void Close(QuorSoundTrack*) {}
int TrackOpen(QuorSoundTrack* t, uint32_t rate, uint32_t bits, uint32_t channels, uint32_t, QuorMovie*) {
  t->driver = {Ready, Lock, Submit, Level, Level, Pause, OnOff, Close};
  t->rate = rate;
  t->bits = bits;
  t->channels = channels;
  t->deviceChunk = bits == 8 ? 2048 : 1024;
  return 1;
}
QuorTrackOpenProc Selector(uintptr_t) { return TrackOpen; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool selected = QuorSelectSoundOutput(Selector, 0) == 1;
  (void)selected;
  // The image is copied so that reading past its end is caught.
  std::vector<uint8_t> image(data, data + size);
  const uint32_t ids[] = {0, 1, 2};
  QuorChooseSoundTracks(3, ids);
  const uint32_t flags = QUOR_OPEN_ALPHA | QUOR_OPEN_TRACK_LIST | (size % 7) << QUOR_OPEN_DISPLAY_MODE_SHIFT;
  QuorMovie* movie = QuorOpenImage(image.data(), image.size(), flags);
  if (!movie) return 0;
  const uint32_t frames = movie->frameCount < 5000 ? movie->frameCount : 5000;
  for (uint32_t i = 0; i <= frames; ++i) {
    if (QuorDecodeFrame(movie)) break;
    QuorShouldWait(movie);
    QuorStepFrame(movie);
  }
  QuorClose(movie);
  return 0;
}
