// The display seam: windows, their pixel buffers, renderer textures, display modes, the cursor,
// message boxes and window events. The decoder library and the player reach the screen only
// through these classes; one implementation runs on SDL2, another on a memory screen (headless).
//
// A display outlives every window it created; a window outlives its textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct JovRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const JovRect&) const = default;
};

constexpr uint32_t JovFourCC(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
         uint32_t(uint8_t(d)) << 24;
}
inline constexpr uint32_t kJovYV12 = JovFourCC('Y', 'V', '1', '2');
inline constexpr uint32_t kJovYUY2 = JovFourCC('Y', 'U', 'Y', '2');
inline constexpr uint32_t kJovUYVY = JovFourCC('U', 'Y', 'V', 'Y');

// A pixel layout: a FourCC for the YUV layouts, otherwise storage bits per pixel (8, 16, 24, 32)
// and channel masks of the little-endian pixel value. An 8-bit layout without masks is indexed.
struct JovPixelFormat {
  uint32_t fourcc = 0;
  uint32_t bitsPerPixel = 0;
  uint32_t red = 0, green = 0, blue = 0, alpha = 0;
  bool operator==(const JovPixelFormat&) const = default;
  // Bytes of one pixel (of the luma plane for YV12, of a pixel pair's half for YUY2 and UYVY).
  uint32_t bytesPerPixel() const;
};
inline constexpr JovPixelFormat kJovXrgb8888{0, 32, 0xFF0000, 0xFF00, 0xFF, 0};
inline constexpr JovPixelFormat kJovRgb565{0, 16, 0xF800, 0x7E0, 0x1F, 0};

// A block of pixels of `format`: rows of `pitch` bytes. YV12 holds the luma plane (pitch x
// height), then a V plane and a U plane of pitch / 2 bytes by height / 2 rows each.
struct JovPixels {
  uint8_t* data = nullptr;
  int32_t pitch = 0;
  int32_t width = 0, height = 0;
  JovPixelFormat format;
};

// Where the planes of a YV12 block of `pitch` x `height` lie: the V plane at `v`, the U plane
// at `u` (pitch / 2 bytes a row, height / 2 rows apart); `size` bytes hold it with a last chroma
// row for an odd height.
struct JovYv12Layout {
  size_t v = 0, u = 0, size = 0;
};
JovYv12Layout JovYv12(int32_t pitch, int32_t height);

struct JovDisplayMode {
  int32_t width = 0, height = 0;
  uint32_t bitsPerPixel = 0;  // 0 = any depth
};

struct JovScreen {
  int32_t width = 0, height = 0;
  JovPixelFormat format;
};

enum class JovRenderer { kAccelerated, kSoftware };

// What a renderer can scale, per direction.
struct JovAxisScaling {
  bool enlarge = false, enlargeByIntegers = false, reduce = false, reduceByIntegers = false;
};
struct JovScaling {
  JovAxisScaling x, y;
};

enum class JovFrame { kCaption, kBorder, kNone };

enum class JovMessageKind { kInformation, kError };

struct JovEvent {
  enum Type { kNone, kQuit, kClose, kKey, kExpose, kMoved, kFocusGained, kFocusLost, kMouseUp };
  Type type = kNone;
  int32_t key = 0;   // kKey: the character (27 Escape, 13 Enter, 32 Space, or the key's text)
  int32_t x = 0, y = 0;
};

class JovDisplay;

// A texture of a window's renderer: the renderer scales it and converts its colours.
class JovTexture {
 public:
  virtual ~JovTexture() = default;
  virtual JovPixelFormat format() const = 0;
  // Copies `area` of a picture of the texture's size and format into the texture.
  virtual bool upload(const JovPixels& picture, JovRect area) = 0;
  // Draws the whole texture into `destination` of the window's client area, on black, and shows it.
  virtual bool present(JovRect destination) = 0;
};

class JovWindow {
 public:
  virtual ~JovWindow() = default;
  virtual JovDisplay& display() = 0;
  virtual JovRect frame() const = 0;   // the outer rectangle on the screen
  virtual JovRect client() const = 0;  // the client area on the screen
  virtual bool visible() const = 0;
  virtual void show(bool on) = 0;
  // Places the client area's corner at (x, y) of the screen and sizes it.
  virtual void place(int32_t x, int32_t y, int32_t clientWidth, int32_t clientHeight) = 0;
  virtual void setTitle(const std::string& title) = 0;
  // Keeps the window above all others (where the window system allows it).
  virtual void setAlwaysOnTop(bool on) { (void)on; }

  // The window's own pixel buffer (client size, screen layout); data is null when there is none.
  // Its address may change between locks (after a resize or a mode change).
  virtual JovPixels lockPixels() = 0;
  virtual void unlockPixels() = 0;
  // Shows these areas (client coordinates) of the pixel buffer.
  virtual bool showPixels(std::span<const JovRect> areas) = 0;
  // Draws `source` of a picture into `destination` of the pixel buffer, scaled to the nearest
  // pixel and converted to the buffer's layout; nothing outside the buffer is touched.
  virtual bool drawPicture(const JovPixels& picture, JovRect source, JovRect destination) = 0;

  // A streaming texture of a format that the renderer handles itself, or null.
  virtual std::unique_ptr<JovTexture> createTexture(JovRenderer renderer, const JovPixelFormat& format,
                                                    int32_t width, int32_t height) = 0;
  virtual JovScaling scaling(JovRenderer renderer) const = 0;

  // Full screen in a display mode of that size and depth (any depth for 0); false when the
  // screen has no such mode. leaveFullScreen gives the previous mode back.
  virtual bool enterFullScreen(const JovDisplayMode& mode) = 0;
  virtual void leaveFullScreen() = 0;
};

class JovDisplay {
 public:
  virtual ~JovDisplay() = default;
  virtual std::string name() const = 0;
  virtual bool headless() const = 0;
  // Whether windows can be written to directly and textures made (otherwise only software
  // pictures drawn into a window's pixel buffer are possible).
  virtual bool directAccess() const = 0;
  virtual JovScreen screen() const = 0;
  virtual std::vector<JovDisplayMode> modes() const = 0;
  virtual std::unique_ptr<JovWindow> createWindow(const std::string& title, int32_t clientWidth,
                                                  int32_t clientHeight, JovFrame frame) = 0;

  // The cursor: whether it is drawn into the screen's pixels (so that writing there must hide
  // it), where it is, and a show count as the usual show/hide calls keep it (shown when >= 0).
  virtual bool cursorIsSoftware() const = 0;
  virtual JovRect cursorArea() const = 0;
  virtual int32_t showCursor(bool show) = 0;

  virtual void messageBox(const std::string& caption, const std::string& text, JovMessageKind kind) = 0;
  // A question with Yes and No buttons: true for Yes. Without a way to ask, the answer is No.
  virtual bool askYesNo(const std::string& caption, const std::string& text) {
    messageBox(caption, text, JovMessageKind::kInformation);
    return false;
  }
  // The next pending event; false when there is none.
  virtual bool nextEvent(JovEvent& event) = 0;
};

enum class JovDisplayChoice { kAutomatic, kScreen, kHeadless };

// kAutomatic: the headless display when the environment variable QUOR_HEADLESS is set to
// anything but "0" or no screen can be opened, otherwise the screen. kScreen: null when no
// screen can be opened.
std::unique_ptr<JovDisplay> JovOpenDisplay(JovDisplayChoice choice = JovDisplayChoice::kAutomatic);
