// Random command texts through every switch, number, list and file-name operation: the first
// byte is the switch letter, the rest the text. Buffers are exactly as large as their contents
// (or JOV_TEXT_SIZE for outputs), so any write beyond them is caught; edits may only shorten.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "jov_strings.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

class Buffer {
 public:
  Buffer(const std::string& text, std::size_t size) : bytes_(size, '\0') {
    std::memcpy(bytes_.data(), text.data(), text.size() < size ? text.size() : size - 1);
  }
  explicit Buffer(const std::string& text) : Buffer(text, text.size() + 1) {}
  char* get() { return bytes_.data(); }
  std::size_t length() const { return std::strlen(bytes_.data()); }

 private:
  std::vector<char> bytes_;
};

// Runs an edit that may only remove text.
template <typename Edit>
void Shrinks(const std::string& text, Edit&& edit) {
  Buffer buffer(text);
  edit(buffer.get());
  Check(buffer.length() <= text.size());
}

void Switches(const std::string& text, char letter) {
  Shrinks(text, [&](char* cmd) { GetSwitch(cmd, letter); });
  Shrinks(text, [&](char* cmd) { GetSwitchNum(cmd, letter, -1); });
  Shrinks(text, [&](char* cmd) {
    int32_t n = 0;
    int32_t d = 0;
    if (GetSwitchFractional(cmd, letter, &n, &d, -1, -1)) Check(d != 0);
  });
  Shrinks(text, [&](char* cmd) {
    Buffer value("", JOV_TEXT_SIZE);
    GetSwitchStr(cmd, letter, value.get(), cmd);
    Check(value.length() < JOV_TEXT_SIZE);
  });
  Shrinks(text, [&](char* cmd) {
    RemoveMinusSwitches(cmd);
    if (char* left = FindSwitch(cmd)) Check(left >= cmd && left < cmd + std::strlen(cmd));
  });
  // Reading every switch the player reads, then taking the names off what is left.
  Shrinks(text, [&](char* cmd) {
    RemoveMinusSwitches(cmd);
    for (char l : std::string("LF#TMEUIZSQJRCNGPKAXYWHDB!")) {
      int32_t n = 0;
      int32_t d = 0;
      GetSwitchNum(cmd, l, 0);
      GetSwitchFractional(cmd, l, &n, &d, 0, 0);
      GetSwitch(cmd, l);
    }
    Buffer item("", JOV_TEXT_SIZE);
    for (int guard = 0; cmd[0] && guard <= 1024; ++guard) {
      GetAndRemoveFirstQuoted(item.get(), cmd);
      Check(item.length() < JOV_TEXT_SIZE);
    }
    Check(cmd[0] == '\0');
  });
}

void Numbers(const std::string& text) {
  int32_t n = 0;
  int32_t d = 0;
  const char* end = atofr(text.c_str(), &n, &d);
  Check(end >= text.c_str() && end <= text.c_str() + text.size() && d != 0);
  GCDNums(&n, &d);
  atou32(text.c_str());
  char digits[16];
  Check(u32toa(digits, atou32(text.c_str())) < digits + sizeof digits);
  char words[64];
  GetElapsedTime(words, static_cast<uint32_t>(n));
  Check(std::strlen(words) < sizeof words);
  MakeFrameRate(n);
}

void Lists(const std::string& text) {
  for (auto take : {GetAndRemoveFirst, GetAndRemoveFirstQuoted}) {
    Buffer list(text);
    Buffer item("", JOV_TEXT_SIZE);
    take(item.get(), list.get());
    Check(item.length() < JOV_TEXT_SIZE && list.length() <= text.size());
  }
  for (auto edit : {Trim, TrimAscii, TrimL, RemoveQuotes}) Shrinks(text, edit);
}

void FileNames(const std::string& text) {
  const char* dot = HasExtension(text.c_str());
  Check(!dot || (dot >= text.c_str() && *dot == '.'));
  for (int op = 0; op < 6; ++op) {
    Buffer path(text, JOV_TEXT_SIZE);
    switch (op) {
      case 0: ExpandFileName(path.get()); break;
      case 1: GetDrive(path.get()); break;
      case 2: IsDirectory(path.get(), 0); break;
      case 3: GetFilePieces(path.get(), 1, 1, text.size() & 1, text.size() & 2); break;
      case 4: AddBackslash(path.get()); break;
      case 5: GetTempName(path.get(), path.get(), text.c_str(), static_cast<uint32_t>(text.size())); break;
    }
    Check(path.length() < JOV_TEXT_SIZE);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 1024) return 0;
  const char letter = static_cast<char>(data[0]);
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  text.resize(std::strlen(text.c_str()));  // a command line ends at its first NUL
  Switches(text, letter);
  Numbers(text);
  Lists(text);
  FileNames(text);
  return 0;
}
