// quordec: decodes a movie's frames to YUV4MPEG2.
//
//   quordec MOVIE.qor -o OUT.y4m [--alpha ALPHA.y4m] [--frames N] [--start N]
//
// Every frame becomes one 4:2:0 picture (Cmono for grayscale movies) cropped to the coded
// size, blue-difference plane before red-difference plane, at the file's frame rate; the alpha
// plane goes to a second, mono stream. "-o -" writes to standard output. Frames count from 1;
// decoding starts at the last key frame at or before --start so that the pictures are exact.
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "quor.h"

namespace {

[[noreturn]] void Fail(const std::string& text) {
  std::fprintf(stderr, "quordec: %s\n", text.c_str());
  std::exit(1);
}

void Usage() {
  std::fprintf(stderr,
               "usage: quordec MOVIE.qor -o OUT.y4m [--alpha ALPHA.y4m] [--frames N] [--start N]\n");
  std::exit(2);
}

uint32_t ParseCount(const char* text, const char* option) {
  char* end = nullptr;
  errno = 0;
  const unsigned long v = std::strtoul(text, &end, 10);
  if (errno || !end || *end || text[0] == '-' || v == 0 || v > 0xFFFFFFFFul)
    Fail(std::string(option) + " needs a whole number from 1, not \"" + text + "\"");
  return uint32_t(v);
}

// The last key frame at or before `frame` (1-based), read from the file's frame index; 1 when
// the index can't be read.
uint32_t KeyFrameBefore(const char* path, uint32_t frame) {
  std::ifstream in(path, std::ios::binary);
  uint8_t header[44];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return 1;
  auto word = [](const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  };
  const uint32_t tracks = word(header + 40);
  if (tracks > (1u << 20)) return 1;
  in.seekg(44 + std::streamoff(tracks) * 12);
  std::vector<uint8_t> index(size_t(frame) * 4);
  if (!in.read(reinterpret_cast<char*>(index.data()), std::streamsize(index.size()))) return 1;
  for (uint32_t f = frame; f > 1; --f)
    if (word(&index[(f - 1) * 4]) & 1) return f;
  return 1;
}

struct Output {
  Output(const std::string& path) : path(path) {
    if (path == "-") {
      file = stdout;
    } else {
      file = std::fopen(path.c_str(), "wb");
      if (!file) Fail(path + ": " + std::strerror(errno));
      owned = true;
    }
    std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
  }
  ~Output() {
    if (owned) std::fclose(file);
  }
  void Write(const void* data, size_t size) {
    if (std::fwrite(data, 1, size, file) != size) Fail(path + ": write failed: " + std::strerror(errno));
  }
  void Finish() {
    if (std::fflush(file) != 0) Fail(path + ": write failed: " + std::strerror(errno));
    if (owned) {
      const int rc = std::fclose(file);
      owned = false;
      if (rc != 0) Fail(path + ": write failed: " + std::strerror(errno));
    }
  }
  std::string path;
  FILE* file = nullptr;
  bool owned = false;
};

// Appends `height` rows of `width` bytes from a plane of row stride `stride`.
void AppendPlane(std::vector<uint8_t>& out, const uint8_t* plane, uint32_t stride, uint32_t width,
                 uint32_t height) {
  const size_t at = out.size();
  out.resize(at + size_t(width) * height);
  uint8_t* to = out.data() + at;
  for (uint32_t y = 0; y < height; ++y, to += width) std::memcpy(to, plane + size_t(y) * stride, width);
}

}  // namespace

int main(int argc, char** argv) {
  const char* moviePath = nullptr;
  const char* outPath = nullptr;
  const char* alphaPath = nullptr;
  uint32_t frames = 0, start = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) Fail(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "-o") {
      outPath = value();
    } else if (arg == "--alpha") {
      alphaPath = value();
    } else if (arg == "--frames") {
      frames = ParseCount(value(), "--frames");
    } else if (arg == "--start") {
      start = ParseCount(value(), "--start");
    } else if (arg == "-h" || arg == "--help") {
      Usage();
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      Fail("unknown option " + arg);
    } else if (!moviePath) {
      moviePath = argv[i];
    } else {
      Usage();
    }
  }
  if (!moviePath || !outPath) Usage();

  QuorChooseSoundTracks(0, nullptr);  // pictures only: no track is decoded
  const uint32_t flags = QUOR_OPEN_NO_READ_THREAD | QUOR_OPEN_TRACK_LIST | (alphaPath ? QUOR_OPEN_ALPHA : 0);
  QuorMovie* movie = QuorOpen(moviePath, flags);
  if (!movie) Fail(std::string(moviePath) + ": " + QuorErrorText());
  std::unique_ptr<QuorMovie, void (*)(QuorMovie*)> closer(movie, QuorClose);
  if (alphaPath && !(movie->flags & QUOR_OPEN_ALPHA))
    Fail(std::string(moviePath) + ": the movie has no alpha plane");
  if (start > movie->frameCount)
    Fail(std::string(moviePath) + ": --start " + std::to_string(start) + " is past the last frame (" +
         std::to_string(movie->frameCount) + ")");
  const uint32_t available = movie->frameCount - start + 1;
  const uint32_t count = frames && frames < available ? frames : available;
  const bool gray = (movie->flags & QUOR_OPEN_GRAYSCALE) != 0;

  QuorPicture picture{};
  QuorGetPicture(movie, &picture);  // sizes and version, before any frame is decoded
  const uint32_t w = picture.width, h = picture.height;
  const bool olderRoles = picture.version == 'f' || picture.version == 'g';
  const std::string rate = " F" + std::to_string(movie->rateNumerator) + ":" +
                           std::to_string(movie->rateDenominator) + " Ip A1:1";
  const std::string size = "YUV4MPEG2 W" + std::to_string(w) + " H" + std::to_string(h);

  Output out(outPath);
  std::unique_ptr<Output> alpha;
  {
    const std::string header = size + rate + (gray ? " Cmono" : " C420jpeg") + "\n";
    out.Write(header.data(), header.size());
  }
  if (alphaPath) {
    alpha = std::make_unique<Output>(alphaPath);
    const std::string header = size + rate + " Cmono\n";
    alpha->Write(header.data(), header.size());
  }

  const bool progress = isatty(STDERR_FILENO) != 0;
  const auto began = std::chrono::steady_clock::now();
  auto lastShown = began;
  std::vector<uint8_t> frame, alphaFrame;
  const uint32_t first = KeyFrameBefore(moviePath, start);
  if (first != 1) QuorGoto(movie, int32_t(first));
  for (uint32_t n = first, written = 0; written < count; ++n) {
    if (QuorDecodeFrame(movie) != 0 || movie->stopped)
      Fail(std::string(moviePath) + ": frame " + std::to_string(n) + " could not be read");
    if (n >= start) {
      QuorGetPicture(movie, &picture);
      static constexpr char kFrame[] = "FRAME\n";
      frame.assign(kFrame, kFrame + 6);
      AppendPlane(frame, picture.plane[0], picture.stride[0], w, h);
      if (!gray) {
        // The blue-difference plane first: plane 1 in versions f and g, plane 2 in h and i.
        const int u = olderRoles ? 1 : 2, v = olderRoles ? 2 : 1;
        AppendPlane(frame, picture.plane[u], picture.stride[u], picture.chromaWidth, picture.chromaHeight);
        AppendPlane(frame, picture.plane[v], picture.stride[v], picture.chromaWidth, picture.chromaHeight);
      }
      out.Write(frame.data(), frame.size());
      if (alpha) {
        alphaFrame.assign(kFrame, kFrame + 6);
        AppendPlane(alphaFrame, picture.alpha, picture.stride[0], w, h);
        alpha->Write(alphaFrame.data(), alphaFrame.size());
      }
      ++written;
      if (progress) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastShown > std::chrono::milliseconds(250) || written == count) {
          const double seconds = std::chrono::duration<double>(now - began).count();
          std::fprintf(stderr, "\rframes %u/%u, %.0f frames/s ", written, count,
                       seconds > 0 ? written / seconds : 0.0);
          lastShown = now;
        }
      }
    }
    if (written < count) QuorStepFrame(movie);
  }
  if (progress) std::fputc('\n', stderr);
  out.Finish();
  if (alpha) alpha->Finish();
  return 0;
}
