// The buffers of a queue device and the order they play in, for the devices to share: the memory
// of every buffer, each buffer's done flag, and the queue of written buffers with how much of each
// has been played. Locking, pacing and where the played bytes go are the device's own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "jov_audio.h"

namespace jov {

class QueueBuffers {
 public:
  // `count` buffers of `bytes` each, silent and done.
  QueueBuffers(const AudioFormat& format, uint32_t count, uint32_t bytes)
      : size_(bytes), memory_(size_t(count) * bytes, SilenceByte(format)), done_(count, 1) {}

  uint32_t Count() const { return static_cast<uint32_t>(done_.size()); }
  uint32_t BufferSize() const { return size_; }
  std::span<uint8_t> Buffer(uint32_t index) {
    if (index >= done_.size()) return {};
    return std::span(memory_).subspan(size_t(index) * size_, size_);
  }
  bool Done(uint32_t index) const { return index < done_.size() && done_[index]; }

  // Queues the first `bytes` (at most the buffer size) of buffer `index`, which is below Count(),
  // behind those queued before, and clears its done flag.
  void Queue(uint32_t index, uint32_t bytes) {
    done_[index] = 0;
    queue_.push_back({index, std::min(bytes, size_), 0});
  }
  // Drops everything queued: every buffer done.
  void Clear() {
    queue_.clear();
    std::fill(done_.begin(), done_.end(), 1);
  }
  size_t Queued() const { return queue_.size(); }
  bool Empty() const { return queue_.empty(); }

  // The bytes of the oldest queued buffer not played yet; only while something is queued.
  std::span<const uint8_t> Head() const {
    const Pending& p = queue_.front();
    return std::span<const uint8_t>(memory_).subspan(size_t(p.index) * size_ + p.played,
                                                     p.bytes - p.played);
  }
  // Counts the first `bytes` of Head() as played; a buffer played to its end is done and leaves
  // the queue.
  void Played(uint32_t bytes) {
    Pending& p = queue_.front();
    p.played += bytes;
    if (p.played == p.bytes) {
      done_[p.index] = 1;
      queue_.pop_front();
    }
  }

 private:
  struct Pending {
    uint32_t index, bytes, played;
  };

  uint32_t size_;
  std::vector<uint8_t> memory_;
  std::vector<uint8_t> done_;
  std::deque<Pending> queue_;
};

}  // namespace jov
