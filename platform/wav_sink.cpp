// A capture sink that writes a PCM WAV file, its sizes kept current after every write so that
// the file is complete at any moment.
#include <cstdio>
#include <vector>

#include "jov_audio.h"

namespace jov {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

class WavSink final : public AudioSink {
 public:
  WavSink(std::unique_ptr<std::FILE, FileCloser> file, const AudioFormat& format)
      : file_(std::move(file)), format_(format) {
    WriteHeader();
  }
  void Play(std::span<const uint8_t> bytes) override {
    if (bytes.empty()) return;
    // A RIFF file holds at most 4 GiB; beyond that the capture stops growing.
    if (dataBytes_ + bytes.size() > 0xFFFFFFFFull - 36) return;
    std::fseek(file_.get(), 0, SEEK_END);
    std::fwrite(bytes.data(), 1, bytes.size(), file_.get());
    dataBytes_ += static_cast<uint32_t>(bytes.size());
    WriteHeader();
  }

 private:
  void WriteHeader() {
    std::vector<uint8_t> h;
    const uint8_t riff[] = {'R', 'I', 'F', 'F'}, wave[] = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '},
                  data[] = {'d', 'a', 't', 'a'};
    h.insert(h.end(), riff, riff + 4);
    Put32(h, 36 + dataBytes_);
    h.insert(h.end(), wave, wave + 8);
    Put32(h, 16);
    Put16(h, 1);  // PCM
    Put16(h, format_.channels);
    Put32(h, format_.rate);
    Put32(h, format_.BytesPerSecond());
    Put16(h, format_.BlockAlign());
    Put16(h, format_.bits);
    h.insert(h.end(), data, data + 4);
    Put32(h, dataBytes_);
    std::fseek(file_.get(), 0, SEEK_SET);
    std::fwrite(h.data(), 1, h.size(), file_.get());
    std::fflush(file_.get());
  }

  std::unique_ptr<std::FILE, FileCloser> file_;
  AudioFormat format_;
  uint32_t dataBytes_ = 0;
};

}  // namespace

std::unique_ptr<AudioSink> OpenWavSink(const std::string& path, const AudioFormat& format) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "w+b"));
  if (!file) return nullptr;
  return std::make_unique<WavSink>(std::move(file), format);
}

}  // namespace jov
