// Starting each movie: the next name, the one-shot settings, opening, the target size, the
// surface, the window's place and the statistics line.
#include <cstring>

#include "bitmap_font.h"
#include "jov_strings.h"
#include "player.h"
#include "quor_convert.h"
#include "stretch_size.h"
#include "texts.h"

namespace quorplay {

Player::Player(JovDisplay& display, const PlayerSettings& settings, const std::string& fileList, PlayerHooks hooks)
    : display_(display), settings_(settings), hooks_(std::move(hooks)) {
  detail::Append(list_, fileList);
  Trim(list_.data());
  savedList_ = list_.str();
  statsOn_ = settings_.statistics;
  surfaceFlags_ = settings_.surfaceFlags;
}

Player::~Player() {
  closeMovie();
  closeSurface();
}

int Player::run() {
  if (!start()) return finish();
  while (pass()) {
  }
  return finish();
}

bool Player::start() {
  const JovFrame frame = settings_.windowStyle == 0   ? JovFrame::kCaption
                         : settings_.windowStyle == 1 ? JovFrame::kBorder
                                                      : JovFrame::kNone;
  window_ = display_.createWindow(kWindowTitle, 32, 32, frame);
  if (!window_) {
    display_.messageBox(kWindowErrorCaption, kWindowErrorText, JovMessageKind::kError);
    result_ = 1;
    windowGone_ = true;
    return false;
  }
  if (settings_.alwaysOnTop) window_->setAlwaysOnTop(true);
  if (settings_.hideCursor) display_.showCursor(false);
  const JovScreen screen = display_.screen();
  screenWidth_ = screen.width;
  screenHeight_ = screen.height;
  if (surfaceFlags_ & QUOR_SURFACE_CHANGE_MODE) {
    screenWidth_ = int32_t(settings_.modeWidth);
    screenHeight_ = int32_t(settings_.modeHeight);
    QuorSurfaceSetVideoMode(settings_.modeWidth, settings_.modeHeight, settings_.modeDepth);
  }
  return startMovie(true);
}

bool Player::startMovie(bool first) {
  char name[JOV_TEXT_SIZE] = {};
  GetAndRemoveFirstQuoted(name, list_.data());
  if (first) {
    const bool several = list_.text[0] != '\0';
    listLoops_ = several ? settings_.loops : 1;
    movieLoops_ = several ? 1 : settings_.loops;
  }
  started_.emplace_back(name);

  if (settings_.openFlags & QUOR_OPEN_RATE_OVERRIDE && settings_.rateNumerator != -1 &&
      settings_.rateDenominator != -1)
    QuorOverrideFrameRate(uint32_t(settings_.rateNumerator), uint32_t(settings_.rateDenominator));
  if (settings_.track != 0) QuorChooseSoundTracks(1, &settings_.track);
  if (settings_.readSpeed != 0) QuorSimulateReadSpeed(settings_.readSpeed);
  if (settings_.readBuffer != -1) QuorOverrideReadBuffer(uint32_t(settings_.readBuffer));

  const MovieSource source = SourceOf(name, hooks_.programPath);
  if (source.kind != SourceKind::kProgram && hooks_.versionReminder()) {
    destroyWindow();
    result_ = 1;
    return false;
  }
  OpenedMovie opened = OpenMovie(source, settings_.openFlags);
  if (opened.movie == nullptr) {
    display_.messageBox(kErrorCaption, QuorErrorText(), JovMessageKind::kError);
    destroyWindow();
    result_ = 1;
    return false;
  }
  movie_ = opened.movie;
  file_ = std::move(opened.file);

  // The target size, and doubling by the decoder where it can.
  uint32_t flags = surfaceFlags_ & ~uint32_t(QUOR_SURFACE_STRETCH_MASK);
  const uint32_t w = movie_->width, h = movie_->height;
  const uint32_t tw = StretchSize(settings_.widthNumerator, settings_.widthDenominator, w, uint32_t(screenWidth_),
                                  kWidthKind, flags);
  const uint32_t th = StretchSize(settings_.heightNumerator, settings_.heightDenominator, h,
                                  uint32_t(screenHeight_), kHeightKind, flags);
  const bool widthDoubled = tw == 2 * w, heightDoubled = th == 2 * h;
  if ((movie_->flags & QUOR_OPEN_DISPLAY_MODE_MASK) == 0 && (tw == w || widthDoubled) && (th == h || heightDoubled) &&
      (widthDoubled || heightDoubled)) {
    flags &= ~uint32_t(QUOR_SURFACE_STRETCH_MASK);
    const uint32_t mode = widthDoubled && heightDoubled ? 4 : widthDoubled ? 3 : 1;
    if (widthDoubled) movie_->width *= 2;
    if (heightDoubled) movie_->height *= 2;
    movie_->flags |= mode << QUOR_OPEN_DISPLAY_MODE_SHIFT;
  }
  if (settings_.blackScreen || statsOn_) noBlackFill_ = false;

  // A surface kept from the previous movie is closed right after the first attempt.
  QuorSurface* surface = QuorSurfaceOpen(window_.get(), movie_->width, movie_->height, flags);
  if (surface_ != nullptr) {
    closeSurface();
    if (surface == nullptr) surface = QuorSurfaceOpen(window_.get(), movie_->width, movie_->height, flags);
  }
  if (surface == nullptr) {
    window_->show(false);
    display_.messageBox(kErrorCaption, QuorSurfaceGetError(), JovMessageKind::kError);
    destroyWindow();
    closeMovie();
    result_ = 1;
    return false;
  }
  surface_ = surface;
  QuorSurfaceSetDestSize(surface_, int32_t(tw), int32_t(th));

  // The statistics line makes the window taller, and wider when the picture is narrower than it.
  int32_t pictureX = 0, pictureY = 0;
  int32_t clientWidth = int32_t(surface_->destWidth), clientHeight = int32_t(surface_->destHeight);
  if (statsOn_) {
    const int32_t lineWidth = TextWidth(std::string_view(kStatsSizingText).substr(0, 100)) + 8;
    clientHeight += kLineHeight;
    pictureY = kLineHeight;
    if (lineWidth > clientWidth) {
      pictureX = ((lineWidth - clientWidth) / 2) & ~3;
      clientWidth = lineWidth;
    }
  }
  // Where the window goes: centred by its final size, so that a window widened for the line
  // stays on the screen.
  const int32_t windowWidth = clientWidth + int32_t(surface_->borderWidth);
  const int32_t windowHeight = clientHeight + int32_t(surface_->borderHeight);
  if (first || settings_.blackScreen) {
    x_ = settings_.x;
    y_ = settings_.y;
    if (x_ == kNotGiven)
      x_ = screenWidth_ < windowWidth ? -surface_->clientLeft : ((screenWidth_ - windowWidth) / 2) & ~3;
    if (y_ == kNotGiven) y_ = screenHeight_ < windowHeight ? -surface_->clientTop : (screenHeight_ - windowHeight) / 2;
  }
  int32_t clientX = x_ + surface_->clientLeft, clientY = y_ + surface_->clientTop;
  if (settings_.blackScreen) {
    // The client area covers the screen; the picture sits at the aligned position.
    QuorSurfaceAdjustPosition(surface_, &x_, &y_);
    pictureX = x_;
    pictureY = y_ + (statsOn_ ? kLineHeight : 0);
    clientX = 0;
    clientY = 0;
    clientWidth = screenWidth_;
    clientHeight = screenHeight_;
  }
  if (statsOn_) statsLine_ = {0, 0, clientWidth, kLineHeight};
  window_->place(clientX, clientY, clientWidth, clientHeight);
  window_->show(true);
  QuorSurfaceSetPosition(surface_, pictureX, pictureY);

  const uint32_t mode = (movie_->flags & QUOR_OPEN_DISPLAY_MODE_MASK) >> QUOR_OPEN_DISPLAY_MODE_SHIFT;
  if (mode == 2 || mode == 5 || mode == 6) {  // interlaced: the left-out lines stay black
    noBlackFill_ = false;
    fillBlack();
  }
  forceFull_ = true;
  return true;
}

bool Player::nextMovie() {
  closeMovie();
  movieLoops_ = 1;
  if (!settings_.blackScreen && window_) {
    const JovRect frame = window_->frame();
    x_ = frame.x;
    y_ = frame.y;
  }
  return startMovie(false);
}

void Player::closeMovie() {
  QuorClose(movie_);
  movie_ = nullptr;
  file_.reset();
}

void Player::closeSurface() {
  QuorSurfaceClose(surface_);
  surface_ = nullptr;
}

}  // namespace quorplay
