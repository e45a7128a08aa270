// Changed rectangles and playback statistics of an open movie.
#ifndef QUOR_STATS_H
#define QUOR_STATS_H

#include <stdint.h>

#include "quor.h"

#ifdef __cplusplus
extern "C" {
#endif

// Bits of a surface's format word read by QuorChangedRects.
enum {
  QUOR_RECTS_NONE = 0x4000000,      // the surface presents whole pictures: no rectangles
  QUOR_RECTS_BOUNDING = 0x8000000,  // one bounding rectangle at most
};

// The summary of a whole run (31 words).
typedef struct QuorStats {
  uint32_t width, height;
  uint32_t playTime;                  // ms since the first decode
  uint32_t fileRateNumerator, fileRateDenominator;
  uint32_t rateNumerator, rateDenominator;
  uint32_t openTime;
  uint32_t frameCount;
  uint32_t framesDecoded;
  uint32_t skippedFrames;             // always 0: only blits are skipped
  uint32_t skippedBlits;
  uint32_t soundSkips;
  uint32_t blitTime;
  uint32_t foregroundReadTime;
  uint32_t videoTime;
  uint32_t audioTime;
  uint32_t idleReadTime;
  uint32_t backgroundReadTime;
  uint32_t deviceSpeed;               // bytes read per second of reading
  uint32_t slowestTime, secondTime;
  uint32_t slowestFrame, secondFrame;
  uint32_t averageDataRate;           // bytes per second
  uint32_t averageFrameSize;
  uint32_t memoryUsed;
  uint32_t ringSize;                  // total input memory
  uint32_t ringPeak;                  // highest input memory used
  uint32_t peakDataSize;              // bytes in the busiest second
  uint32_t peakFrame;                 // first frame of the busiest second, from 1
} QuorStats;

// Figures over the most recent frames (14 words).
typedef struct QuorRecentStats {
  uint32_t lastFrame;
  uint32_t rateNumerator, rateDenominator;
  uint32_t frames;                    // n
  uint32_t elapsed;                   // ms between the decode starts n frames apart, at least 1
  uint32_t videoTime, audioTime, foregroundReadTime, idleReadTime, backgroundReadTime, blitTime;
  uint32_t fillTarget, ringFill;
  uint32_t dataRate;                  // bytes per second over those frames
} QuorRecentStats;

// The changed areas of the last decoded frame as at most 8 rectangles in shown pixels, stored in
// movie->rects; returns their count.
int QuorChangedRects(QuorMovie* movie, uint32_t surfaceFlags);
void QuorGetStats(QuorMovie* movie, QuorStats* stats);
// Over the last `frames` frames (0 = one second).
void QuorGetRecentStats(QuorMovie* movie, QuorRecentStats* stats, uint32_t frames);

#ifdef __cplusplus
}
#endif

#endif
