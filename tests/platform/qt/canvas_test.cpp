#include <gtest/gtest.h>

#include "platform/qt/bitmap.h"

namespace platform::qt {
namespace {

TEST(CanvasTest, Smoke) {
  TBitmap b(20, 20);
  b.Canvas().Brush.Color = 0x0000FF;
  b.Canvas().FillRect({0, 0, 10, 10});
  EXPECT_EQ(b.Pixel(9, 9), 0x0000FFu);
  EXPECT_EQ(b.Pixel(10, 9), 0xFFFFFFu);
}

}  // namespace
}  // namespace platform::qt
