#include "inverse_rdft.h"

#include <kiss_fftr.h>

#include <cassert>

namespace quor::audio {

static_assert(sizeof(kiss_fft_cpx) == 2 * sizeof(float), "bins are interleaved float pairs");

size_t InverseRdft::StateBytes(uint32_t length) {
  size_t bytes = 0;
  kiss_fftr_alloc(static_cast<int>(length), 1, nullptr, &bytes);
  return bytes;
}

InverseRdft::InverseRdft(uint32_t length, std::span<std::byte> state) : length_(length) {
  size_t bytes = state.size();
  config_ = kiss_fftr_alloc(static_cast<int>(length), 1, state.data(), &bytes);
  assert(config_ != nullptr);
}

void InverseRdft::Run(std::span<const float> bins, std::span<float> samples) const {
  assert(bins.size() >= length_ + 2 && samples.size() >= length_);
  kiss_fftri(static_cast<kiss_fftr_cfg>(config_), reinterpret_cast<const kiss_fft_cpx*>(bins.data()),
             samples.data());
}

}  // namespace quor::audio
