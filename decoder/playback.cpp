// Stepping a movie: loading frame packets, decoding audio and video, and the schedule that
// decides when the next frame is due.
#include <algorithm>
#include <cstring>

#include "clock.h"
#include "movie.h"
#include "packet.h"
#include "section_audio.h"
#include "quor_audio.h"
#include "quor_video.h"

namespace quor {
namespace {

bool Preloaded(const Movie& m) { return m.preload != nullptr; }

// Milliseconds at which the next frame is due, counted from the timing base.
int64_t DueTime(const Movie& m) {
  const uint32_t frames = (m.framesDecoded - m.baseFrame) * 1000u;  // 32-bit, then 64-bit
  const uint64_t due = uint64_t(frames) * m.rateDenominator / m.rateNumerator;
  return static_cast<int64_t>(due * m.soundTracks[0].speed / 0x10000);
}

int32_t Elapsed(const Movie& m, uint32_t now) {
  return static_cast<int32_t>(now - m.lateness - m.timingBase);
}

void StartScheduleIfNeeded(Movie& m) {
  if (m.timingBase != 0) return;
  m.timingBase = Now();
  m.baseFrame = m.framesDecoded - 1;
}

void WriteAudio(Movie& m, const TrackSection& section, bool& locked) {
  for (uint32_t k = 0; k < m.activeCount; ++k) {
    if (m.activeList[k] != section.track || !section.present) continue;
    QuorSoundTrack& track = m.soundTracks[k];
    if (!locked) {
      LockClient(m.soundClient);
      locked = true;
    }
    if (track.queued >= track.ringSize) continue;
    // What doesn't fit in the ring is dropped.
    DecodeSectionAudio(track.decoder, section, [&track](const uint8_t* bytes, uint32_t count) {
      const uint32_t take = std::min(count, track.ringSize - track.queued);
      track.queued += take;
      for (uint32_t left = take; left > 0;) {
        const uint32_t step = std::min<uint32_t>(left, static_cast<uint32_t>(track.ringEnd - track.writePointer));
        std::memcpy(track.writePointer, bytes, step);
        bytes += step;
        left -= step;
        track.writePointer += step;
        if (track.writePointer == track.ringEnd) track.writePointer = track.ring;
      }
      return track.queued < track.ringSize;
    });
  }
}

// Marks the movie stopped, as a read that came back short does.
int StopPlayback(Movie& m) {
  m.reader.readError = 1;
  m.stopped = 1;
  return 1;
}

}  // namespace

void FrameTimeBookkeeping(Movie& m) {
  const uint32_t now = Now();
  if (m.decodeEnd) {
    m.blitTime += now - m.decodeEnd;
    m.decodeEnd = 0;
  }
  if (m.frameStart) {
    const uint32_t t = now - m.frameStart;
    m.frameStart = 0;
    if (t > m.slowestTime) {
      m.secondTime = m.slowestTime;
      m.secondFrame = m.slowestFrame;
      m.slowestTime = t;
      m.slowestFrame = static_cast<uint32_t>(m.currentFrame);
    } else if (t > m.secondTime) {
      m.secondTime = t;
      m.secondFrame = static_cast<uint32_t>(m.currentFrame);
    }
  }
}

void TopUpRing(Movie& m) {
  if (Preloaded(m) || m.reader.readingNow || m.reader.FillPercent() >= 75) return;
  if (m.reader.Idle() < 0 && m.readClient.mutex) Sleep(0);
}

int LateBlitCheck(Movie& m, uint32_t callFlags) {
  if (!m.TrackActive() || m.rateNumerator == 0 || m.paused) {
    m.blitSkipped = 0;
    return 0;
  }
  StartScheduleIfNeeded(m);
  const int64_t elapsed = Elapsed(m, Now());
  const int64_t due = DueTime(m);
  if (elapsed < due) {
    m.blitSkipped = 0;
    return 0;
  }
  if (elapsed - due > m.twoFrames) {
    if (++m.lateCount < 4) {
      if (!((callFlags | m.flags) & QUOR_OPEN_NEVER_SKIP)) {
        ++m.skippedBlits;
        m.blitSkipped = 1;
      } else {
        m.blitSkipped = 0;
      }
      return 1;
    }
    m.lateCount = 0;  // at most three blits in a row are skipped
    m.blitSkipped = 0;
    return 0;
  }
  m.lateCount = 0;
  m.blitSkipped = 0;
  return 0;
}

}  // namespace quor

using namespace quor;

extern "C" void QuorGoto(QuorMovie* movie, int32_t n) {
  if (!movie) return;
  Movie& m = *AsMovie(movie);
  if (m.TrackActive()) FeedTracks(m);
  m.lastFrame = m.currentFrame;
  uint32_t i = n <= 0 ? 0 : static_cast<uint32_t>(n - 1);
  if (i >= m.frameCount) i = m.frameCount - 1;
  if (i == 0) {
    if (m.soundOn) {
      QuorEnableSound(movie, 0);
      QuorEnableSound(movie, 1);
    }
    m.timingBase = 0;
    m.lateness = 0;
  }
  const uint32_t offset = PacketOffset(m.frameIndex[i]);
  const uint32_t size = PacketOffset(m.frameIndex[i + 1]) - offset;
  if (Preloaded(m)) {
    const uint64_t at = offset - m.FirstFrameOffset();
    if (at + size > m.preloadSize) {
      m.reader.readError = 1;  // the image or preload ends before this frame does
      m.frameSize = 0;
    } else {
      m.frameData = m.preload + at;
      m.frameSize = size;
    }
  } else {
    m.frameSize = m.reader.ReadFrame(i, offset, m.frameBuffer, size);
  }
  if (m.TrackActive()) FeedTracks(m);
  m.currentFrame = static_cast<int32_t>(i + 1);
}

extern "C" int QuorDecodeFrame(QuorMovie* movie) {
  if (!movie) return 0;
  Movie& m = *AsMovie(movie);
  if (m.currentFrame == m.decodedFrame) return 0;
  m.reader.decoding = 1;
  const uint32_t start = Now();
  const uint32_t current[kHistoryCount] = {start, m.audioTime, m.videoTime, m.blitTime,
                                           m.reader.foregroundTime, m.reader.idleTime,
                                           m.reader.backgroundTime};
  for (int h = 0; h < kHistoryCount; ++h) {
    auto& history = m.histories[h];
    std::memmove(history.data() + 1, history.data(), (history.size() - 1) * 4);
    history[0] = current[h];
  }
  if (m.historyStart == 0) {
    m.histories[kHistoryDecodeStart][1] =
        start - static_cast<uint32_t>(1000ull * m.header.rateDenominator / m.header.rateNumerator);
    m.reader.idleTime = 0;
    m.reader.backgroundTime = 0;
    m.historyStart = start ? start : 1;
  } else if (m.TrackActive()) {
    FeedTracks(m);
  }
  m.frameStart = start ? start : 1;
  if (m.reader.readError) m.stopped = 1;
  if (m.stopped) {
    m.reader.decoding = 0;
    return 1;
  }

  std::span<const uint8_t> video;
  bool locked = false;
  const bool whole = SplitPacket({m.frameData, m.frameSize}, m.header.trackCount, video,
                                 [&](const TrackSection& s) {
                                   if (m.TrackActive()) WriteAudio(m, s, locked);
                                 });
  if (locked) UnlockClient(m.soundClient);
  if (!whole) {
    m.reader.decoding = 0;
    return StopPlayback(m);
  }
  const uint32_t afterAudio = Now();

  if (!m.blitSkipped) std::memset(m.changeMap, 0, m.blockCount);
  TopUpRing(m);
  const uint32_t back = m.frontPicture ^ 1;
  QuorDecodeVideo(m.pictures[back], m.pictures[m.frontPicture], m.alphaPlanes[back],
                  m.alphaPlanes[m.frontPicture], m.changeMap, m.header.width, m.header.height,
                  m.lumaWidth, m.lumaHeight, video.data(), video.size(),
                  m.frameIndex[m.currentFrame - 1] & 1, &m.streams, m.flags, m.videoFlags);
  m.frontPicture = back;

  if (m.TrackActive()) FeedTracks(m);
  m.rectCount = -1;
  ++m.framesDecoded;
  if (m.timingBase == 0) {
    m.timingBase = Now();
    m.baseFrame = m.framesDecoded - 1;
  }
  const uint32_t end = Now();
  m.decodeEnd = end ? end : 1;
  m.audioTime += afterAudio - start;
  m.videoTime += end - afterAudio;
  m.decodedFrame = m.lastFrame = m.currentFrame;
  m.reader.decoding = 0;
  return 0;
}

extern "C" void QuorStepFrame(QuorMovie* movie) {
  if (!movie) return;
  Movie& m = *AsMovie(movie);
  bool underrun = false;
  for (uint32_t k = 0; k < m.activeCount; ++k) {
    QuorSoundTrack& track = m.soundTracks[k];
    if (std::atomic_ref<uint32_t>(track.underrun).exchange(0)) {
      if (m.currentFrame > 1 && static_cast<uint32_t>(m.currentFrame) <= track.leadOutFrame) underrun = true;
    }
  }
  if (underrun) {
    ++m.soundSkips;
    LockBothClients(m.readClient, m.soundClient);
    QuorEnableSound(movie, 0);
    if (!Preloaded(m))
      while (m.reader.FillPercent() < 90 && m.reader.Idle() > 0) {
      }
    for (uint32_t k = 0; k < m.activeCount; ++k) {
      QuorSoundTrack& t = m.soundTracks[k];
      if (t.queued >= t.preloadAmount) continue;
      // Silence ahead of what is queued: the read pointer moves back by the shortfall.
      for (uint32_t left = t.preloadAmount - t.queued; left > 0; --left) {
        if (t.readPointer == t.ring) t.readPointer = t.ringEnd;
        *--t.readPointer = 0;
      }
      t.queued = t.preloadAmount;
    }
    m.timingBase = 0;
    m.lateness = 0;
    QuorEnableSound(movie, 1);
    UnlockBothClients(m.readClient, m.soundClient);
  }
  m.reader.decoding = 1;
  if (m.TrackActive()) FeedTracks(m);
  if (m.decodeEnd) {
    m.blitTime += Now() - m.decodeEnd;
    m.decodeEnd = 0;
  }
  const bool last = static_cast<uint32_t>(m.currentFrame) >= m.frameCount;
  QuorGoto(movie, last ? 1 : m.currentFrame + 1);
  m.reader.decoding = 0;
}

extern "C" int QuorShouldWait(QuorMovie* movie) {
  if (!movie) return 0;
  Movie& m = *AsMovie(movie);
  if ((m.framesDecoded == 0 && !m.paused) || m.stopped) return 0;
  StartScheduleIfNeeded(m);
  if (m.TrackActive()) FeedTracks(m);
  FrameTimeBookkeeping(m);
  const bool waiting = m.paused || (m.TrackActive() && !m.soundOn);
  if (!waiting) {
    if (m.rateNumerator == 0) return 0;  // as fast as possible
    const int64_t due = DueTime(m);
    const int64_t elapsed = Elapsed(m, Now());
    if (elapsed >= due) {
      const int64_t late = elapsed - due;
      if (late > m.twoFrames) {
        if (!m.TrackActive()) {
          // Without sound a late movie slows down rather than drops frames.
          m.timingBase = Now();
          m.baseFrame = m.framesDecoded - 1;
        } else {
          // With sound the lateness is absorbed over about one second.
          m.lateness = static_cast<uint32_t>(late);
          m.latenessStep = static_cast<uint32_t>(uint64_t(late) * m.rateDenominator / m.rateNumerator);
        }
      }
      m.lateness = m.lateness > m.latenessStep ? m.lateness - m.latenessStep : 0;
      return 0;
    }
  }
  if (!Preloaded(m) && TryLockClient(m.readClient)) {
    m.reader.Idle();
    UnlockClient(m.readClient);
  }
  return 1;
}

extern "C" int QuorSetPaused(QuorMovie* movie, int on) {
  if (!movie) return 0;
  Movie& m = *AsMovie(movie);
  FrameTimeBookkeeping(m);
  if (m.paused && !on) {
    m.timingBase = 0;
    m.lateness = 0;
  }
  m.paused = on ? 1 : 0;
  for (uint32_t k = 0; k < m.activeCount; ++k)
    if (m.soundTracks[k].driver.pause) m.soundTracks[k].driver.pause(&m.soundTracks[k], m.paused);
  if (m.framesDecoded && m.TrackActive()) FeedTracks(m);
  return static_cast<int>(m.paused);
}

extern "C" int QuorEnableSound(QuorMovie* movie, int on) {
  if (!movie) return 0;
  Movie& m = *AsMovie(movie);
  if (!m.TrackActive()) return 0;
  int result = 0;
  LockClient(m.soundClient);
  const bool wasOn = m.soundOn != 0;
  for (uint32_t k = 0; k < m.activeCount; ++k) {
    QuorSoundTrack& t = m.soundTracks[k];
    if (!t.driver.onOff) continue;
    if (t.driver.onOff(&t, on ? 1 : 0)) {
      result = 1;
      if (!wasOn) {
        if (m.currentFrame != 1 && static_cast<uint32_t>(m.currentFrame) != m.header.indexFrameCount) {
          // Restart holding the preload amount of silence.
          std::memset(t.ring, 0, t.preloadAmount);
          t.queued = t.preloadAmount;
          t.readPointer = t.ring;
          t.writePointer = t.ring + t.preloadAmount;
          if (t.writePointer == t.ringEnd) t.writePointer = t.ring;
        }
        m.soundOn = 1;
        m.timingBase = 0;
        m.lateness = 0;
      }
    } else if (wasOn) {
      t.readPointer = t.writePointer = t.ring;
      t.queued = 0;
      m.soundOn = 0;
    }
  }
  UnlockClient(m.soundClient);
  return result;
}

extern "C" int QuorGetPicture(const QuorMovie* movie, QuorPicture* picture) {
  if (!movie || !picture) return 0;
  const Movie& m = *AsMovie(movie);
  const uint8_t* luma = m.pictures[m.frontPicture];
  const uint8_t* chroma1 = luma + size_t(m.lumaWidth) * m.lumaHeight;
  picture->plane[0] = luma;
  picture->plane[1] = chroma1;
  picture->plane[2] = chroma1 + size_t(m.chromaWidth) * m.chromaHeight;
  picture->alpha = m.alphaPlanes[m.frontPicture];
  picture->stride[0] = m.lumaWidth;
  picture->stride[1] = picture->stride[2] = m.chromaWidth;
  picture->width = m.header.width;
  picture->height = m.header.height;
  picture->chromaWidth = (m.header.width + 1) / 2;
  picture->chromaHeight = (m.header.height + 1) / 2;
  picture->version = static_cast<uint32_t>(m.header.version);
  return m.framesDecoded ? 1 : 0;
}
