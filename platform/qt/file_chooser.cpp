#include "platform/qt/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

#include "common/current_folder.h"
#include "platform/qt/application.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/file_dialog_hook.h"
#include "platform/text_codec.h"

namespace platform::qt {

namespace impl {

std::function<void(QFileDialog&)>& FileDialogHook() {
  static std::function<void(QFileDialog&)> hook;
  return hook;
}

}  // namespace impl

namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : text) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

QString OsText(const std::string& system_name) {
  return QString::fromStdString(common::OsPath(system_name));
}

}  // namespace

std::vector<std::string> DialogFilters(const std::string& filter) {
  std::vector<std::string> filters;
  if (filter.empty()) return filters;
  const std::vector<std::string> parts = SplitAt(filter, '|');
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    std::string patterns = i + 1 < parts.size() ? parts[i + 1] : "";
    for (char& c : patterns) {
      if (c == ';') c = ' ';
    }
    if (patterns.find_first_not_of(' ') == std::string::npos) patterns = "*";
    filters.push_back(parts[i] + " (" + patterns + ")");
  }
  return filters;
}

std::string OverwriteQuestion(const std::string& name) {
  return name + " ist bereits vorhanden.\rMöchten Sie die Datei ersetzen?";
}

std::optional<std::string> FileDialogChooser::Choose(const common::FileChooserRequest& request) {
  const QString title = request.save ? QStringLiteral("Speichern unter") : QStringLiteral("Öffnen");
  const QString folder = OsText(request.initial_folder.empty() ? "." : request.initial_folder);
  QString proposed = impl::ToQString(request.file_name);
  for (;;) {
    QFileDialog dialog(nullptr, title, folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // asked below, in German
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const std::string& f : DialogFilters(request.filter)) filters << impl::ToQString(f);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(impl::ToQString(request.default_ext));
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (impl::FileDialogHook()) {
      QPointer<QFileDialog> guard(&dialog);
      Application().Queue([guard] {
        if (guard && impl::FileDialogHook()) impl::FileDialogHook()(*guard);
      });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().first();
    // The question names the file that will be written: the chosen name with its ending.
    std::string name = Utf8ToCp1252(chosen.toStdString());
    if (request.append_ext) name = common::NameWithDefaultExt(name, request.default_ext);
    const bool ask = request.save &&
                     (request.flags & common::FileChooserRequest::kOverwritePrompt) != 0 &&
                     QFileInfo::exists(impl::ToQString(name));
    if (!ask || Application().MessageBox(OverwriteQuestion(name), impl::FromQString(title),
                                         MB_YESNO | MB_ICONWARNING) == IDYES) {
      return name;
    }
    proposed = chosen;
  }
}

}  // namespace platform::qt
