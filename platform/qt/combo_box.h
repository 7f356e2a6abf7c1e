// TComboBox: a field with a drop-down list, on the window system's combo box.
//
// Style csDropDown: the text can be typed, the list offers values; csDropDownList: only the
// list's values can be chosen. ItemIndex is the chosen entry (-1 none). Events come only from
// the user: typing calls OnChange; choosing an entry sets the text, then calls OnClick, then
// OnSelect when assigned, else OnChange. Setting ItemIndex, Text or Items calls nothing.
#pragma once

#include <memory>

#include "platform/qt/strings.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

enum class TComboBoxStyle : std::uint8_t { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;

  TStrings& Items() { return *items_; }
  const TStrings& Items() const { return *items_; }
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1 clears the choice (and the text)
  std::string Text() const override;
  // csDropDownList: chooses the entry of that text (none when missing).
  void SetText(const std::string& text) override;
  void Clear();

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length);  // 0: no limit
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int count);
  bool DroppedDown() const;
  void SetDroppedDown(bool on);
  // A field without a frame.
  bool Flat() const { return flat_; }
  void SetFlat(bool on);

  // Enter and Esc belong to the open list.
  bool WantsKey(std::uint16_t key, TShiftState shift) const override;
  bool TakesFocusOnClick() const override { return true; }
  virtual void Change();
  virtual void Select();
  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;

 private:
  void Chosen();

  std::unique_ptr<TStrings> items_;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int max_length_ = 0;
  int drop_down_count_ = 8;
  bool flat_ = false;
};

}  // namespace platform::qt
