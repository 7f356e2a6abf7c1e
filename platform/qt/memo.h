// TMemo: a text field of several lines, and TCustomMemo, the part it shares with TRichEdit.
//
// Text is CP1252; Text() joins the lines with CR LF, Lines() reaches them one by one. OnChange
// fires for every change of the text, typed or set by the program. Enter breaks the line while
// WantReturns is set (default), else it reaches the form (default button); Tab moves the focus
// unless WantTabs is set.
#pragma once

#include <memory>

#include "platform/qt/strings.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TWinControl {
 public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings& Lines() { return *lines_; }
  const TStrings& Lines() const { return *lines_; }
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void Clear() { SetText({}); }

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool on);
  // Long lines break at the field's width (default on; the horizontal scroll bar is then not
  // needed).
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool on);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle style);
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool on) { want_returns_ = on; }
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool on);

  // The selection in characters of Text() (a line break counts as two).
  int SelStart() const;
  void SetSelStart(int position);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(const std::string& text);
  void SelectAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();

  bool WantsKey(std::uint16_t key, TShiftState shift) const override;
  bool TakesFocusOnClick() const override { return true; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  std::unique_ptr<TStrings> lines_;
  bool read_only_ = false;
  bool word_wrap_ = true;
  TScrollStyle scroll_bars_ = TScrollStyle::ssNone;
  bool want_returns_ = true;
  bool want_tabs_ = false;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};

}  // namespace platform::qt
