#include "platform/qt/rich_edit.h"

#include <QTextEdit>

#include "platform/qt/impl/rich_edit_document.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {

TRichEdit::TRichEdit(TComponent* owner) : TCustomMemo(owner) {}

namespace impl {

QTextDocument& RichEditDocument(TRichEdit& edit) {
  return *static_cast<QTextEdit*>(edit.Window().widget.data())->document();
}

}  // namespace impl

}  // namespace platform::qt
