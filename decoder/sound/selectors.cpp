// The selectors of the three backends, handed to QuorSelectSoundOutput.
#include <string>

#include "backends.h"
#include "jov_audio.h"
#include "output_target.h"
#include "quor_sound.h"

using namespace quor::sound;

extern "C" QuorTrackOpenProc QuorSoundUseWaveOut(uintptr_t /*ignored*/) {
  SelectSoundCard({});
  return QueuedTrackOpen;
}

extern "C" QuorTrackOpenProc QuorSoundUseDirectSound(uintptr_t deviceName) {
  // Probe once that the sound card layer starts; without it movies play silently.
  if (!jov::SoundCardAvailable()) return nullptr;
  const char* name = reinterpret_cast<const char*>(deviceName);
  SelectSoundCard(name ? name : "");
  return LoopingTrackOpen;
}

extern "C" QuorTrackOpenProc QuorSoundUseCapture(uintptr_t options) {
  const auto* o = reinterpret_cast<const QuorCaptureOptions*>(options);
  if (!o) return nullptr;
  SelectCapture(o->path ? o->path : "", o->paced != 0);
  return o->looping ? LoopingTrackOpen : QueuedTrackOpen;
}
