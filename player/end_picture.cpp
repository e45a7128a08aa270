// The end picture: shown for a little over two seconds once the list is finished.
#include "end_picture.h"

#include "clock.h"
#include "player.h"

namespace quorplay {

void Player::openEndPicture() {
  const std::span<const uint8_t> image = EndPictureMovie();
  QuorMovie* picture = QuorOpenImage(image.data(), image.size(), 0);
  closeMovie();
  if (picture == nullptr) {
    destroyWindow();
    return;
  }
  movie_ = picture;
  endPicture_ = true;
  noBlackFill_ = false;
  fillBlack();
  movieLoops_ = -1;  // repeats until the deadline
  deadline_ = JovTimerRead() + kEndPictureMs;
  statsOn_ = false;
  userPaused_ = false;

  const uint32_t w = picture->width, h = picture->height;
  int32_t pictureX = surface_ ? surface_->pictureX : 0, pictureY = surface_ ? surface_->pictureY : 0;
  if (surface_ == nullptr || surface_->sourceWidth < w || surface_->sourceHeight < h) {
    if ((surfaceFlags_ & QUOR_SURFACE_CHANGE_MODE) && (settings_.modeWidth < w || settings_.modeHeight < h)) {
      surfaceFlags_ &= ~uint32_t(QUOR_SURFACE_CHANGE_MODE);
      closeSurface();
      settings_.blackScreen = false;
    }
    QuorSurface* bigger = QuorSurfaceOpen(window_.get(), w, h, surfaceFlags_ & ~uint32_t(QUOR_SURFACE_STRETCH_MASK));
    if (bigger == nullptr) {
      closeMovie();
      destroyWindow();
      return;
    }
    closeSurface();
    surface_ = bigger;
    if (!settings_.blackScreen) {
      const JovScreen screen = window_->display().screen();
      window_->place((screen.width - int32_t(w)) / 2 + surface_->clientLeft,
                     (screen.height - int32_t(h)) / 2 + surface_->clientTop, int32_t(surface_->sourceWidth),
                     int32_t(surface_->sourceHeight));
      pictureX = pictureY = 0;
    }
  } else {
    QuorSurfaceClear(surface_, 0);
  }
  QuorSurfaceSetDestSize(surface_, int32_t(surface_->sourceWidth), int32_t(surface_->sourceHeight));
  pictureX += int32_t(surface_->sourceWidth - w) / 2;
  pictureY += int32_t(surface_->sourceHeight - h) / 2;
  QuorSurfaceSetPosition(surface_, pictureX, pictureY);
  window_->show(true);
  forceFull_ = true;
}

}  // namespace quorplay
