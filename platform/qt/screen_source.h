// Where the screen's facts come from: sizes, resolution and the resolution-awareness level that
// the scaling code reads. The program's source answers the window system's logical sizes, 96
// pixels per inch and no awareness service (-1): the window system already scales to the
// screen, so a physical resolution would scale twice. Tests install a FixedScreenSource.
#pragma once

#include <memory>

namespace platform::qt {

class ScreenSource {
 public:
  virtual ~ScreenSource() = default;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual int VirtualWidth() = 0;  // all screens together
  virtual int VirtualHeight() = 0;
  virtual int PixelsPerInch() = 0;  // horizontal logical resolution of the screen
  // The process's awareness level (0 none, 1 system, 2 per monitor) after requesting
  // `requested` (-1: request nothing); -1 when the platform has no such service.
  virtual int AwarenessLevel(int requested) = 0;
};

// The window system's primary screen (1024 x 768 when there is none).
std::unique_ptr<ScreenSource> MakeSystemScreenSource();

// Fixed answers; an awareness request of 0 to 2 is taken when `awareness` is not -1.
class FixedScreenSource final : public ScreenSource {
 public:
  FixedScreenSource(int width, int height, int dpi, int awareness = -1)
      : width_(width), height_(height), dpi_(dpi), awareness_(awareness) {}
  int ScreenWidth() override { return width_; }
  int ScreenHeight() override { return height_; }
  int VirtualWidth() override { return width_; }
  int VirtualHeight() override { return height_; }
  int PixelsPerInch() override { return dpi_; }
  int AwarenessLevel(int requested) override {
    if (awareness_ >= 0 && requested >= 0 && requested <= 2) awareness_ = requested;
    return awareness_;
  }

 private:
  int width_, height_, dpi_, awareness_;
};

}  // namespace platform::qt
