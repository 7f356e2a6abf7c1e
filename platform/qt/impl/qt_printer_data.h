// What a TQtPrinter holds of the window system (layer-internal): the printer device and the
// pages of the running job, drawn on the device only when the job ends.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform::qt::impl {

// A text of a page: its baseline's start, font and colour as the device draws them.
struct HeldText {
  QPoint baseline;
  QFont font;
  QColor color;
  QString text;
};

struct QtPrinterData {
  QPrinter device{QPrinter::HighResolution};
  std::vector<std::vector<HeldText>> pages;  // of the running job
  QStringList system_printers;               // read once, when the printer is made
};

}  // namespace platform::qt::impl
