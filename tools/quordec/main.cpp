// quordec: decodes a movie's frames to YUV4MPEG2, PNG pictures and WAV sound.
//
//   quordec MOVIE.qor [-o OUT.y4m] [--alpha ALPHA.y4m] [--png PATTERN] [--wav ID OUT.wav]...
//                     [--frames N] [--start N]
//
// -o: every frame becomes one 4:2:0 picture (Cmono for grayscale movies) cropped to the coded
// size, blue-difference plane before red-difference plane, at the file's frame rate; --alpha:
// the alpha plane as a second, mono stream. "-o -" writes to standard output. --png: each
// frame as a 32-bit PNG of the shown picture (with its alpha plane when the movie has one),
// named by a pattern such as frame%04d.png. --wav: the decoded sound of the track with that id
// as a 16-bit WAV file, each packet of the frames written giving its decoded size. Frames
// count from 1; pictures are decoded from the last key frame at or before --start so that
// they are exact, and the sound starts with the frame --start names.
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "movie.h"
#include "output_file.h"
#include "packet.h"
#include "png_frames.h"
#include "quor.h"
#include "wav_track.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: quordec MOVIE.qor [-o OUT.y4m] [--alpha ALPHA.y4m] [--png PATTERN]\n"
               "               [--wav ID OUT.wav]... [--frames N] [--start N]\n");
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

// The last key frame at or before `frame` (1-based), from the movie's checked frame index.
uint32_t KeyFrameBefore(const quor::Movie& movie, uint32_t frame) {
  for (uint32_t f = frame; f > 1; --f)
    if (movie.frameIndex[f - 1] & 1) return f;
  return 1;
}

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
  const char* pngPattern = nullptr;
  std::vector<std::pair<uint32_t, const char*>> wavs;
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
    } else if (arg == "--png") {
      pngPattern = value();
    } else if (arg == "--wav") {
      const char* id = value();
      char* end = nullptr;
      errno = 0;
      const unsigned long v = std::strtoul(id, &end, 10);
      if (errno || !end || *end || id[0] == '-' || v > 0xFFFFFFFFul)
        Fail(std::string("--wav needs a track id, not \"") + id + "\"");
      wavs.emplace_back(uint32_t(v), value());
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
  if (!moviePath || (!outPath && !pngPattern && wavs.empty())) Usage();
  if (alphaPath && !outPath) Fail("--alpha goes with -o");
  std::unique_ptr<PngFrames> png;
  if (pngPattern) png = std::make_unique<PngFrames>(pngPattern);
  const bool pictures = outPath || png;

  // The sound of --wav is decoded here, not played: no track is opened for playback.
  QuorChooseSoundTracks(0, nullptr);
  const uint32_t flags = QUOR_OPEN_NO_READ_THREAD | QUOR_OPEN_TRACK_LIST |
                         (alphaPath || pngPattern ? QUOR_OPEN_ALPHA : 0);
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

  std::unique_ptr<OutputFile> out, alpha;
  if (outPath) {
    out = std::make_unique<OutputFile>(outPath);
    const std::string header = size + rate + (gray ? " Cmono" : " C420jpeg") + "\n";
    out->Write(header.data(), header.size());
  }
  if (alphaPath) {
    alpha = std::make_unique<OutputFile>(alphaPath);
    const std::string header = size + rate + " Cmono\n";
    alpha->Write(header.data(), header.size());
  }

  const bool progress = isatty(STDERR_FILENO) != 0;
  const auto began = std::chrono::steady_clock::now();
  auto lastShown = began;
  std::vector<uint8_t> frame, alphaFrame;
  std::vector<std::unique_ptr<WavTrack>> tracks;
  for (const auto& [id, path] : wavs) tracks.push_back(std::make_unique<WavTrack>(movie, id, path));
  const quor::Movie& in = *quor::AsMovie(movie);
  const uint32_t first = pictures ? KeyFrameBefore(in, start) : start;
  if (first != 1) QuorGoto(movie, int32_t(first));
  for (uint32_t n = first, written = 0; written < count; ++n) {
    if ((pictures && QuorDecodeFrame(movie) != 0) || movie->stopped || in.reader.readError)
      Fail(std::string(moviePath) + ": frame " + std::to_string(n) + " could not be read");
    if (n >= start && !tracks.empty()) {
      std::span<const uint8_t> video;
      if (!quor::SplitPacket({in.frameData, in.frameSize}, in.header.trackCount, video,
                             [&](const quor::TrackSection& s) {
                               for (auto& t : tracks)
                                 if (s.present && s.track == t->track()) t->Add(s.decodedSize, s.audio);
                             }))
        Fail(std::string(moviePath) + ": frame " + std::to_string(n) + " is damaged");
    }
    if (n >= start && png) png->Write(movie, n);
    if (n >= start && out) {
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
      out->Write(frame.data(), frame.size());
      if (alpha) {
        alphaFrame.assign(kFrame, kFrame + 6);
        AppendPlane(alphaFrame, picture.alpha, picture.stride[0], w, h);
        alpha->Write(alphaFrame.data(), alphaFrame.size());
      }
    }
    if (n >= start) {
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
  if (out) out->Finish();
  if (alpha) alpha->Finish();
  for (auto& t : tracks) t->Finish();
  return 0;
}
