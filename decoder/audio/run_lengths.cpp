#include "audio_tables.h"

namespace quor::audio {

const std::array<uint8_t, 16> kRunLengthEighths = {
    2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 32, 64,
};

}  // namespace quor::audio
