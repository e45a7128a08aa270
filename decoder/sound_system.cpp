#include "sound_system.h"

#include <mutex>

namespace quor {
namespace {

std::mutex g_mutex;
QuorSoundSelector g_selector = nullptr;
QuorTrackOpenProc g_trackOpen = nullptr;
uint32_t g_openTracks = 0;

}  // namespace

QuorTrackOpenProc CurrentTrackOpen() {
  std::lock_guard lock(g_mutex);
  return g_trackOpen;
}

void CountTrackOpened() {
  std::lock_guard lock(g_mutex);
  ++g_openTracks;
}

void CountTrackClosed() {
  std::lock_guard lock(g_mutex);
  if (g_openTracks) --g_openTracks;
}

uint32_t OpenTrackCount() {
  std::lock_guard lock(g_mutex);
  return g_openTracks;
}

}  // namespace quor

extern "C" int QuorSelectSoundOutput(QuorSoundSelector selector, uintptr_t parameter) {
  using namespace quor;
  if (!selector) return 0;
  std::lock_guard lock(g_mutex);
  // The backend can't change under tracks that are playing.
  if (g_openTracks != 0 && selector != g_selector) return 0;
  QuorTrackOpenProc open = selector(parameter);
  g_selector = selector;
  g_trackOpen = open;
  return open ? 1 : 0;
}
