// The playback loop: events, waiting, presenting frames, the end of each movie and the summary.
#include <algorithm>
#include <cstdio>

#include "bitmap_font.h"
#include "clock.h"
#include "player.h"
#include "quor_convert.h"
#include "texts.h"
#include "version_reminder.h"

namespace quorplay {

bool Player::pass() {
  pump();
  if (windowGone_) return false;
  const int wait = QuorShouldWait(movie_);
  if (wait == 1 && quit_ != 1) {
    budget_ += 1;
  } else if (skip_ || quit_ == 1) {
    endOfMovie();
  } else {
    present();
  }
  if (windowGone_) return false;

  if (userPaused_ || (!hasFocus_ && !settings_.keepPlayingUnfocused)) budget_ += 5;
  if (budget_ > 0) {
    const uint32_t before = JovTimerRead();
    quor::Sleep(uint32_t(std::min(budget_, 10)));
    budget_ -= int32_t(JovTimerRead() - before);
    budget_ = std::max(budget_, -100);
  }
  if (endPicture_ && (int32_t(JovTimerRead() - deadline_) > 0 || movie_ == nullptr || quit_ == 2)) destroyWindow();
  return !windowGone_;
}

void Player::pump() {
  JovEvent event;
  while (!windowGone_ && display_.nextEvent(event)) handle(event);
}

void Player::handle(const JovEvent& event) {
  switch (event.type) {
    case JovEvent::kQuit:
    case JovEvent::kClose: destroyWindow(); break;
    case JovEvent::kKey: key(event.key); break;
    case JovEvent::kFocusGained:
      if (!settings_.keepPlayingUnfocused) QuorSetPaused(movie_, userPaused_ ? 1 : 0);
      hasFocus_ = true;
      break;
    case JovEvent::kFocusLost:
      if (!settings_.keepPlayingUnfocused) QuorSetPaused(movie_, 1);
      hasFocus_ = false;
      break;
    case JovEvent::kExpose: paint(); break;
    case JovEvent::kMoved:
      if (surface_ != nullptr) QuorSurfaceSetPosition(surface_, surface_->pictureX, surface_->pictureY);
      break;
    case JovEvent::kMouseUp:
      if (endPicture_) hooks_.openUrl(WebRoot() + "/" + kClickQuery);
      break;
    case JovEvent::kNone: break;
  }
}

void Player::key(int32_t character) {
  const uint32_t off = settings_.disabled;
  switch (character) {
    case ' ':
      if (off & kDisablePause) return;
      userPaused_ = !userPaused_;
      QuorSetPaused(movie_, userPaused_ ? 1 : 0);
      return;
    case 13:
      if (off & kDisablePause) return;
      QuorSetPaused(movie_, 0);
      return;
    case '.':
      if ((off & kDisableSkip) || endPicture_) return;
      skip_ = true;
      return;
    case 27:
      if (off & kDisableQuit) return;
      listLoops_ = 1;
      list_.text[0] = '\0';
      if (endPicture_) {
        quit_ = 2;
      } else {
        quit_ = 1;
        QuorGetStats(movie_, &summary_);
      }
      QuorSetPaused(movie_, 0);
      return;
    default: return;
  }
}

bool Player::windowPixelsUsable() const {
  // Texture styles draw through the renderer, which shows the picture on black by itself and
  // must not share the window with its pixel buffer.
  return window_ && (surface_ == nullptr || surface_->style <= 2);
}

void Player::fillBlack() {
  if (!windowPixelsUsable()) return;
  const JovPixels pixels = window_->lockPixels();
  if (pixels.data != nullptr) {
    for (int32_t y = 0; y < pixels.height; ++y)
      std::fill_n(pixels.data + ptrdiff_t(y) * pixels.pitch, size_t(pixels.width) * pixels.format.bytesPerPixel(),
                  uint8_t{0});
  }
  window_->unlockPixels();
  if (pixels.data != nullptr) {
    const JovRect all{0, 0, pixels.width, pixels.height};
    window_->showPixels({&all, 1});
  }
}

void Player::paint() {
  if (!noBlackFill_) fillBlack();
  forceFull_ = true;
  if (surface_ != nullptr) QuorSurfaceBlitRects(surface_, nullptr, 1);
  if (statsOn_ && movie_ != nullptr && movie_->lastFrame > 0) drawStatistics();
}

void Player::present() {
  if (movie_ == nullptr) return;
  noBlackFill_ = false;
  QuorDecodeFrame(movie_);
  if (surface_ != nullptr) {
    if (QuorSurfaceLock(surface_)) {
      QuorConvertFrame(movie_, surface_->pixels, surface_->pitch, int32_t(surface_->sourceHeight), 0, 0,
                       surface_->format | (forceFull_ ? QUOR_CONVERT_FORCE_FULL : 0u));
      forceFull_ = false;
      QuorSurfaceUnlock(surface_);
    }
    QuorSurfaceBlitRects(surface_, movie_->rects, QuorChangedRects(movie_, surface_->format));
  }
  ++presented_;
  if (movie_->stopped) {
    // A read error or a damaged frame: nothing more of this movie will come.
    skip_ = true;
  } else if (movie_->currentFrame >= int32_t(movie_->frameCount) && --movieLoops_ == 0) {
    skip_ = true;  // the last frame stays until the next would be due
  } else {
    QuorStepFrame(movie_);
  }
  if (statsOn_) drawStatistics();
  if (userPaused_) QuorSetPaused(movie_, 1);
}

void Player::drawStatistics() {
  QuorRecentStats recent{};
  QuorGetRecentStats(movie_, &recent, 0);
  const std::string text = StatisticsLine(recent);
  if (!windowPixelsUsable()) {
    window_->setTitle(text);  // texture styles: the line goes into the caption instead
    return;
  }
  const JovPixels pixels = window_->lockPixels();
  DrawTextLine(pixels, statsLine_, text, 0xFFFF00, 0x000000);
  window_->unlockPixels();
  if (pixels.data != nullptr) window_->showPixels({&statsLine_, 1});
}

void Player::endOfMovie() {
  skip_ = false;
  quit_ = 0;
  QuorSetPaused(movie_, 1);
  if (list_.text[0] != '\0') {
    nextMovie();
    return;
  }
  if (--listLoops_ != 0) {
    list_.text[0] = '\0';
    detail::Append(list_, savedList_);
    nextMovie();
    return;
  }
  QuorGetStats(movie_, &summary_);
  openEndPicture();
}

void Player::destroyWindow() {
  windowGone_ = true;
  if (window_) window_->show(false);
}

int Player::finish() {
  std::string text;
  if (settings_.summary && summary_.framesDecoded != 0) {
    SurfaceFacts facts;
    if (surface_ != nullptr)
      facts = {QuorSurfaceStyleName(surface_), surface_->screenWidth, surface_->screenHeight, surface_->screenBits};
    text = SummaryText(summary_, facts);
  }
  closeMovie();
  closeSurface();
  window_.reset();
  if (settings_.hideCursor) display_.showCursor(true);
  if (!text.empty()) {
    if (display_.headless()) {
      std::fputs(kSummaryCaption, stdout);
      std::fputs("\n", stdout);
      std::fputs(text.c_str(), stdout);
      std::fflush(stdout);
    } else {
      quor::Sleep(10);
      display_.messageBox(kSummaryCaption, text, JovMessageKind::kInformation);
    }
  }
  return result_;
}

}  // namespace quorplay
