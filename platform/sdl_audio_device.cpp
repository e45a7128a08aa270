// Opening SDL audio devices. Without a usable audio driver or device every open fails, and the
// caller plays without sound; SDL_AUDIODRIVER=dummy gives a device that plays into nothing at the
// real pace.
#include "sdl_audio_device.h"

namespace jov {

SdlAudioDevice::SdlAudioDevice(const AudioFormat& format, const std::string& name, Fill fill, void* owner)
    : fill_(fill), owner_(owner) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  subsystem_ = true;
  SDL_AudioSpec want{};
  want.freq = static_cast<int>(format.rate);
  want.format = format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  want.channels = static_cast<Uint8>(format.channels);
  // About 20 ms per callback, a power of two.
  Uint16 samples = 256;
  while (samples < 4096 && samples * 50u < format.rate) samples *= 2;
  want.samples = samples;
  want.callback = &SdlAudioDevice::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts our format to the hardware's itself.
  device_ = SDL_OpenAudioDevice(name.empty() ? nullptr : name.c_str(), 0, &want, &have, 0);
  if (device_ == 0) return;
  callbackBytes_ = static_cast<uint32_t>(have.samples) * format.BlockAlign();
}

SdlAudioDevice::~SdlAudioDevice() {
  Close();
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioDevice::Start() {
  if (device_) SDL_PauseAudioDevice(device_, 0);
}

void SdlAudioDevice::Close() {
  if (device_) SDL_CloseAudioDevice(device_);  // waits for a running callback
  device_ = 0;
}

void SDLCALL SdlAudioDevice::Callback(void* self, Uint8* out, int bytes) {
  auto* d = static_cast<SdlAudioDevice*>(self);
  d->fill_(d->owner_, out, static_cast<uint32_t>(bytes));
}

bool SoundCardAvailable() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return true;
}

}  // namespace jov
