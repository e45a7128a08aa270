// Reading a movie: a file (or a descriptor positioned at a movie inside a larger file) with a
// read-ahead ring that the read worker, idle time and the decoder fill in 4096-byte blocks.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace quor {

struct WorkerClient;

constexpr uint32_t kBlockSize = 4096;
constexpr uint32_t kContinue = 0xFFFFFFFFu;  // position: go on from where the last read ended

class Reader {
 public:
  Reader() = default;
  ~Reader() { Close(); }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  bool OpenFile(const char* path);
  // The descriptor stays the caller's; its current position is the movie's start.
  bool OpenDescriptor(int fd);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  // Bytes of movie the file really holds from the movie's start.
  uint64_t AvailableBytes() const;

  // Reads while opening; no ring involved.
  uint32_t Read(uint32_t position, void* destination, uint32_t count);
  // Delivers a frame's bytes, from the ring where it has them, otherwise from the file.
  uint32_t ReadFrame(uint32_t frame, uint32_t position, void* destination, uint32_t count);
  static uint32_t RoundSize(uint32_t requested) { return (requested + 4095) & ~4095u; }
  void SetBuffer(uint8_t* ring, uint32_t size, uint32_t dataEnd, uint32_t simulatedSpeed);
  // One block of read-ahead: bytes read, 0 = nothing read, -1 = the lock was busy.
  int Idle();

  // Until hooks are installed reads take no locks.
  void InstallHooks(WorkerClient* client) { client_ = client; }
  uint32_t FillPercent() const {
    return static_cast<uint32_t>((uint64_t(ringFill_.load()) + 1) * 100 / (uint64_t(fillTarget_.load()) + 1));
  }

  // Statistics and state read by the playback and statistics code.
  std::atomic<uint32_t> readError{0};
  std::atomic<uint32_t> readingNow{0};
  std::atomic<uint32_t> decoding{0};
  std::atomic<uint64_t> bytesRead{0};
  std::atomic<uint32_t> readTime{0}, foregroundTime{0}, idleTime{0}, backgroundTime{0};
  uint32_t RingSize() const { return ringSize_; }
  uint32_t RingPeak() const { return ringPeak_; }
  uint32_t FillTarget() const { return fillTarget_; }
  uint32_t RingFill() const { return ringFill_.load(); }

 private:
  void Lock();
  bool TryLock();
  void Unlock();
  // Reads up to `count` bytes at the file position; a short count only at the end of the file.
  uint32_t FileRead(void* destination, uint32_t count);
  void Seek(uint32_t position);
  void Throttle(uint32_t startTime, uint32_t bytes);
  uint32_t CopyFromRing(uint8_t*& destination, uint32_t& wanted);
  void UpdateFillTarget();

  int fd_ = -1;
  bool callersHandle_ = false;
  uint64_t baseOffset_ = 0;
  WorkerClient* client_ = nullptr;
  uint32_t ringSize_ = 0;
  std::atomic<uint32_t> ringPeak_{0}, fillTarget_{0};
  std::atomic<uint32_t> ringFill_{0}, ringFree_{0};
  uint32_t filePosition_ = 0, consumerPosition_ = 0;
  uint8_t *ringStart_ = nullptr, *ringEnd_ = nullptr, *ringRead_ = nullptr, *ringWrite_ = nullptr;
  uint32_t dataEnd_ = 0;
  uint32_t simulatedSpeed_ = 0;
  int32_t simulatedBalance_ = 0;
};

}  // namespace quor
