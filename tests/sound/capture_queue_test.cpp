// The capture queue played as fast as fed.
#include <gtest/gtest.h>

#include "jov_audio.h"

namespace {

uint32_t Frozen() { return 0; }

TEST(CaptureQueue, AnEmptyBufferDoesNotStallTheQueue) {
  jov::CaptureSetup setup;
  setup.clock = Frozen;
  setup.paced = false;
  auto queue = jov::OpenCaptureQueue({22050, 16, 1}, 4, 64, setup);
  ASSERT_NE(queue, nullptr);
  queue->Write(0, 0);
  queue->Write(1, 64);
  queue->Write(2, 64);  // plays everything but the newest
  EXPECT_TRUE(queue->Done(0));
  EXPECT_TRUE(queue->Done(1));
  EXPECT_FALSE(queue->Done(2));
  queue->Reset();
  EXPECT_TRUE(queue->Done(2));
}

}  // namespace
