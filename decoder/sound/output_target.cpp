#include "output_target.h"

#include <atomic>
#include <mutex>

#include "clock.h"

namespace quor::sound {
namespace {

struct Selection {
  bool capture = false;
  bool paced = true;
  std::string device;  // sound card output name
  std::string path;    // capture file
};

std::mutex g_mutex;
Selection g_selection;
std::atomic<uint32_t> g_openCaptures{0};

uint32_t LibraryClock() { return quor::Now(); }

}  // namespace

std::string CapturePath(const std::string& path, uint32_t open) {
  if (open == 0) return path;
  const size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
    dot = path.size();
  return path.substr(0, dot) + "-" + std::to_string(open + 1) + path.substr(dot);
}

void SelectSoundCard(std::string device) {
  std::lock_guard lock(g_mutex);
  g_selection = Selection{false, true, std::move(device), {}};
}

void SelectCapture(std::string path, bool paced) {
  std::lock_guard lock(g_mutex);
  g_selection = Selection{true, paced, {}, std::move(path)};
}

std::optional<OutputTarget> OutputTarget::ForNewTrack(const jov::AudioFormat& format) {
  Selection s;
  {
    std::lock_guard lock(g_mutex);
    s = g_selection;
  }
  OutputTarget t;
  t.capture_ = s.capture;
  t.paced_ = s.paced;
  t.device_ = s.device;
  if (!s.capture || s.path.empty()) return t;
  std::unique_ptr<jov::AudioSink> file = jov::OpenWavSink(CapturePath(s.path, g_openCaptures.load()), format);
  if (!file) return std::nullopt;
  ++g_openCaptures;
  t.sink_ = std::shared_ptr<jov::AudioSink>(file.release(), [](jov::AudioSink* sink) {
    std::unique_ptr<jov::AudioSink> owned(sink);
    --g_openCaptures;
  });
  return t;
}

std::unique_ptr<jov::LoopingDevice> OutputTarget::OpenLooping(const jov::AudioFormat& format,
                                                              uint32_t bytes) const {
  if (!capture_) return jov::OpenSoundCardLooping(format, bytes, device_);
  return jov::OpenCaptureLooping(format, bytes, {sink_, &LibraryClock, true});
}

std::unique_ptr<jov::QueueDevice> OutputTarget::OpenQueue(const jov::AudioFormat& format, uint32_t count,
                                                          uint32_t bytes) const {
  if (!capture_) return jov::OpenSoundCardQueue(format, count, bytes, device_);
  return jov::OpenCaptureQueue(format, count, bytes, {sink_, &LibraryClock, paced_});
}

}  // namespace quor::sound
