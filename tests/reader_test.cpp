// Reading frame packets: every way of opening delivers the same packets; the ring, seeking,
// short reads, the simulated speed and the read worker.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "clock.h"
#include "movie_fixture.h"
#include "packet.h"
#include "seeds.h"
#include "worker_registry.h"

namespace quortest {
namespace {

// 2000 frames of about 1 KiB: large enough that the ring is far smaller than the file.
MovieSpec LongMovie() { return PatternMovie(300, 1000, 2); }

// Steps through every frame (and around once more into frame 1) comparing packets.
void ExpectPackets(QuorMovie* m, const MovieSpec& spec) {
  ASSERT_NE(m, nullptr) << QuorErrorText();
  for (uint32_t i = 0; i <= spec.frames.size(); ++i) {
    const uint32_t frame = i % spec.frames.size();
    ASSERT_EQ(m->currentFrame, static_cast<int32_t>(frame + 1));
    ASSERT_EQ(CurrentPacket(m), BuildPacket(spec, spec.frames[frame])) << "frame " << frame;
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    QuorStepFrame(m);
  }
  EXPECT_EQ(m->stopped, 0u);
  QuorClose(m);
}

TEST(Reader, EveryWayOfOpeningDeliversTheSamePackets) {
  const MovieSpec spec = LongMovie();
  const auto bytes = BuildMovie(spec);
  TempFile file(bytes);
  const char* path = file.path().c_str();

  struct Mode {
    const char* name;
    uint32_t flags;
    bool expectRing;
  } modes[] = {
      {"ring with worker", 0, true},
      {"ring, no worker", QUOR_OPEN_NO_READ_THREAD, true},
      {"no initial fill", QUOR_OPEN_NO_INITIAL_FILL | QUOR_OPEN_NO_READ_THREAD, true},
      {"preload", QUOR_OPEN_PRELOAD, false},
  };
  for (const Mode& mode : modes) {
    SCOPED_TRACE(mode.name);
    QuorMovie* m = QuorOpen(path, mode.flags);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Internals(m).preload == nullptr, mode.expectRing);
    EXPECT_EQ(Internals(m).reader.IsOpen(), mode.expectRing) << "a preloaded file is closed at once";
    ExpectPackets(m, spec);
  }
  // A ring of 0 bytes: every frame is read directly.
  QuorOverrideReadBuffer(0);
  QuorMovie* m = QuorOpen(path, QUOR_OPEN_READ_BUFFER);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(Internals(m).reader.RingSize(), 0u);
  ExpectPackets(m, spec);

  ExpectPackets(QuorOpenImage(bytes.data(), bytes.size(), 0), spec);
  ExpectPackets(QuorOpen(bytes.data(), QUOR_OPEN_MEMORY_IMAGE), spec);

  // A movie inside a larger file, given as a descriptor positioned at its start.
  std::vector<uint8_t> embedded(1001 + bytes.size() + 333, 0xA5);
  std::fill_n(embedded.begin(), 1001, 0x5A);
  std::copy(bytes.begin(), bytes.end(), embedded.begin() + 1001);
  TempFile outer(embedded, "outer.bin");
  const int fd = ::open(outer.path().c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::lseek(fd, 1001, SEEK_SET), 1001);
  ExpectPackets(QuorOpen(reinterpret_cast<const void*>(intptr_t(fd)), QUOR_OPEN_FILE_HANDLE), spec);
  EXPECT_EQ(::close(fd), 0) << "the caller's descriptor stays open";
  WriteSeed("open", "long", bytes);
}

TEST(Reader, SizingPreloadsAFileThatNearlyFitsTheRing) {
  // Ten frames at 25 frames a second: the busiest second is the whole movie.
  const MovieSpec spec = PatternMovie(10, 3000);
  const auto bytes = BuildMovie(spec);
  TempFile file(bytes);
  QuorMovie* m = QuorOpen(file.path().c_str(), 0);
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->flags & QUOR_OPEN_PRELOAD);
  EXPECT_FALSE(Internals(m).reader.IsOpen());
  ExpectPackets(m, spec);

  const MovieSpec longSpec = LongMovie();
  const auto longBytes = BuildMovie(longSpec);
  TempFile longFile(longBytes);
  m = QuorOpen(longFile.path().c_str(), QUOR_OPEN_NO_READ_THREAD);
  ASSERT_NE(m, nullptr);
  const quor::Movie& in = Internals(m);
  EXPECT_FALSE(m->flags & QUOR_OPEN_PRELOAD);
  EXPECT_EQ(in.reader.RingSize(), quor::Reader::RoundSize(in.peakDataSize));
  EXPECT_EQ(in.reader.RingSize() % 4096, 0u);
  EXPECT_GE(in.reader.RingFill() + 4096, in.reader.RingSize()) << "filled at open";
  QuorClose(m);
}

TEST(Reader, SeekingSkipsBufferedBytesOrRestartsTheRing) {
  const MovieSpec spec = LongMovie();
  const auto bytes = BuildMovie(spec);
  TempFile file(bytes);
  QuorMovie* m = QuorOpen(file.path().c_str(), QUOR_OPEN_NO_READ_THREAD);
  ASSERT_NE(m, nullptr);
  quor::Movie& in = Internals(m);
  const uint64_t readAtOpen = in.reader.bytesRead;
  // Frame 5 lies inside the ring: reached without touching the file.
  QuorGoto(m, 5);
  EXPECT_EQ(CurrentPacket(m), BuildPacket(spec, spec.frames[4]));
  EXPECT_EQ(in.reader.bytesRead, readAtOpen);
  // Far ahead and back again: the ring starts afresh both times.
  for (uint32_t frame : {250u, 3u, 300u, 1u}) {
    QuorGoto(m, static_cast<int32_t>(frame));
    EXPECT_EQ(CurrentPacket(m), BuildPacket(spec, spec.frames[frame - 1])) << frame;
  }
  EXPECT_GT(in.reader.bytesRead, readAtOpen);
  EXPECT_EQ(m->stopped, 0u);
  QuorClose(m);
}

TEST(Reader, ShortFileStopsAtTheDamagedFrame) {
  const MovieSpec spec = LongMovie();
  auto bytes = BuildMovie(spec);
  const uint32_t cutFrame = 200;  // 0-based: frames before it are whole
  const size_t indexAt = 44 + 12 * spec.tracks.size();
  const uint32_t cut = (GetWord(bytes, indexAt + 4 * cutFrame) & ~1u) + 10;
  bytes.resize(cut);
  TempFile file(bytes);
  struct Mode {
    const char* name;
    uint32_t flags;
  } modes[] = {{"ring", QUOR_OPEN_NO_READ_THREAD}, {"worker", 0}, {"preload", QUOR_OPEN_PRELOAD}};
  for (const Mode& mode : modes) {
    SCOPED_TRACE(mode.name);
    QuorOverrideReadBuffer(64 * 1024);
    QuorMovie* m = QuorOpen(file.path().c_str(), mode.flags | QUOR_OPEN_READ_BUFFER);
    ASSERT_NE(m, nullptr) << QuorErrorText();
    for (uint32_t i = 0; i < cutFrame; ++i) {
      ASSERT_EQ(QuorDecodeFrame(m), 0) << i;
      QuorStepFrame(m);
    }
    EXPECT_EQ(QuorDecodeFrame(m), 1);
    EXPECT_EQ(m->stopped, 1u);
    EXPECT_EQ(QuorShouldWait(m), 0);
    QuorStepFrame(m);
    EXPECT_EQ(QuorDecodeFrame(m), 1) << "a read error is never cleared";
    QuorClose(m);
  }
  QuorMovie* m = QuorOpenImage(bytes.data(), bytes.size(), 0);
  ASSERT_NE(m, nullptr);
  QuorGoto(m, cutFrame);
  EXPECT_EQ(QuorDecodeFrame(m), 0);
  QuorStepFrame(m);
  EXPECT_EQ(QuorDecodeFrame(m), 1);
  QuorClose(m);
  WriteSeed("open", "short", bytes);
}

TEST(Reader, PacketWhoseTrackSectionsOverrunItStopsPlayback) {
  MovieSpec spec = PatternMovie(5, 40, 2);
  auto bytes = BuildMovie(spec);
  // Frame 2's first section claims more bytes than its packet holds.
  const size_t indexAt = 44 + 12 * 2;
  const uint32_t packet = GetWord(bytes, indexAt + 4 * 2) & ~1u;
  SetWord(bytes, packet, 0x10000);
  QuorMovie* m = QuorOpenImage(bytes.data(), bytes.size(), 0);
  ASSERT_NE(m, nullptr);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    QuorStepFrame(m);
  }
  EXPECT_EQ(QuorDecodeFrame(m), 1);
  EXPECT_EQ(m->stopped, 1u);
  QuorClose(m);
  WriteSeed("open", "overrun", bytes);
}

TEST(Reader, SimulatedSpeedThrottlesReads) {
  const auto bytes = BuildMovie(LongMovie());
  TempFile file(bytes);
  quor::ManualClock clock(5000, 1);  // time moves only while the reader waits
  QuorSimulateReadSpeed(100000);
  QuorOverrideReadBuffer(40 * 4096);
  QuorMovie* m = QuorOpen(file.path().c_str(),
                         QUOR_OPEN_SIMULATED_SPEED | QUOR_OPEN_READ_BUFFER | QUOR_OPEN_NO_READ_THREAD |
                             QUOR_OPEN_NO_INITIAL_FILL);
  ASSERT_NE(m, nullptr);
  quor::Movie& in = Internals(m);
  const uint32_t start = clock.Now();
  int blocks = 0;
  while (in.reader.Idle() > 0) ++blocks;
  const uint32_t elapsed = clock.Now() - start;
  ASSERT_GT(blocks, 30);
  // 4096 bytes at 100000 bytes a second take 40.96 ms.
  EXPECT_GE(elapsed, 40u * blocks);
  EXPECT_LE(elapsed, 42u * blocks);
  EXPECT_GE(in.reader.readTime, 40u * blocks);
  QuorClose(m);
}

TEST(Reader, OneWorkerServesEveryMovieAndEndsWithTheLast) {
  const auto bytes = BuildMovie(LongMovie());
  TempFile a(bytes, "a.qor"), b(bytes, "b.qor");
  ASSERT_EQ(quor::WorkerClients(quor::WorkerKind::kRead), 0u);
  QuorMovie* ma = QuorOpen(a.path().c_str(), QUOR_OPEN_NO_INITIAL_FILL);
  QuorMovie* mb = QuorOpen(b.path().c_str(), QUOR_OPEN_NO_INITIAL_FILL);
  ASSERT_TRUE(ma && mb);
  EXPECT_EQ(quor::WorkerClients(quor::WorkerKind::kRead), 2u);
  // The worker fills both rings to at least half in its passes (every 200 ms).
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  auto half = [](QuorMovie* m) { return Internals(m).reader.FillPercent() >= 50; };
  while ((!half(ma) || !half(mb)) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(half(ma));
  EXPECT_TRUE(half(mb));
  EXPECT_GT(Internals(ma).reader.idleTime + Internals(ma).reader.bytesRead, 0u);
  QuorClose(ma);
  EXPECT_EQ(quor::WorkerClients(quor::WorkerKind::kRead), 1u);
  ExpectPackets(mb, LongMovie());
  EXPECT_EQ(quor::WorkerClients(quor::WorkerKind::kRead), 0u);
}

TEST(Packet, SplitsTrackSectionsAndVideo) {
  MovieSpec spec = PatternMovie(1, 24, 3);
  spec.frames[0].tracks[0].present = false;
  spec.frames[0].tracks[2].present = true;
  spec.frames[0].tracks[2].bytes.clear();  // a section of only its decoded-size word
  spec.frames[0].tracks[2].decodedSize = 77;
  const auto packet = BuildPacket(spec, spec.frames[0]);
  std::vector<quor::TrackSection> seen;
  std::span<const uint8_t> video;
  ASSERT_TRUE(quor::SplitPacket(packet, 3, video, [&](const quor::TrackSection& s) { seen.push_back(s); }));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_FALSE(seen[0].present);
  EXPECT_TRUE(seen[1].present);
  EXPECT_EQ(seen[1].decodedSize, spec.frames[0].tracks[1].decodedSize);
  EXPECT_TRUE(std::equal(seen[1].audio.begin(), seen[1].audio.end(), spec.frames[0].tracks[1].bytes.begin(),
                         spec.frames[0].tracks[1].bytes.end()));
  EXPECT_EQ(seen[2].decodedSize, 77u);
  EXPECT_TRUE(seen[2].audio.empty());
  EXPECT_EQ(std::vector<uint8_t>(video.begin(), video.end()), spec.frames[0].video);

  // No tracks: all video. Sizes that overrun, or a section too short for its decoded size.
  ASSERT_TRUE(quor::SplitPacket(packet, 0, video, [](const quor::TrackSection&) { FAIL(); }));
  EXPECT_EQ(video.size(), packet.size());
  for (uint32_t bad : {0x7FFFFFFFu, 1u, 3u, static_cast<uint32_t>(packet.size())}) {
    auto damaged = packet;
    SetWord(damaged, 4, bad);  // the second track's size word
    EXPECT_FALSE(quor::SplitPacket(damaged, 3, video, [](const quor::TrackSection&) { FAIL(); })) << bad;
  }
  EXPECT_FALSE(quor::SplitPacket(std::span<const uint8_t>(packet).first(2), 1, video,
                                 [](const quor::TrackSection&) { FAIL(); }));
}

}  // namespace
}  // namespace quortest
