// Tests hand their crafted inputs to the fuzz targets: when QUOR_SEED_DIR is set, each seed is
// written to $QUOR_SEED_DIR/<target>/<name>, where <target> is the fuzz program without "_fuzz".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quortest {

void WriteSeed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace quortest
