#include "sound_choice.h"

#include "quor_sound.h"

namespace quorplay {

void ChooseSoundOutput(bool headless, bool waveOut, const std::string& capturePath) {
  if (headless || !capturePath.empty()) {
    const QuorCaptureOptions options{capturePath.empty() ? nullptr : capturePath.c_str(), 1, 0};
    QuorSelectSoundOutput(QuorSoundUseCapture, reinterpret_cast<uintptr_t>(&options));  // the path is copied
    return;
  }
  QuorSelectSoundOutput(waveOut ? QuorSoundUseWaveOut : QuorSoundUseDirectSound, 0);
}

}  // namespace quorplay
