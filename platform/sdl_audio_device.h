// An SDL audio device that pulls samples through a callback, with the audio subsystem held for
// as long as the device lives.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "jov_audio.h"

namespace jov {

class SdlAudioDevice {
 public:
  using Fill = void (*)(void* owner, uint8_t* out, uint32_t bytes);
  // Opens the device playing `format` through `fill`; Ok() tells whether it worked.
  SdlAudioDevice(const AudioFormat& format, const std::string& name, Fill fill, void* owner);
  ~SdlAudioDevice();
  SdlAudioDevice(const SdlAudioDevice&) = delete;
  SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

  bool Ok() const { return device_ != 0; }
  void Start();  // the callback runs from now on
  // Bytes the callback takes at a time (the data the device holds beyond the play cursor).
  uint32_t CallbackBytes() const { return callbackBytes_; }
  // Excludes the callback while held.
  void LockCallback() { SDL_LockAudioDevice(device_); }
  void UnlockCallback() { SDL_UnlockAudioDevice(device_); }
  // Stops the callback for good (before the owner's state goes away).
  void Close();

 private:
  static void SDLCALL Callback(void* self, Uint8* out, int bytes);
  bool subsystem_ = false;
  SDL_AudioDeviceID device_ = 0;
  Fill fill_;
  void* owner_;
  uint32_t callbackBytes_ = 0;
};

// Holds the guard of the callback for a scope.
class CallbackGuard {
 public:
  explicit CallbackGuard(SdlAudioDevice& d) : d_(d) { d_.LockCallback(); }
  ~CallbackGuard() { d_.UnlockCallback(); }
  CallbackGuard(const CallbackGuard&) = delete;
  CallbackGuard& operator=(const CallbackGuard&) = delete;

 private:
  SdlAudioDevice& d_;
};

}  // namespace jov
