// TEdit: a one-line text field on the window system's line edit. Text is CP1252; OnChange fires
// for every change of the text, typed or set by the program. The field never holds a control
// character: a text pasted, dropped or set keeps what precedes its first one (a tab, a line end).
// The focus coming in from the keyboard (Tab, Shift+Tab) or moved there by the program selects
// the whole text before OnEnter, so that typing replaces it; a click places the caret instead.
// ReturnFocus gives the focus back with the selection and caret the field had when it lost it.
#pragma once

#include "platform/qt/win_control.h"

namespace platform::qt {

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length);  // 0: no limit
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  char PasswordChar() const { return password_char_; }
  void SetPasswordChar(char c);

  int SelStart() const;
  void SetSelStart(int position);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  // Replaces the selection (inserts at the cursor when nothing is selected).
  void SetSelText(const std::string& text);
  void SelectAll();
  void Clear() { SetText({}); }
  // Focuses the field with its text selected and its caret where they were when it last lost
  // the focus: for a control beside the field whose click hands the focus back, so that typing
  // goes on where it stopped.
  void ReturnFocus();

  // After every change of the text; calls OnChange.
  virtual void Change();
  TNotifyEvent OnChange;

  void DoEnter() override;
  bool TakesFocusOnClick() const override { return true; }

 private:
  friend class LineEditHost;
  // The selection (anchor and caret) the field had when it last lost the focus.
  struct Selection {
    int anchor = 0;
    int caret = 0;
  };
  Selection left_with_;
  bool returning_focus_ = false;

  int max_length_ = 0;
  bool read_only_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  char password_char_ = 0;
};

}  // namespace platform::qt
