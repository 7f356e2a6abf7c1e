#include "platform/qt/testkit/screenshot.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <filesystem>

#include "platform/qt/application.h"
#include "platform/qt/impl/bitmap_data.h"
#include "platform/qt/impl/canvas_target.h"
#include "platform/qt/impl/window.h"

namespace platform::qt::testkit {

TBitmap Grab(TWinControl& control) {
  Application().ProcessMessages();
  TBitmap bitmap;
  QWidget* widget = control.Window().widget;
  if (widget == nullptr) return bitmap;
  const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  bitmap.SetSize(image.width(), image.height());
  bitmap.Canvas().Target().Flush();
  bitmap.Data().image = image;
  bitmap.Data().Rebind();
  return bitmap;
}

std::string ScreenshotFolder() {
  const std::filesystem::path folder = DOMIVOX_SCREENSHOT_DIR;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder.string();
}

std::string SaveScreenshot(TWinControl& control, const std::string& name) {
  const std::string path = ScreenshotFolder() + "/" + name + ".png";
  return Grab(control).SaveToPng(path) ? path : std::string();
}

}  // namespace platform::qt::testkit
