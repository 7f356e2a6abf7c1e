#include "platform/qt/screen_source.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::qt {
namespace {

class SystemScreenSource final : public ScreenSource {
 public:
  int ScreenWidth() override { return Primary().width(); }
  int ScreenHeight() override { return Primary().height(); }
  int VirtualWidth() override { return Virtual().width(); }
  int VirtualHeight() override { return Virtual().height(); }
  int PixelsPerInch() override { return 96; }
  int AwarenessLevel(int requested) override {
    (void)requested;
    return -1;
  }

 private:
  static QRect Primary() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  }
  static QRect Virtual() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
  }
};

}  // namespace

std::unique_ptr<ScreenSource> MakeSystemScreenSource() {
  return std::make_unique<SystemScreenSource>();
}

}  // namespace platform::qt
