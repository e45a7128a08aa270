#include "reader.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "clock.h"
#include "worker.h"

namespace quor {

bool Reader::OpenFile(const char* path) {
  Close();
  fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  callersHandle_ = false;
  baseOffset_ = 0;
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  return true;
}

bool Reader::OpenDescriptor(int fd) {
  Close();
  const off_t position = ::lseek(fd, 0, SEEK_CUR);
  if (fd < 0 || position < 0) return false;
  fd_ = fd;
  callersHandle_ = true;
  baseOffset_ = static_cast<uint64_t>(position);
  return true;
}

void Reader::Close() {
  if (fd_ < 0) return;
  Lock();
  if (!callersHandle_) ::close(fd_);
  fd_ = -1;
  Unlock();
}

uint64_t Reader::AvailableBytes() const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0 || uint64_t(st.st_size) < baseOffset_) return 0;
  return uint64_t(st.st_size) - baseOffset_;
}

void Reader::Lock() {
  if (client_) LockClient(*client_);
}
bool Reader::TryLock() { return !client_ || TryLockClient(*client_); }
void Reader::Unlock() {
  if (client_) UnlockClient(*client_);
}

uint32_t Reader::FileRead(void* destination, uint32_t count) {
  auto* out = static_cast<uint8_t*>(destination);
  uint32_t done = 0;
  while (done < count && fd_ >= 0) {
    const ssize_t n = ::read(fd_, out + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<uint32_t>(n);
  }
  return done;
}

void Reader::Seek(uint32_t position) {
  if (fd_ >= 0) ::lseek(fd_, static_cast<off_t>(baseOffset_ + position), SEEK_SET);
}

void Reader::Throttle(uint32_t startTime, uint32_t bytes) {
  if (simulatedSpeed_ == 0) return;
  const uint32_t target = startTime + static_cast<uint32_t>(uint64_t(bytes) * 1000 / simulatedSpeed_);
  const int32_t carried = simulatedBalance_;
  int32_t balance = static_cast<int32_t>(target + carried - Now());
  while (balance > 0) {
    const uint32_t waitStart = Now();
    while (Now() - waitStart < static_cast<uint32_t>(balance)) Sleep(1);
    balance = static_cast<int32_t>(target + carried - Now());
  }
  // An over-long wait or a slow read is credit for the next read.
  simulatedBalance_ = balance;
}

uint32_t Reader::Read(uint32_t position, void* destination, uint32_t count) {
  Lock();
  if (position != kContinue && position != filePosition_) {
    Seek(position);
    filePosition_ = position;
  }
  const uint32_t got = FileRead(destination, count);
  filePosition_ += got;
  consumerPosition_ = filePosition_;
  bytesRead += got;
  fillTarget_ = std::min(dataEnd_ > consumerPosition_ ? dataEnd_ - consumerPosition_ : 0, ringSize_);
  Unlock();
  return got;
}

uint32_t Reader::CopyFromRing(uint8_t*& destination, uint32_t& wanted) {
  uint32_t amount = std::min(ringFill_.load(), wanted);
  const uint32_t total = amount;
  while (amount > 0) {
    const uint32_t step = std::min<uint32_t>(amount, static_cast<uint32_t>(ringEnd_ - ringRead_));
    std::memcpy(destination, ringRead_, step);
    destination += step;
    ringRead_ += step;
    if (ringRead_ == ringEnd_) ringRead_ = ringStart_;
    ringFill_ -= step;
    ringFree_ += step;
    amount -= step;
  }
  wanted -= total;
  consumerPosition_ += total;
  return total;
}

void Reader::UpdateFillTarget() {
  const uint32_t remaining = dataEnd_ > consumerPosition_ ? dataEnd_ - consumerPosition_ : 0;
  fillTarget_ = std::min(remaining, ringSize_);
  // Nothing more can be stored once less than a block is left to fetch.
  if (uint64_t(fillTarget_.load()) < uint64_t(ringFill_.load()) + kBlockSize) fillTarget_ = ringFill_.load();
}

uint32_t Reader::ReadFrame(uint32_t /*frame*/, uint32_t position, void* destination, uint32_t count) {
  if (readError) return 0;
  const uint32_t start = Now();
  bool locked = false;
  if (position != kContinue && position != consumerPosition_) {
    Lock();
    locked = true;
    if (position < consumerPosition_ || position > filePosition_) {
      // Not buffered: start the ring afresh at the new position.
      ringFill_ = 0;
      ringFree_ = ringSize_;
      ringRead_ = ringWrite_ = ringStart_;
      Seek(position);
      filePosition_ = consumerPosition_ = position;
    } else {
      // Buffered further on: skip the bytes in between.
      const uint32_t skip = position - consumerPosition_;
      consumerPosition_ = position;
      const uint32_t toEnd = static_cast<uint32_t>(ringEnd_ - ringRead_);
      ringRead_ = skip < toEnd ? ringRead_ + skip : ringStart_ + (skip - toEnd);
      ringFill_ -= skip;
      ringFree_ += skip;
    }
  }
  auto* out = static_cast<uint8_t*>(destination);
  uint32_t wanted = count;
  // The first pass takes no lock: the ring has one producer and one consumer, and its fill and
  // free counts change only atomically.
  CopyFromRing(out, wanted);
  if (wanted > 0 && !locked) {
    Lock();
    locked = true;
    CopyFromRing(out, wanted);
  }
  if (wanted > 0) {
    const uint32_t readStart = Now();
    const uint32_t got = FileRead(out, wanted);
    if (got < wanted) readError = 1;
    filePosition_ += got;
    consumerPosition_ += got;
    bytesRead += got;
    Throttle(readStart, got);
    readTime += Now() - readStart;
    wanted -= got;
  }
  foregroundTime += Now() - start;
  UpdateFillTarget();
  if (locked) Unlock();
  return count - wanted;
}

void Reader::SetBuffer(uint8_t* ring, uint32_t size, uint32_t dataEnd, uint32_t simulatedSpeed) {
  Lock();
  size &= ~(kBlockSize - 1);
  if (!ring) size = 0;
  ringStart_ = ringRead_ = ringWrite_ = ring;
  ringEnd_ = ring ? ring + size : nullptr;
  ringSize_ = size;
  ringFree_ = size;
  ringFill_ = 0;
  dataEnd_ = dataEnd;
  simulatedSpeed_ = simulatedSpeed;
  Unlock();
}

int Reader::Idle() {
  if (readError) return 0;
  if (!TryLock()) {
    Sleep(0);
    return -1;
  }
  const uint32_t remaining = dataEnd_ > filePosition_ ? dataEnd_ - filePosition_ : 0;
  if (ringFree_.load() < kBlockSize || remaining < kBlockSize || fd_ < 0) {
    fillTarget_ = ringFill_.load();  // the ring counts as full
    Unlock();
    return 0;
  }
  const bool decodingBefore = decoding != 0;
  const uint32_t start = Now();
  readingNow = 1;
  const uint32_t got = FileRead(ringWrite_, kBlockSize);
  readingNow = 0;
  bytesRead += got;
  filePosition_ += got;
  if (got < kBlockSize) {
    readError = 1;
  } else {
    // The ring is a whole number of blocks, so a block never wraps.
    ringWrite_ += kBlockSize;
    if (ringWrite_ == ringEnd_) ringWrite_ = ringStart_;
    ringFree_ -= kBlockSize;
    const uint32_t fill = ringFill_ += kBlockSize;
    ringPeak_ = std::max(ringPeak_.load(), fill);
  }
  Throttle(start, got);
  const uint32_t elapsed = Now() - start;
  readTime += elapsed;
  if (decodingBefore || decoding) backgroundTime += elapsed;
  else idleTime += elapsed;
  Unlock();
  return static_cast<int>(got);
}

}  // namespace quor
