#include "platform/qt/impl/document_lines.h"

#include <QTextBlock>
#include <QTextCursor>

#include "platform/qt/impl/convert.h"

namespace platform::qt::impl {

int DocumentLines::Count() const {
  const int blocks = document_.blockCount();
  return document_.lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

std::string DocumentLines::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return FromQString(document_.findBlockByNumber(index).text());
}

void DocumentLines::Put(int index, const std::string& line) {
  if (index < 0 || index >= Count()) return;
  const QTextBlock block = document_.findBlockByNumber(index);
  QTextCursor c(block);
  c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  c.insertText(ToQString(line));
  // A last line made empty would read as the document's closing line break.
  if (line.empty() && !block.next().isValid()) c.insertBlock();
}

void DocumentLines::Insert(int index, const std::string& line) {
  if (index < 0) return;
  const int count = Count();
  QTextCursor c(&document_);
  if (index < count) {
    c.setPosition(document_.findBlockByNumber(index).position());
    c.insertText(ToQString(line));
    c.insertBlock();
    return;
  }
  // Appending: into the empty last line when there is one, else after a new line break. An
  // empty line appended ends with a line break of its own, or it would not count.
  c.movePosition(QTextCursor::End);
  if (count == document_.blockCount()) c.insertBlock();
  c.insertText(ToQString(line));
  if (line.empty()) c.insertBlock();
}

void DocumentLines::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  const QTextBlock block = document_.findBlockByNumber(index);
  QTextCursor c(&document_);
  if (block.next().isValid()) {
    c.setPosition(block.position());
    c.setPosition(block.next().position(), QTextCursor::KeepAnchor);
  } else if (block.previous().isValid() && !block.previous().text().isEmpty()) {
    const QTextBlock previous = block.previous();
    c.setPosition(previous.position() + previous.length() - 1);
    c.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
  } else if (block.previous().isValid()) {
    // Only the text goes: the line break before it stays after the empty line above.
    c.setPosition(block.position());
    c.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
  } else {
    c.select(QTextCursor::Document);
  }
  c.removeSelectedText();
}

void DocumentLines::Clear() {
  QTextCursor c(&document_);
  c.select(QTextCursor::Document);
  c.removeSelectedText();
}

}  // namespace platform::qt::impl
