// Quor sound output: the played-track record and the table of backend operations.
#ifndef QUOR_SOUND_H
#define QUOR_SOUND_H

#include <stdint.h>

#include "quor.h"
#include "quor_audio.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct QuorSoundTrack QuorSoundTrack;

// The operations through which a backend takes samples from a track's ring to its device.
typedef struct QuorSoundDriver {
  int (*ready)(QuorSoundTrack* track);  // 1 when the device can take data now
  // The device memory to write next; 0 when none.
  int (*lock)(QuorSoundTrack* track, void** address, uint32_t* length);
  void (*submit)(QuorSoundTrack* track, uint32_t bytes);  // the bytes just written
  void (*setVolume)(QuorSoundTrack* track, uint32_t volume);  // 0..32767
  void (*setPan)(QuorSoundTrack* track, uint32_t pan);        // 0..65536, 32768 = centre
  void (*pause)(QuorSoundTrack* track, int pause);
  int (*onOff)(QuorSoundTrack* track, int on);  // the state afterwards
  void (*close)(QuorSoundTrack* track);
} QuorSoundDriver;

struct QuorSoundTrack {
  QuorSoundDriver driver;  // filled by the backend's track-open operation
  // The decoded-audio ring: 16-bit samples, channels interleaved.
  uint32_t ringSize;
  uint8_t* ring;
  uint8_t* ringEnd;
  uint8_t* writePointer;
  uint8_t* readPointer;
  QuorAudioDecoder* decoder;
  uint32_t queued;          // bytes in the ring
  uint32_t eightBit;        // 1 when the device takes 8-bit unsigned samples
  uint32_t leadOutFrame;    // from this frame on a short ring is no underrun
  uint32_t preloadAmount;   // bytes the ring should hold when sound starts or restarts
  uint32_t deviceChunk;     // the device's write granularity in ring bytes
  uint32_t underrun;        // set by the backend when the device ran dry
  uint32_t on;
  uint32_t latency;         // milliseconds
  uint32_t speed;           // 16.16 factor applied to the video schedule
  uint32_t rate, bits, channels;
  uint32_t volume, pan;
  void* device;             // the backend's own state
};

// Opens a device for a track: 1 on success.
typedef int (*QuorTrackOpenProc)(QuorSoundTrack* track, uint32_t rate, uint32_t bits,
                                 uint32_t channels, uint32_t movieFlags, QuorMovie* movie);
typedef QuorTrackOpenProc (*QuorSoundSelector)(uintptr_t parameter);

// Chooses the backend for the whole process: 1 if a track-open operation is available.
int QuorSelectSoundOutput(QuorSoundSelector selector, uintptr_t parameter);

// Backend selectors for QuorSelectSoundOutput.
// Queued buffers on the sound card (16 buffers of a sixteenth of a second); the parameter is
// ignored.
QuorTrackOpenProc QuorSoundUseWaveOut(uintptr_t ignored);
// A looping buffer of 0.6 s on the sound card; the parameter is the name of the output device
// (a const char*), or 0 for the default. Returns 0 when the sound card layer can't start.
QuorTrackOpenProc QuorSoundUseDirectSound(uintptr_t deviceName);

// Capture: exactly what would be played goes into a WAV file instead of a sound card.
typedef struct QuorCaptureOptions {
  const char* path;  // the WAV file (copied at selection); null or "": played into nothing.
                     // A track opened while another capture track is open writes to the path
                     // with "-2", "-3", ... before its extension.
  uint32_t paced;    // 1: plays at the pace of the library clock; 0: as fast as it is fed
  uint32_t looping;  // 1: the looping-buffer backend (always paced); 0: queued buffers
} QuorCaptureOptions;
// The parameter is a const QuorCaptureOptions*; 0 gives no backend.
QuorTrackOpenProc QuorSoundUseCapture(uintptr_t options);

#ifdef __cplusplus
}
#endif

#endif
