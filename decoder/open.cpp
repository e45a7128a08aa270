// QuorOpen and QuorClose: reading and checking the container, planning and allocating the
// movie's buffers, choosing between preload and read-ahead ring, opening the played tracks.
#include <algorithm>
#include <cstring>
#include <memory>

#include "bytes.h"
#include "clock.h"
#include "movie.h"
#include "settings.h"
#include "sound_system.h"
#include "worker_registry.h"

namespace quor {
namespace {

// A decoded-audio ring larger than this comes from a damaged track table; the track is dropped.
constexpr uint32_t kMaxTrackRing = 16u << 20;

struct Source {
  enum Kind { kFile, kDescriptor, kImage } kind = kFile;
  const char* path = nullptr;
  int fd = -1;
  const uint8_t* image = nullptr;
  size_t imageSize = 0;
};

uint32_t RoundUp(uint32_t v, uint32_t to) { return (v + to - 1) / to * to; }

class MovieDeleter {
 public:
  void operator()(Movie* m) const {
    std::destroy_at(m);
    QuorFree(m);
  }
};
using MoviePtr = std::unique_ptr<Movie, MovieDeleter>;

MoviePtr NewMovie() {
  void* memory = QuorAlloc(sizeof(Movie));
  if (!memory) return nullptr;
  return MoviePtr(std::construct_at(static_cast<Movie*>(memory)));
}

// Allocates a batch of planned buffers; null entries on failure. Adds to memory used.
bool AllocateBatch(Movie& m, std::span<const uint32_t> sizes, std::span<uint8_t*> out) {
  const std::vector<uint32_t> planned = PlanSizes(sizes);
  for (size_t i = 0; i < planned.size(); ++i) {
    Buffer<uint8_t> block(static_cast<uint8_t*>(QuorAlloc(planned[i])));
    if (!block) return false;
    out[i] = block.get();
    m.memoryUsed += planned[i];
    m.owned.push_back(std::move(block));
  }
  return true;
}

template <typename T>
std::span<T> View(uint8_t* p, size_t count) {
  return {reinterpret_cast<T*>(p), count};
}

uint32_t ReadPriority(WorkerClient& client, uint32_t tick) {
  auto& m = *static_cast<Movie*>(client.owner);
  if (m.reader.readError) return 0;  // nothing more will ever be read
  const uint32_t p = m.reader.FillPercent();
  if (p < 50) return ~p;
  if (client.lastTick == tick) return 0;
  return 0x80000000u - client.lastTick;
}

void ReadServe(WorkerClient& client, uint32_t tick) {
  static_cast<Movie*>(client.owner)->reader.Idle();
  client.lastTick = tick;
}

uint32_t SoundPriority(WorkerClient& client, uint32_t tick) {
  return client.lastTick == tick ? 0 : ~client.lastTick;
}

void SoundServe(WorkerClient& client, uint32_t tick) {
  auto& m = *static_cast<Movie*>(client.owner);
  if (m.TrackActive()) FeedTracks(m);
  client.lastTick = tick;
}

void CloseTrack(QuorSoundTrack& track) {
  if (track.driver.close) track.driver.close(&track);
  QuorAudioDecoderClose(track.decoder);
  QuorFree(track.ring);
  track = QuorSoundTrack{};
}

void DropActiveTrack(Movie& m, uint32_t k) {
  // The records after k are not opened yet, so moving them up is safe.
  for (uint32_t j = k; j + 1 < m.activeCount; ++j) {
    m.activeList[j] = m.activeList[j + 1];
    m.soundTracks[j] = m.soundTracks[j + 1];
  }
  --m.activeCount;
  m.soundTracks[m.activeCount] = QuorSoundTrack{};
}

bool OpenTrack(Movie& m, uint32_t k, QuorTrackOpenProc trackOpen) {
  const uint32_t t = m.activeList[k];
  const uint32_t format = m.trackFormats[t];
  if (!(format & 0x80000000u) || !trackOpen) return false;
  const uint32_t fileRate = format & 0xFFFF;
  uint32_t rate = fileRate;
  if (m.rateOverridden && m.usedOverride.numerator && m.usedOverride.denominator) {
    const uint64_t scaled = uint64_t(rate) * m.header.rateDenominator * m.usedOverride.numerator /
                            (uint64_t(m.header.rateNumerator) * m.usedOverride.denominator);
    rate = static_cast<uint32_t>(std::min<uint64_t>(scaled, 0xFFFFFFFFu));
  }
  const uint32_t bits = (format & 0x40000000u) ? 16 : 8;
  const uint32_t channels = (format & 0x20000000u) ? 2 : 1;
  QuorSoundTrack& track = m.soundTracks[k];
  track = QuorSoundTrack{};
  if (!trackOpen(&track, rate, bits, channels, m.flags, &m)) {
    track = QuorSoundTrack{};
    return false;
  }
  const uint32_t ringSize = m.trackSizes[t] <= kMaxTrackRing ? RoundUp(m.trackSizes[t], 256) : 0;
  track.ring = ringSize ? static_cast<uint8_t*>(QuorAlloc(ringSize)) : nullptr;
  if (!track.ring) {
    CloseTrack(track);
    return false;
  }
  CountTrackOpened();
  track.ringSize = ringSize;
  track.eightBit = (format & 0x40000000u) ? 0 : 1;
  track.ringEnd = track.ring + ringSize;
  track.writePointer = track.readPointer = track.ring;
  track.queued = 0;
  const uint32_t latency = std::min<uint32_t>(track.latency, 750);
  const uint64_t preload = uint64_t(rate) * channels * 2 * (750 - latency) / 1000;
  track.preloadAmount = static_cast<uint32_t>(std::min<uint64_t>(preload & ~uint64_t(3), ringSize));
  track.decoder = QuorAudioDecoderOpen(fileRate, channels, 1);
  if (!track.decoder) {
    CloseTrack(track);
    CountTrackClosed();
    return false;
  }
  const int64_t leadOut = int64_t(m.frameCount) -
                          int64_t(3ull * m.header.rateNumerator / (4ull * m.header.rateDenominator));
  track.leadOutFrame = static_cast<uint32_t>(std::max<int64_t>(leadOut, 0));
  if (track.speed == 0) track.speed = 0x10000;
  return true;
}

void OpenTracks(Movie& m, std::span<const uint32_t> requested) {
  for (uint32_t id : requested) {
    for (uint32_t t = 0; t < m.header.trackCount; ++t) {
      if (m.trackIds[t] == id) {
        m.activeList[m.activeCount++] = t;
        break;
      }
    }
  }
  const QuorTrackOpenProc trackOpen = CurrentTrackOpen();
  for (uint32_t k = 0; k < m.activeCount;) {
    if (OpenTrack(m, k, trackOpen))
      ++k;
    else
      DropActiveTrack(m, k);
  }
}

const char* Fail(Movie* m, const char* text) {
  QuorSetErrorText(text);
  if (m) m->reader.Close();
  return text;
}

const char* OpenImpl(MoviePtr& out, const Source& src, uint32_t flags, std::span<const uint32_t> requested) {
  const uint32_t start = Now();
  MoviePtr holder = NewMovie();
  if (!holder) return Fail(nullptr, kErrorOutOfMemory);
  Movie& m = *holder;

  // Header.
  uint8_t headerBytes[kHeaderSize] = {};
  size_t headerLength = 0;
  uint64_t available = 0;
  if (src.kind == Source::kImage) {
    headerLength = std::min<size_t>(src.imageSize, kHeaderSize);
    if (src.image) std::memcpy(headerBytes, src.image, headerLength);
    available = src.imageSize;
  } else {
    const bool opened = src.kind == Source::kFile ? m.reader.OpenFile(src.path) : m.reader.OpenDescriptor(src.fd);
    if (!opened) return Fail(&m, kErrorOpening);
    headerLength = m.reader.Read(0, headerBytes, kHeaderSize);
    available = m.reader.AvailableBytes();
  }
  Header& h = m.header;
  if (const char* e = ParseHeader({headerBytes, headerLength}, h)) return Fail(&m, e);
  if (const char* e = CheckLayout(h, available)) return Fail(&m, e);

  // Flags.
  flags |= h.videoFlags & QUOR_OPEN_GRAYSCALE;
  if (!(h.videoFlags & QUOR_VIDEO_ALPHA)) flags &= ~uint32_t(QUOR_OPEN_ALPHA);
  uint32_t mode = (flags >> QUOR_OPEN_DISPLAY_MODE_SHIFT) & 7;
  if (mode == 0) mode = (h.videoFlags >> QUOR_OPEN_DISPLAY_MODE_SHIFT) & 7;
  if (mode == 7) mode = 0;
  flags = (flags & ~uint32_t(QUOR_OPEN_DISPLAY_MODE_MASK)) | (mode << QUOR_OPEN_DISPLAY_MODE_SHIFT);
  flags &= ~uint32_t(QUOR_OPEN_OLDER_VIDEO | QUOR_OPEN_OLDER_CONVERSION);
  if (h.version == 'f' || h.version == 'g') flags |= QUOR_OPEN_OLDER_VIDEO | QUOR_OPEN_OLDER_CONVERSION;
  if (h.version == 'h') flags |= QUOR_OPEN_OLDER_VIDEO;
  m.flags = flags;
  m.videoFlags = h.videoFlags;
  m.fileSizeLess8 = h.fileSizeLess8;
  m.frameCount = h.frameCount;

  // Geometry.
  static constexpr uint8_t kWidthFactor[7] = {1, 1, 1, 2, 2, 2, 1};
  static constexpr uint8_t kHeightFactor[7] = {1, 2, 2, 1, 2, 2, 1};
  m.width = h.width * kWidthFactor[mode];
  m.height = h.height * kHeightFactor[mode];
  m.chromaWidth = (((h.width + 1) / 2) + 7) & ~7u;
  m.chromaHeight = (((h.height + 1) / 2) + 7) & ~7u;
  m.lumaWidth = 2 * m.chromaWidth;
  m.lumaHeight = 2 * m.chromaHeight;
  m.blocksPerRow = m.lumaWidth / 16;
  m.blockCount = m.blocksPerRow * (m.lumaHeight / 16);

  // Frame rate.
  m.rateNumerator = h.rateNumerator;
  m.rateDenominator = h.rateDenominator;
  if (flags & QUOR_OPEN_RATE_OVERRIDE) {
    if (auto o = TakeRateOverride()) {
      m.rateNumerator = o->numerator;
      m.rateDenominator = o->denominator;
      m.rateOverridden = true;
      m.usedOverride = *o;
    }
  }
  m.twoFrames = m.rateNumerator ? static_cast<uint32_t>(2000ull * m.rateDenominator / m.rateNumerator) : 2000;
  m.wholeRate = WholeRate(h.rateNumerator, h.rateDenominator);

  // The planned buffers of the record.
  const uint32_t trackRecords = std::max<uint32_t>(1, static_cast<uint32_t>(requested.size()));
  const uint32_t historyWords = m.wholeRate + 1;
  uint32_t streamSizes[QUOR_STREAM_COUNT];
  QuorStreamSizes(m.lumaWidth, streamSizes);
  const bool fromFile = src.kind != Source::kImage;
  std::vector<uint32_t> sizes;
  sizes.push_back(m.blockCount + 1);                                   // change map
  for (int i = 0; i < kHistoryCount; ++i) sizes.push_back(4 * historyWords);
  sizes.push_back(static_cast<uint32_t>(sizeof(QuorSoundTrack)) * trackRecords);
  sizes.push_back(4 * trackRecords);                                   // active tracks
  for (uint32_t s : streamSizes) sizes.push_back(s);
  for (int i = 0; i < 3; ++i) sizes.push_back(std::max<uint32_t>(4 * h.trackCount, 4));
  sizes.push_back(static_cast<uint32_t>(h.IndexBytes()));
  std::vector<uint8_t*> blocks(sizes.size());
  m.memoryUsed = sizeof(Movie);
  if (!AllocateBatch(m, sizes, blocks)) return Fail(&m, kErrorOutOfMemory);
  size_t b = 0;
  m.changeMap = blocks[b++];
  for (auto& history : m.histories) history = View<uint32_t>(blocks[b++], historyWords);
  m.soundTracks = View<QuorSoundTrack>(blocks[b++], trackRecords);
  m.activeList = View<uint32_t>(blocks[b++], trackRecords);
  for (int i = 0; i < QUOR_STREAM_COUNT; ++i) {
    m.streams.buffer[i] = blocks[b++];
    m.streams.size[i] = streamSizes[i];
  }

  // Track tables and frame index, copied out of the file or image and converted in place.
  const uint32_t n = h.trackCount;
  uint8_t* tables[4] = {blocks[b], blocks[b + 1], blocks[b + 2], blocks[b + 3]};
  const uint32_t tableBytes[4] = {4 * n, 4 * n, 4 * n, static_cast<uint32_t>(h.IndexBytes())};
  for (int i = 0; i < 4; ++i) {
    if (fromFile) {
      if (m.reader.Read(kContinue, tables[i], tableBytes[i]) != tableBytes[i]) return Fail(&m, kErrorTables);
    } else {
      std::memcpy(tables[i], src.image + kHeaderSize + 4ull * n * i, tableBytes[i]);
    }
    auto* words = reinterpret_cast<uint32_t*>(tables[i]);
    for (uint32_t w = 0; w < tableBytes[i] / 4; ++w) words[w] = LoadLe32(tables[i] + 4 * w);
  }
  m.trackSizes = View<const uint32_t>(tables[0], n);
  m.trackFormats = View<const uint32_t>(tables[1], n);
  m.trackIds = View<const uint32_t>(tables[2], n);
  m.frameIndex = View<const uint32_t>(tables[3], h.indexFrameCount + 1);
  uint32_t largestPacket = 0;
  if (const char* e = CheckIndex(h, m.frameIndex, largestPacket)) return Fail(&m, e);
  const PeakData peak = FindPeakData(m.frameIndex, h.frameCount, m.wholeRate);
  m.peakDataSize = peak.bytesPerSecond;
  m.peakFrame = peak.startFrame;
  m.allKeyFrames = AllKeyFrames(m.frameIndex, h.frameCount);

  // Pictures.
  const uint32_t lumaBytes = m.lumaWidth * m.lumaHeight;
  const uint32_t pictureBytes = lumaBytes + 2 * m.chromaWidth * m.chromaHeight;
  {
    std::vector<uint32_t> pictureSizes{pictureBytes};
    if (!m.allKeyFrames) pictureSizes.push_back(pictureBytes);
    const bool alpha = flags & QUOR_OPEN_ALPHA;
    if (alpha) {
      pictureSizes.push_back(lumaBytes);
      if (!m.allKeyFrames) pictureSizes.push_back(lumaBytes);
    }
    std::vector<uint8_t*> pictures(pictureSizes.size());
    if (!AllocateBatch(m, pictureSizes, pictures)) return Fail(&m, kErrorOutOfMemory);
    const size_t pairs = m.allKeyFrames ? 1 : 2;
    m.pictures = {pictures[0], pictures[pairs - 1]};
    if (alpha) m.alphaPlanes = {pictures[pairs], pictures[2 * pairs - 1]};
  }

  // Frame data.
  uint32_t ringRequest = m.peakDataSize;
  if (flags & QUOR_OPEN_READ_BUFFER)
    if (auto o = TakeReadBufferOverride()) ringRequest = *o;
  uint32_t speed = 0;
  if (flags & QUOR_OPEN_SIMULATED_SPEED)
    if (auto o = TakeSimulatedSpeed()) speed = *o;
  const uint32_t first = m.FirstFrameOffset();
  const uint64_t dataEnd = std::min<uint64_t>(h.DataEnd(), 0xFFFFFFFFu);
  if (!fromFile) {
    m.preload = src.image + first;
    m.preloadSize = std::min<uint64_t>(dataEnd, available) - first;
  } else {
    const uint32_t ringSize = Reader::RoundSize(ringRequest);
    if (uint64_t(ringSize) >= uint64_t(h.fileSizeLess8) * 9 / 10) flags |= QUOR_OPEN_PRELOAD;
    m.flags = flags;
    if (flags & QUOR_OPEN_PRELOAD) {
      // Only what the file really holds is allocated; a frame beyond it stops playback.
      const uint64_t bytes = std::min<uint64_t>(dataEnd, available) - first;
      if (bytes > 0) {
        m.ownedPreload.reset(static_cast<uint8_t*>(QuorAlloc(bytes)));
        if (!m.ownedPreload) return Fail(&m, kErrorOutOfMemory);
        m.reader.SetBuffer(nullptr, 0, static_cast<uint32_t>(dataEnd), speed);
        m.preloadSize = m.reader.ReadFrame(0, first, m.ownedPreload.get(), static_cast<uint32_t>(bytes));
        m.memoryUsed += static_cast<uint32_t>(bytes);
        // A short preload stops playback at the first frame it doesn't hold, not before.
        m.reader.readError = 0;
      }
      m.preload = m.ownedPreload.get();
      m.reader.Close();
      if (!m.preload) {
        static const uint8_t kEmpty[16] = {};
        m.preload = kEmpty;  // every packet is empty
      }
    } else {
      m.frameBufferSize = RoundUp(std::max<uint32_t>(largestPacket, 1), 16);
      const uint32_t frameSize[1] = {m.frameBufferSize};
      uint8_t* frameBlock[1];
      if (!AllocateBatch(m, frameSize, frameBlock)) return Fail(&m, kErrorOutOfMemory);
      m.frameData = m.frameBuffer = frameBlock[0];
      m.ring.reset(static_cast<uint8_t*>(QuorAlloc(ringSize)));
      const uint32_t usedRing = m.ring ? ringSize : 0;  // no memory: every frame is read directly
      m.memoryUsed += usedRing;
      // Read-ahead stops where the file really ends: a cut file then plays up to its first
      // incomplete frame, whose direct read comes back short.
      const uint64_t readAheadEnd = std::min<uint64_t>(dataEnd, available);
      m.reader.SetBuffer(m.ring.get(), usedRing, static_cast<uint32_t>(readAheadEnd), speed);
    }
  }

  m.changeMap[m.blockCount] = 0;
  m.currentFrame = -1;
  m.rectCount = -1;
  QuorGoto(&m, 1);
  m.openTime = Now() - start;
  m.soundTracks[0].speed = 0x10000;

  OpenTracks(m, requested);
  // Opening clears the records of tracks it drops; the schedule still runs at speed 1.0.
  if (m.soundTracks[0].speed == 0) m.soundTracks[0].speed = 0x10000;
  m.readClient.owner = m.soundClient.owner = &m;
  if (m.TrackActive()) {
    m.soundOn = 1;
    JoinWorker(WorkerKind::kSound, m.soundClient, SoundPriority, SoundServe);
  }
  const bool preloaded = m.preload != nullptr;
  m.reader.InstallHooks(&m.readClient);
  if (!preloaded && !(flags & QUOR_OPEN_NO_READ_THREAD))
    JoinWorker(WorkerKind::kRead, m.readClient, ReadPriority, ReadServe);
  if (!preloaded && !(flags & QUOR_OPEN_NO_INITIAL_FILL))
    while (m.reader.Idle() != 0) {
    }
  out = std::move(holder);
  return nullptr;
}

QuorMovie* Open(const Source& src, uint32_t flags) {
  if (!(flags & QUOR_OPEN_TRACK_LIST)) ResetChosenTracks();
  const std::vector<uint32_t> requested = ChosenTracks();
  ResetChosenTracks();
  QuorSetErrorText("");
  MoviePtr movie;
  OpenImpl(movie, src, flags, requested);
  return movie.release();
}

}  // namespace
}  // namespace quor

extern "C" QuorMovie* QuorOpen(const void* name, uint32_t flags) {
  using quor::Source;
  Source src;
  if (flags & QUOR_OPEN_MEMORY_IMAGE) {
    src.kind = Source::kImage;
    src.image = static_cast<const uint8_t*>(name);
    // A complete image: its size is the one its header gives.
    src.imageSize = 0;
    if (src.image && std::memcmp(src.image, "QOR", 3) == 0)
      src.imageSize = size_t(quor::LoadLe32(src.image + 4)) + 8;
    else if (src.image)
      src.imageSize = 4;
  } else if (flags & QUOR_OPEN_FILE_HANDLE) {
    src.kind = Source::kDescriptor;
    src.fd = static_cast<int>(reinterpret_cast<intptr_t>(name));
  } else {
    src.kind = Source::kFile;
    src.path = static_cast<const char*>(name);
    if (!src.path) {
      QuorSetErrorText(quor::kErrorOpening);
      return nullptr;
    }
  }
  return quor::Open(src, flags);
}

extern "C" QuorMovie* QuorOpenImage(const void* image, size_t size, uint32_t flags) {
  quor::Source src;
  src.kind = quor::Source::kImage;
  src.image = static_cast<const uint8_t*>(image);
  src.imageSize = image ? size : 0;
  return quor::Open(src, flags | QUOR_OPEN_MEMORY_IMAGE);
}

extern "C" void QuorClose(QuorMovie* movie) {
  using namespace quor;
  if (!movie) return;
  MoviePtr m(AsMovie(movie));
  FrameTimeBookkeeping(*m);
  m->paused = 1;
  for (uint32_t k = 0; k < m->activeCount; ++k)
    if (m->soundTracks[k].driver.pause) m->soundTracks[k].driver.pause(&m->soundTracks[k], 1);
  if (m->framesDecoded && m->TrackActive()) FeedTracks(*m);
  LeaveWorkers(m->readClient, m->soundClient);
  for (uint32_t k = 0; k < m->activeCount; ++k) {
    CloseTrack(m->soundTracks[k]);
    CountTrackClosed();
  }
  m->activeCount = 0;
  m->reader.Close();
}
