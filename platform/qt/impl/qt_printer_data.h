// What a TQtPrinter holds of the window system (layer-internal): the printer device and the
// painter of the running job.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <memory>

namespace platform::qt::impl {

struct QtPrinterData {
  QPrinter device{QPrinter::HighResolution};
  std::unique_ptr<QPainter> painter;
  QStringList system_printers;  // read once, when the printer is made
};

}  // namespace platform::qt::impl
