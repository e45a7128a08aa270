#include "audio_tables.h"

namespace quor::audio {

const std::array<uint32_t, 25> kCriticalBandHz = {
    0,    100,  200,  300,  400,  510,  630,  770,  920,  1080, 1270, 1480,  1720,
    2000, 2320, 2700, 3150, 3700, 4400, 5300, 6400, 7700, 9500, 12000, 15500,
};

}  // namespace quor::audio
