// TRichEdit: a memo whose text is kept as a document of the window system, so that the printing
// layer can lay it out on pages (impl/rich_edit_document.h). For now it holds plain text in one
// font: Font() (name and size) applies to the whole text. Files load as CP1252 text lines.
#pragma once

#include "platform/qt/memo.h"

namespace platform::qt {

class TRichEdit : public TCustomMemo {
 public:
  explicit TRichEdit(TComponent* owner);

  // Kept for the windows that set them; the text is plain either way.
  bool PlainText() const { return plain_text_; }
  void SetPlainText(bool on) { plain_text_ = on; }
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length) { max_length_ = length; }

  // The file (a system name) as the text; false (text unchanged) when it cannot be read.
  bool LoadFromFile(const std::string& name) { return Lines().LoadFromFile(name); }
  bool SaveToFile(const std::string& name) const { return Lines().SaveToFile(name); }

 private:
  bool plain_text_ = false;
  int max_length_ = 0;
};

}  // namespace platform::qt
