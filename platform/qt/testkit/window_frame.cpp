#include "platform/qt/testkit/window_frame.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <thread>

#include "platform/qt/application.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/testkit/screenshot.h"

namespace platform::qt::testkit {
namespace {

using Clock = std::chrono::steady_clock;

void Pause() {
  Application().ProcessMessages();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  Application().ProcessMessages();
  while (!done() && Clock::now() < deadline) Pause();
  return done();
}

bool UnderWindowManager() {
  const char* flag = std::getenv("DOMIVOX_WINDOW_MANAGER");
  return flag != nullptr && std::string_view(flag) == "1";
}

TRect ShownFrame(TForm& form) {
  QWidget* widget = form.Window().widget;
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  if (UnderWindowManager()) {
    while (Clock::now() < deadline &&
           (widget->windowHandle() == nullptr || widget->windowHandle()->frameMargins().isNull())) {
      Pause();
    }
  }
  // The manager moves a window it took once more; the place counts once it stays.
  QRect frame = widget->frameGeometry();
  for (int still = 0; still < 5 && Clock::now() < deadline;) {
    Pause();
    const QRect now = widget->frameGeometry();
    still = now == frame ? still + 1 : 0;
    frame = now;
  }
  return impl::FromQRect(frame);
}

TRect ShownClientArea(TForm& form) {
  Application().ProcessMessages();
  return impl::FromQRect(form.Window().widget->geometry());
}

bool WaitUntilActive(TForm& form) {
  return WaitUntil([&] { return form.Active(); });
}

bool WaitUntilExposed(TForm& form) {
  return WaitUntil([&] {
    const QWidget* widget = form.Window().widget;
    return widget != nullptr && widget->windowHandle() != nullptr &&
           widget->windowHandle()->isExposed();
  });
}

void MoveAsTheOperator(TForm& form, int left, int top) {
  form.Window().widget->move(left, top);
  ShownFrame(form);
}

std::string SaveScreenScreenshot(const std::string& name) {
  Application().ProcessMessages();
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const std::string path = ScreenshotFolder() + "/" + name + ".png";
  return screen->grabWindow(0).save(QString::fromStdString(path), "PNG") ? path : std::string();
}

}  // namespace platform::qt::testkit
