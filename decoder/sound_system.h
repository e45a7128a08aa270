// The process's sound system: the selected backend's track-open operation and the number of
// tracks open anywhere in the process.
#pragma once

#include <cstdint>

#include "quor_sound.h"

namespace quor {

QuorTrackOpenProc CurrentTrackOpen();
void CountTrackOpened();
void CountTrackClosed();
uint32_t OpenTrackCount();

}  // namespace quor
