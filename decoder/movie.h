// The open-movie record behind QuorMovie: everything a movie owns while it plays.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "container.h"
#include "quor.h"
#include "quor_memory.h"
#include "quor_sound.h"
#include "quor_video.h"
#include "reader.h"
#include "settings.h"
#include "worker.h"

namespace quor {

struct LibraryFree {
  void operator()(void* p) const { QuorFree(p); }
};
template <typename T>
using Buffer = std::unique_ptr<T[], LibraryFree>;

// Seven histories of r words each, newest first.
enum History : int {
  kHistoryDecodeStart,
  kHistoryAudio,
  kHistoryVideo,
  kHistoryBlit,
  kHistoryForeground,
  kHistoryIdle,
  kHistoryBackground,
  kHistoryCount
};

struct Movie : QuorMovie {
  Header header;
  uint32_t lumaWidth = 0, lumaHeight = 0;      // coded size rounded up to multiples of 16
  uint32_t chromaWidth = 0, chromaHeight = 0;  // ((coded + 1) / 2) rounded up to multiples of 8
  uint32_t blocksPerRow = 0, blockCount = 0;   // of the change map
  uint32_t peakDataSize = 0, peakFrame = 0;
  bool allKeyFrames = false;
  uint32_t paused = 0;

  // Pictures: two buffers used alternately (the same one twice when every frame is a key frame).
  uint32_t frontPicture = 0;
  std::array<uint8_t*, 2> pictures{};
  std::array<uint8_t*, 2> alphaPlanes{};
  uint8_t* changeMap = nullptr;

  // Frame data: the current packet, and either the preload buffer or the frame buffer and ring.
  const uint8_t* frameData = nullptr;
  uint32_t frameSize = 0;
  const uint8_t* preload = nullptr;   // all frame data (from the first packet on)
  uint64_t preloadSize = 0;           // bytes of frame data actually held there
  Buffer<uint8_t> ownedPreload;       // null when the preload is the caller's memory image
  uint8_t* frameBuffer = nullptr;     // one planned buffer of the largest packet's size
  uint32_t frameBufferSize = 0;
  Buffer<uint8_t> ring;
  std::span<const uint32_t> frameIndex;
  Reader reader;
  WorkerClient readClient, soundClient;

  // Track tables as the file gives them, and the played tracks.
  std::span<const uint32_t> trackSizes, trackFormats, trackIds;
  std::span<uint32_t> activeList;             // room for one index per requested id
  uint32_t activeCount = 0;                   // indices into the track tables in use
  std::span<QuorSoundTrack> soundTracks;      // one per requested id, at least one
  uint32_t soundOn = 0;
  uint32_t soundSkips = 0;

  // Timing.
  uint32_t framesDecoded = 0;
  uint32_t historyStart = 0;
  uint32_t decodeStart = 0, decodeEnd = 0;
  uint32_t timingBase = 0, baseFrame = 0;
  uint32_t twoFrames = 0;
  uint32_t frameStart = 0;
  uint32_t slowestTime = 0, slowestFrame = 0, secondTime = 0, secondFrame = 0;
  uint32_t memoryUsed = 0;
  uint32_t videoTime = 0, audioTime = 0, blitTime = 0;
  uint32_t openTime = 0;
  uint32_t wholeRate = 1;
  std::array<std::span<uint32_t>, kHistoryCount> histories;  // r + 1 words each
  uint32_t conversionFlags = 0;
  int32_t decodedFrame = -1;
  uint32_t blitSkipped = 0, skippedBlits = 0;
  uint32_t lateCount = 0;
  uint32_t lateness = 0, latenessStep = 0;

  QuorStreamBuffers streams{};
  std::vector<Buffer<uint8_t>> owned;  // every other planned buffer
  bool rateOverridden = false;
  RateOverride usedOverride{0, 0};

  bool TrackActive() const { return activeCount != 0; }
  std::span<const uint32_t> ActiveTracks() const { return activeList.first(activeCount); }
  std::span<const uint32_t> Index() const { return frameIndex; }
  uint32_t FirstFrameOffset() const { return PacketOffset(frameIndex[0]); }
  uint8_t* BackPicture() { return pictures[frontPicture ^ 1]; }
};

inline Movie* AsMovie(QuorMovie* m) { return static_cast<Movie*>(m); }
inline const Movie* AsMovie(const QuorMovie* m) { return static_cast<const Movie*>(m); }

// Planned buffer sizes: each size is rounded up to 16 and then grown by a multiple of 32 that
// staggers consecutive buffers across cache sets.
std::vector<uint32_t> PlanSizes(std::span<const uint32_t> sizes);

// Playback internals shared by the entry points.
void FrameTimeBookkeeping(Movie& movie);
void FeedTracks(Movie& movie);
void TopUpRing(Movie& movie);
// The blit-skip rule applied before a conversion: 1 = the frame is late (skip it unless
// never-skip is set in `callFlags` or the movie's flags).
int LateBlitCheck(Movie& movie, uint32_t callFlags);

}  // namespace quor
