#include "platform/qt/edit.h"

#include <algorithm>

#include <QFocusEvent>
#include <QLineEdit>

#include "platform/qt/colors.h"
#include "platform/qt/impl/control_char_filter.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {
namespace {

QLineEdit& LineEdit(const TEdit& edit) {
  return *static_cast<QLineEdit*>(edit.Window().widget.data());
}

}  // namespace

// The line edit drops its selection when it loses the focus: the field keeps it first.
class LineEditHost final : public impl::Host<QLineEdit> {
 public:
  explicit LineEditHost(TWinControl& edit)
      : impl::Host<QLineEdit>(edit), edit_(static_cast<TEdit&>(edit)) {}

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    const int caret = cursorPosition();
    const int anchor = !hasSelectedText()           ? caret
                       : caret == selectionStart() ? selectionEnd()
                                                   : selectionStart();
    edit_.left_with_ = {anchor, caret};
    impl::Host<QLineEdit>::focusOutEvent(event);
  }

 private:
  TEdit& edit_;
};

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  AttachWindow(impl::MakeHostOf<LineEditHost>(*this, impl::PaintMode::kNative));
  impl::RefuseControlCharacters(LineEdit(*this));
  SetTabStop(true);
  SetCursor(crIBeam);
  QObject::connect(&LineEdit(*this), &QLineEdit::textChanged, [this] {
    if (!IsDestroying()) Change();
  });
}

std::string TEdit::Text() const { return impl::FromQString(LineEdit(*this).text()); }

void TEdit::SetText(const std::string& text) {
  const QString next = impl::ToQString(text);
  if (LineEdit(*this).text() != next) LineEdit(*this).setText(next);
}

void TEdit::SetMaxLength(int length) {
  max_length_ = length < 0 ? 0 : length;
  LineEdit(*this).setMaxLength(max_length_ == 0 ? 32767 : max_length_);
}

void TEdit::SetReadOnly(bool on) {
  read_only_ = on;
  LineEdit(*this).setReadOnly(on);
}

void TEdit::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Qt::Alignment a = Qt::AlignLeft;
  if (alignment == TAlignment::taCenter) a = Qt::AlignHCenter;
  if (alignment == TAlignment::taRightJustify) a = Qt::AlignRight;
  LineEdit(*this).setAlignment(a | Qt::AlignVCenter);
}

void TEdit::SetPasswordChar(char c) {
  password_char_ = c;
  LineEdit(*this).setEchoMode(c != 0 ? QLineEdit::Password : QLineEdit::Normal);
}

int TEdit::SelStart() const {
  const QLineEdit& e = LineEdit(*this);
  return e.hasSelectedText() ? e.selectionStart() : e.cursorPosition();
}

void TEdit::SetSelStart(int position) { LineEdit(*this).setCursorPosition(position); }

int TEdit::SelLength() const { return LineEdit(*this).selectionLength(); }

void TEdit::SetSelLength(int length) { LineEdit(*this).setSelection(SelStart(), length); }

std::string TEdit::SelText() const { return impl::FromQString(LineEdit(*this).selectedText()); }

void TEdit::SetSelText(const std::string& text) { LineEdit(*this).insert(impl::ToQString(text)); }

void TEdit::SelectAll() { LineEdit(*this).selectAll(); }

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::ReturnFocus() {
  returning_focus_ = true;
  SetFocus();
  returning_focus_ = false;
}

// A click that brings the focus places the caret where it falls once the press reaches the
// field, after this.
void TEdit::DoEnter() {
  if (returning_focus_) {
    const int length = static_cast<int>(LineEdit(*this).text().size());
    const int anchor = std::min(left_with_.anchor, length);
    const int caret = std::min(left_with_.caret, length);
    LineEdit(*this).setSelection(anchor, caret - anchor);
  } else {
    SelectAll();
  }
  TWinControl::DoEnter();
}

}  // namespace platform::qt
