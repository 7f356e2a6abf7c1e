#include "platform/qt/testkit/file_dialog_driver.h"

#include <QFileDialog>
#include <QLineEdit>

#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/file_dialog_hook.h"

namespace platform::qt::testkit {

FileDialogDriver::FileDialogDriver() {
  impl::FileDialogHook() = [this](QFileDialog& dialog) {
    FileDialogSeen seen;
    seen.title = impl::FromQString(dialog.windowTitle());
    seen.folder = impl::FromQString(dialog.directory().absolutePath());
    for (const QString& f : dialog.nameFilters()) seen.filters.push_back(impl::FromQString(f));
    seen.save = dialog.acceptMode() == QFileDialog::AcceptSave;
    seen_.push_back(seen);
    if (answers_.empty()) {
      ++unanswered_;
      dialog.reject();
      return;
    }
    const std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    if (!answer) {
      dialog.reject();
      return;
    }
    // Typed as a person types it: into the name field, then confirmed.
    QLineEdit* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (field != nullptr) {
      field->setText(impl::ToQString(*answer));
    } else {
      dialog.selectFile(impl::ToQString(*answer));
    }
    QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
  };
}

FileDialogDriver::~FileDialogDriver() { impl::FileDialogHook() = nullptr; }

void FileDialogDriver::Type(std::string name) { answers_.push_back(std::move(name)); }

void FileDialogDriver::Cancel() { answers_.push_back(std::nullopt); }

}  // namespace platform::qt::testkit
