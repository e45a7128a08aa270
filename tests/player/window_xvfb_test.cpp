// The program in a real window: quorplay runs on its own X server (Xvfb) with a one-frame movie
// looping, and the server's frame buffer (an XWD image that Xvfb keeps in a file) must show the
// picture where the player centres its window.
#include <fstream>
#include <iterator>

#include "player_fixture.h"
#include "quor_convert.h"
#include "xvfb_server.h"

namespace quortest {
namespace {

constexpr int kScreenWidth = 800, kScreenHeight = 600;

uint32_t Big32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// The screen of an XWD file of 32-bit pixels as 0xRRGGBB rows; empty when it isn't one.
std::vector<uint32_t> ReadScreen(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 100) return {};
  const uint32_t headerSize = Big32(b, 0), width = Big32(b, 16), height = Big32(b, 20), byteOrder = Big32(b, 28);
  const uint32_t bits = Big32(b, 44), pitch = Big32(b, 48), colours = Big32(b, 76);
  const size_t start = size_t(headerSize) + size_t(colours) * 12;
  if (bits != 32 || width != kScreenWidth || height != kScreenHeight || b.size() < start + size_t(pitch) * height)
    return {};
  std::vector<uint32_t> rgb(size_t(width) * height);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* p = &b[start + size_t(y) * pitch + size_t(x) * 4];
      rgb[size_t(y) * width + x] = byteOrder == 0 ? uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]
                                                  : uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    }
  return rgb;
}

int Gap(uint32_t a, uint32_t b) {
  int gap = 0;
  for (int shift : {0, 8, 16}) gap = std::max(gap, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
  return gap;
}

TEST(RealWindow, ShowsTheMovieCentredOnTheScreen) {
  if (!XvfbServer::installed()) GTEST_SKIP() << "no Xvfb";
  TempFolder folder;
  const std::vector<uint8_t> image = ShortDemo(1);
  const std::string moviePath = folder.write("one.qor", image);
  std::filesystem::create_directories(folder.file("fb"));
  std::filesystem::create_directories(folder.file("config"));
  {
    std::ofstream profile(folder.file("config/jov.ini"));
    profile << "[Jov Video Tools]\nLastVersionCheckDate=2999-01-01\n";  // no reminder
  }
  XvfbServer server(std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24", folder.file("fb"), 0);
  if (!server.running()) GTEST_SKIP() << "Xvfb did not start";
  const std::string display = server.display(), fb = server.image();

  // What the frame looks like.
  QuorMovie* movie = QuorOpenImage(image.data(), image.size(), 0);
  ASSERT_NE(movie, nullptr);
  QuorDecodeFrame(movie);
  std::vector<uint8_t> reference(320 * 240 * 4);
  QuorConvertFrame(movie, reference.data(), 320 * 4, 240, 0, 0, 3 | QUOR_CONVERT_FORCE_FULL);
  QuorClose(movie);
  const auto expected = [&](int x, int y) {
    const uint8_t* p = &reference[(size_t(y) * 320 + size_t(x)) * 4];
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  };

  Child player({QUORPLAY_PROGRAM, "/L0", moviePath},
               {"DISPLAY=" + display, "XDG_CONFIG_HOME=" + folder.file("config"), "HOME=" + folder.file("config"),
                "SDL_AUDIODRIVER=dummy", "PATH=/usr/bin:/bin",
                // In sanitizer builds: the window system's libraries keep blocks until exit.
                "ASAN_OPTIONS=detect_leaks=0"});
  const int left = ((kScreenWidth - 320) / 2) & ~3, top = (kScreenHeight - 240) / 2;
  int worst = 255;
  for (int attempt = 0; attempt < 150 && player.running() && worst > 8; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<uint32_t> screen = ReadScreen(fb);
    if (screen.empty()) continue;
    worst = 0;
    for (int y = 0; y < 240; y += 5)
      for (int x = 0; x < 320; x += 5)
        worst = std::max(worst, Gap(screen[size_t(top + y) * kScreenWidth + size_t(left + x)], expected(x, y)));
  }
  EXPECT_TRUE(player.running()) << "the player ended early";
  EXPECT_LE(worst, 8) << "the picture is not on the screen where expected";
}

}  // namespace
}  // namespace quortest
