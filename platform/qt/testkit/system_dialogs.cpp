#include "platform/qt/testkit/system_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "platform/qt/impl/convert.h"

namespace platform::qt::testkit {

void AnswerNextSystemDialog(bool accept, std::string* title) {
  QTimer::singleShot(20, [accept, title] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return AnswerNextSystemDialog(accept, title);
    if (title != nullptr) *title = impl::FromQString(dialog->windowTitle());
    if (accept) {
      dialog->accept();
    } else {
      dialog->reject();
    }
  });
}

}  // namespace platform::qt::testkit
