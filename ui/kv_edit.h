// TkvEdit: the one-line entry field of the program's windows. It carries a data type and a
// picture mask so that a window writes a number into it and reads one back, keeps a history of
// the values it was given with a drop button to choose one again, and shows the digit zero of
// call signs as the slashed zero.
//
// Numbers are written through the common number masks ('#' digit places; see
// common/number_mask.h) and trimmed; the field's mask, or when it has none "########" for whole
// numbers, "###" for bytes and "########.##" for reals (the default becomes the field's mask).
// They are read as edit_values.h says. For dtDouble and dtExtended the field remembers the
// value last written or read: writing that value again leaves a text the user typed for it
// ("12,5") as it stands.
//
// History: a window starts it with CreateAuswahl; from then on every text written with SetStr
// goes into it too. The list holds at most 20 values, the newest first (a value it holds is
// chosen instead, letter case ignored). With two values or more a drop button appears inside
// the field at its right edge; pressing it shows the list over the field, dropped down, and a
// value chosen there (or typed in it) becomes the field's text; key-down and key-press events
// of the list go to the field's OnKeyDown and OnKeyPress. Leaving the field hides the list and
// shows the button again. Writing an empty text takes list and button away (they are freed when
// the program is back in the message loop, so a handler of the list may write one).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "platform/qt/combo_box.h"
#include "platform/qt/edit.h"
#include "ui/edit_values.h"

namespace ui {

class TkvBitBtn;

// A value as FormatWert takes it and ParseWert gives it: a whole number, a real or a text (a
// dtChar field gives its one character).
using TkvEditWert = std::variant<std::int32_t, double, std::string>;

inline constexpr int kHistoryLimit = 20;

class TkvEdit : public platform::qt::TEdit {
 public:
  explicit TkvEdit(platform::qt::TComponent* owner);
  ~TkvEdit() override;

  TkvEditDataType DataType() const { return data_type_; }
  void SetDataType(TkvEditDataType type) { data_type_ = type; }
  // Every '9' is stored as '#'; at most 255 characters are kept.
  const std::string& PictureMask() const { return picture_mask_; }
  void SetPictureMask(std::string_view mask);
  // Free for the window's use.
  std::int32_t Tag2() const { return tag2_; }
  void SetTag2(std::int32_t value) { tag2_ = value; }
  // Call-sign fields: every "0" written shows as the slashed zero and reads back as "0".
  bool SlashedZero() const { return slashed_zero_; }
  void SetSlashedZero(bool on) { slashed_zero_ = on; }

  // Writes the text (zeros slashed when the flag is set). An empty text takes the history away;
  // any other goes into the history when there is one.
  void SetStr(std::string_view text);
  // The text, slashed zeros as "0" when the flag is set, cut to `max_length` characters (not
  // trimmed, not upper-cased).
  std::string GetStr(int max_length = 255) const;

  // Writes a value by the data type: a text as SetStr, numbers through the mask, nothing for
  // dtChar. A real given to a whole-number type is rounded (halves to even), a whole number or
  // text given to a real type converted.
  void FormatWert(const TkvEditWert& value);
  // The text read by the data type: the text (as GetStr) for dtString, the number for whole and
  // real types, the first character (character 0 for none) for dtChar.
  TkvEditWert ParseWert();
  void SetWert(std::int32_t value) { FormatWert(value); }
  void SetWertReal(double value) { FormatWert(value); }
  // ParseWert as a whole number (reals rounded, halves to even, and held within 32 bits; a
  // character as its code) or as a real.
  std::int32_t GetWert();
  double GetWertReal();

  // Completes a partly typed date to "dd.mm.yyyy" (missing parts from today) or a typed time to
  // "hh:mm", and writes it back.
  void DatumNormieren();
  void ZeitNormieren();

  // Adds a value to the history (see above); blanks around it are dropped, an empty value is
  // ignored. The first call makes the list.
  void CreateAuswahl(std::string_view value);
  // The history list and its drop button; null while there are none.
  platform::qt::TComboBox* HistoryList() const { return list_; }
  TkvBitBtn* DropButton() const { return drop_button_; }

  // The drop button follows the field.
  void SetEnabled(bool enabled) override;
  void Click() override;
  void Change() override;
  void DoEnter() override;
  void DoExit() override;

 protected:
  void Resize() override;

 private:
  void MakeList();
  void MakeDropButton();
  void DropButtonClick();
  void ListChanged();
  void FreeHistory();
  void LayoutHistory();
  void FormatReal(double value);

  TkvEditDataType data_type_ = TkvEditDataType::dtString;
  std::string picture_mask_;
  std::int32_t tag2_ = 0;
  long double last_extended_ = 0;
  double last_double_ = 0;
  bool last_value_set_ = false;
  platform::qt::TComboBox* list_ = nullptr;  // owned (a component of the field)
  TkvBitBtn* drop_button_ = nullptr;         // owned (a component of the field)
  bool slashed_zero_ = false;
};

}  // namespace ui
