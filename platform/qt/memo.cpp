#include "platform/qt/memo.h"

#include <QTextCursor>
#include <QTextEdit>
#include <string_view>

#include "platform/qt/colors.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/document_lines.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/keys.h"

namespace platform::qt {
namespace {

QTextEdit& Editor(const TCustomMemo& memo) {
  return *static_cast<QTextEdit*>(memo.Window().widget.data());
}

// The memo's texts count a line break as CR LF; Qt's as one character.
QString ToEditorText(std::string_view text) {
  QString s = impl::ToQString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

std::string FromEditorText(QString text) {
  text.replace(QChar::ParagraphSeparator, QChar('\n'));
  text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return impl::FromQString(text);
}

// The editor position of a position in the CR LF text, and back.
int EditorPosition(const QTextEdit& editor, int position) {
  const QString text = editor.toPlainText();
  int editor_pos = 0;
  for (int left = position; editor_pos < text.size() && left > 0; ++editor_pos) {
    left -= text[editor_pos] == QChar('\n') ? 2 : 1;
  }
  return editor_pos;
}

int MemoPosition(const QTextEdit& editor, int editor_pos) {
  const QString text = editor.toPlainText();
  int position = 0;
  for (int i = 0; i < editor_pos && i < text.size(); ++i) position += text[i] == '\n' ? 2 : 1;
  return position;
}

}  // namespace

TCustomMemo::TCustomMemo(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
  AttachWindow(impl::MakeHost<QTextEdit>(*this, impl::PaintMode::kNative));
  QTextEdit& editor = Editor(*this);
  editor.setAcceptRichText(false);
  editor.setTabChangesFocus(true);
  editor.setLineWrapMode(QTextEdit::WidgetWidth);
  editor.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lines_ = std::make_unique<impl::DocumentLines>(*editor.document());
  SetTabStop(true);
  SetCursor(crIBeam);
  QObject::connect(&editor, &QTextEdit::textChanged, [this] {
    if (!IsDestroying()) Change();
  });
}

TCustomMemo::~TCustomMemo() {
  BeginDestroy();
  lines_.reset();
}

std::string TCustomMemo::Text() const { return FromEditorText(Editor(*this).toPlainText()); }

void TCustomMemo::SetText(const std::string& text) {
  const QString next = ToEditorText(text);
  if (Editor(*this).toPlainText() != next) Editor(*this).setPlainText(next);
}

void TCustomMemo::SetReadOnly(bool on) {
  read_only_ = on;
  Editor(*this).setReadOnly(on);
}

void TCustomMemo::SetWordWrap(bool on) {
  word_wrap_ = on;
  Editor(*this).setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TCustomMemo::SetScrollBars(TScrollStyle style) {
  scroll_bars_ = style;
  const bool h = style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
  const bool v = style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
  Editor(*this).setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  Editor(*this).setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetWantTabs(bool on) {
  want_tabs_ = on;
  Editor(*this).setTabChangesFocus(!on);
}

int TCustomMemo::SelStart() const {
  const QTextCursor c = Editor(*this).textCursor();
  return MemoPosition(Editor(*this), c.selectionStart());
}

void TCustomMemo::SetSelStart(int position) {
  QTextCursor c = Editor(*this).textCursor();
  c.setPosition(EditorPosition(Editor(*this), position));
  Editor(*this).setTextCursor(c);
}

int TCustomMemo::SelLength() const {
  const QTextCursor c = Editor(*this).textCursor();
  return MemoPosition(Editor(*this), c.selectionEnd()) -
         MemoPosition(Editor(*this), c.selectionStart());
}

void TCustomMemo::SetSelLength(int length) {
  QTextCursor c = Editor(*this).textCursor();
  const int start = c.selectionStart();
  c.setPosition(start);
  c.setPosition(EditorPosition(Editor(*this), SelStart() + length), QTextCursor::KeepAnchor);
  Editor(*this).setTextCursor(c);
}

std::string TCustomMemo::SelText() const {
  return FromEditorText(Editor(*this).textCursor().selectedText());
}

void TCustomMemo::SetSelText(const std::string& text) {
  Editor(*this).textCursor().insertText(ToEditorText(text));
}

void TCustomMemo::SelectAll() { Editor(*this).selectAll(); }
void TCustomMemo::CopyToClipboard() { Editor(*this).copy(); }
void TCustomMemo::CutToClipboard() { Editor(*this).cut(); }
void TCustomMemo::PasteFromClipboard() { Editor(*this).paste(); }
void TCustomMemo::Undo() { Editor(*this).undo(); }

bool TCustomMemo::WantsKey(std::uint16_t key, TShiftState shift) const {
  (void)shift;
  return (key == VK_RETURN && want_returns_) || (key == VK_TAB && want_tabs_);
}

void TCustomMemo::Change() {
  if (OnChange) OnChange(this);
}

}  // namespace platform::qt
