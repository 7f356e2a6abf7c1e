#include "platform/qt/print_dialogs.h"

#include <QApplication>
#include <QFontDialog>
#include <QPrintDialog>

#include "platform/qt/font_table.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/qt_printer_data.h"
#include "platform/qt/qt_printer.h"

namespace platform::qt {
namespace {

template <typename Port, typename Default>
std::unique_ptr<Port>& Slot() {
  static std::unique_ptr<Port> port = std::make_unique<Default>();
  return port;
}

template <typename Port, typename Default>
std::unique_ptr<Port> Install(std::unique_ptr<Port> port) {
  std::unique_ptr<Port> previous = std::move(Slot<Port, Default>());
  Slot<Port, Default>() = port ? std::move(port) : std::make_unique<Default>();
  return previous;
}

bool RunPrintDialog(QPrinter& device) {
  QPrintDialog dialog(&device, QApplication::activeWindow());
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool QtPrintDialog::Execute(TPrinter& printer) {
  if (auto* qt_printer = dynamic_cast<TQtPrinter*>(&printer)) {
    const bool ok = RunPrintDialog(qt_printer->Data().device);
    qt_printer->TakeFromDevice();
    return ok;
  }
  // Another printer: the dialog chooses on a device of its own, and the choice is taken over
  // by the printer's name.
  QPrinter device(QPrinter::HighResolution);
  device.setPrinterName(impl::ToQString(printer.PrinterName()));
  device.setPageOrientation(printer.Orientation() == TPrinterOrientation::poLandscape
                                ? QPageLayout::Landscape
                                : QPageLayout::Portrait);
  if (!RunPrintDialog(device)) return false;
  const std::vector<std::string> names = printer.Printers();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == impl::FromQString(device.printerName())) {
      printer.SetPrinterIndex(static_cast<int>(i));
    }
  }
  printer.SetOrientation(device.pageLayout().orientation() == QPageLayout::Landscape
                             ? TPrinterOrientation::poLandscape
                             : TPrinterOrientation::poPortrait);
  return true;
}

bool QtFontDialog::Execute(TFont& font) {
  QFont initial(impl::ToQString(HostFontFamily(font.Name())));
  initial.setPointSize(std::max(1, font.Size()));
  initial.setBold((font.Style() & fsBold) != 0);
  initial.setItalic((font.Style() & fsItalic) != 0);
  initial.setUnderline((font.Style() & fsUnderline) != 0);
  initial.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, QApplication::activeWindow());
  if (!ok) return false;
  font.SetName(SystemFontName(impl::FromQString(chosen.family())));
  if (chosen.pointSize() > 0) font.SetSize(chosen.pointSize());
  TFontStyles style = 0;
  if (chosen.bold()) style |= fsBold;
  if (chosen.italic()) style |= fsItalic;
  if (chosen.underline()) style |= fsUnderline;
  if (chosen.strikeOut()) style |= fsStrikeOut;
  font.SetStyle(style);
  return true;
}

PrintDialogPort& PrintDialog() { return *Slot<PrintDialogPort, QtPrintDialog>(); }

std::unique_ptr<PrintDialogPort> SetPrintDialog(std::unique_ptr<PrintDialogPort> port) {
  return Install<PrintDialogPort, QtPrintDialog>(std::move(port));
}

FontDialogPort& FontDialog() { return *Slot<FontDialogPort, QtFontDialog>(); }

std::unique_ptr<FontDialogPort> SetFontDialog(std::unique_ptr<FontDialogPort> port) {
  return Install<FontDialogPort, QtFontDialog>(std::move(port));
}

}  // namespace platform::qt
