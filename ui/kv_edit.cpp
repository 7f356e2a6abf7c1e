#include "ui/kv_edit.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/char_convert.h"
#include "common/date_completion.h"
#include "common/number_mask.h"
#include "common/number_text.h"
#include "common/string_helpers.h"
#include "platform/qt/application.h"
#include "ui/bit_btn.h"
#include "ui/field_pictures.h"
#include "ui/rounding.h"

namespace ui {

using platform::qt::TComponent;
using platform::qt::TShiftState;

namespace {

constexpr int kMaxMaskLength = 255;
constexpr int kWholeText = std::numeric_limits<int>::max();
constexpr int kDropButtonWidth = 18;
constexpr int kButtonInset = 3;  // from the field's right edge to the button's

std::int32_t WholeOf(double value) {
  if (std::isnan(value)) return 0;
  if (value <= INT32_MIN) return INT32_MIN;
  if (value >= INT32_MAX) return INT32_MAX;
  return RoundEven(value);
}

std::string TextOf(const TkvEditWert& value) {
  if (const auto* whole = std::get_if<std::int32_t>(&value)) return common::IntToStr(*whole);
  if (const auto* real = std::get_if<double>(&value)) return common::FloatToStr(*real);
  return std::get<std::string>(value);
}

std::int32_t WholeOf(const TkvEditWert& value) {
  if (const auto* whole = std::get_if<std::int32_t>(&value)) return *whole;
  if (const auto* real = std::get_if<double>(&value)) return WholeOf(*real);
  return common::StrToIntNoComma(std::get<std::string>(value));
}

double RealOf(const TkvEditWert& value) {
  if (const auto* whole = std::get_if<std::int32_t>(&value)) return *whole;
  if (const auto* real = std::get_if<double>(&value)) return *real;
  return ReadRealNumber(std::get<std::string>(value));
}

bool RemembersValue(TkvEditDataType type) {
  return type == TkvEditDataType::dtDouble || type == TkvEditDataType::dtExtended;
}

}  // namespace

TkvEdit::TkvEdit(TComponent* owner) : TEdit(owner) {}

TkvEdit::~TkvEdit() = default;

void TkvEdit::SetPictureMask(std::string_view mask) {
  picture_mask_ = common::ReplaceChar(common::LeftStr(mask, kMaxMaskLength), '9', '#');
}

void TkvEdit::SetStr(std::string_view text) {
  const std::string shown = common::ZeroToSlashedZero(text, slashed_zero_);
  SetText(shown);
  if (Text().empty()) {
    FreeHistory();
  } else if (list_ != nullptr) {
    CreateAuswahl(shown);
    if (list_ != nullptr) list_->SetText(shown);
  }
}

std::string TkvEdit::GetStr(int max_length) const {
  const std::string text = slashed_zero_ ? common::SlashedZeroToZero(Text()) : Text();
  return common::LeftStr(text, max_length);
}

void TkvEdit::FormatWert(const TkvEditWert& value) {
  if (data_type_ == TkvEditDataType::dtString) {
    SetStr(TextOf(value));
  } else if (IsWholeNumberType(data_type_)) {
    if (picture_mask_.empty()) {
      picture_mask_ = data_type_ == TkvEditDataType::dtByte ? kByteMask : kWholeNumberMask;
    }
    SetStr(common::Trim(common::FormatIntMask(picture_mask_, WholeOf(value))));
  } else if (IsRealType(data_type_)) {
    FormatReal(RealOf(value));
  }
}

void TkvEdit::FormatReal(double value) {
  const bool remembers = RemembersValue(data_type_);
  if (remembers && last_value_set_) {
    const bool same = data_type_ == TkvEditDataType::dtExtended
                          ? last_extended_ == static_cast<long double>(value)
                          : last_double_ == value;
    // The text is left alone only while it still shows that value: a text the user (or the
    // program) changed since must not stand for a value written anew.
    if (same && ReadRealNumber(GetStr(kWholeText)) == value) return;
  }
  if (picture_mask_.empty()) picture_mask_ = kRealMask;
  const std::string text = common::Trim(common::FormatRealMask(picture_mask_, value));
  if (!remembers || common::ZeroToSlashedZero(text, slashed_zero_) != Text()) SetStr(text);
  if (remembers) {
    last_double_ = value;
    last_extended_ = value;
    last_value_set_ = true;
  }
}

TkvEditWert TkvEdit::ParseWert() {
  const std::string text = GetStr(kWholeText);
  if (IsWholeNumberType(data_type_)) return ReadWholeNumber(text, data_type_);
  if (data_type_ == TkvEditDataType::dtChar) return std::string(1, text.empty() ? '\0' : text[0]);
  if (!IsRealType(data_type_)) return text;
  const double value = ReadRealNumber(text);
  if (RemembersValue(data_type_)) {
    last_double_ = value;
    last_extended_ = value;
    last_value_set_ = true;
  }
  return value;
}

std::int32_t TkvEdit::GetWert() {
  const TkvEditWert value = ParseWert();
  if (data_type_ == TkvEditDataType::dtChar) {
    return static_cast<unsigned char>(std::get<std::string>(value)[0]);
  }
  return WholeOf(value);
}

double TkvEdit::GetWertReal() {
  const TkvEditWert value = ParseWert();
  if (data_type_ == TkvEditDataType::dtChar) {
    return static_cast<unsigned char>(std::get<std::string>(value)[0]);
  }
  return RealOf(value);
}

void TkvEdit::DatumNormieren() { SetStr(common::CompleteDateText(Text())); }

void TkvEdit::ZeitNormieren() { SetStr(common::CompleteTimeText(Text())); }

// History list and drop button.

void TkvEdit::CreateAuswahl(std::string_view value) {
  const std::string entry = common::Trim(value);
  if (entry.empty()) return;
  if (list_ == nullptr) MakeList();
  platform::qt::TStrings& items = list_->Items();
  if (const int index = items.IndexOf(entry); index >= 0) {
    list_->SetItemIndex(index);
  } else {
    items.Insert(0, entry);
    if (items.Count() > kHistoryLimit) items.Delete(items.Count() - 1);
  }
  if (items.Count() > 1) {
    MakeDropButton();
    drop_button_->Show();
    list_->SetDroppedDown(false);
  }
}

void TkvEdit::MakeList() {
  list_ = new platform::qt::TComboBox(this);
  list_->SetParent(this);
  list_->SetColor(Color());
  list_->SetFlat(true);
  list_->SetVisible(false);
  list_->OnChange = [this](TComponent*) { ListChanged(); };
  list_->OnKeyDown = [this](TComponent*, std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
  };
  list_->OnKeyPress = [this](TComponent*, char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
  };
  LayoutHistory();
}

void TkvEdit::MakeDropButton() {
  if (drop_button_ != nullptr) return;
  drop_button_ = new TkvBitBtn(this);
  drop_button_->SetParent(this);
  drop_button_->SetCaption("");
  drop_button_->SetGlyph(FieldPicture(kPictureAuswahl));
  drop_button_->SetNumGlyphs(1);
  drop_button_->SetkvKindPx5(TkvBitBtnKind::bkKAuswahl);
  drop_button_->SetCursor(platform::qt::crHandPoint);
  drop_button_->SetTabStop(false);
  drop_button_->OnClick = [this](TComponent*) { DropButtonClick(); };
  LayoutHistory();
}

void TkvEdit::LayoutHistory() {
  // The list lies inside the field's frame; the button sits at its right edge.
  if (list_ != nullptr) list_->SetBounds(1, 1, Width() - 2, Height() - 2);
  if (drop_button_ != nullptr) {
    const int height = Height() - 3;
    drop_button_->SetBounds(Width() - kButtonInset - kDropButtonWidth, (Height() - height) / 2,
                            kDropButtonWidth, height);
  }
}

void TkvEdit::DropButtonClick() {
  if (list_ == nullptr) return;
  list_->SetText(Text());  // the list stands in for the field: it shows the field's text
  list_->Show();
  list_->BringToFront();
  if (list_->CanFocus()) list_->SetFocus();
  drop_button_->Hide();
  list_->SetDroppedDown(true);
}

void TkvEdit::ListChanged() {
  if (list_ != nullptr) SetText(list_->Text());
}

void TkvEdit::FreeHistory() {
  for (platform::qt::TControl* part : {static_cast<platform::qt::TControl*>(list_),
                                       static_cast<platform::qt::TControl*>(drop_button_)}) {
    if (part == nullptr) continue;
    part->Hide();
    // A handler of the list itself may have written the empty text: free it afterwards.
    platform::qt::Application().Queue([part, alive = part->AliveToken()] {
      if (!alive.expired()) delete part;
    });
  }
  list_ = nullptr;
  drop_button_ = nullptr;
}

void TkvEdit::SetEnabled(bool enabled) {
  TEdit::SetEnabled(enabled);
  if (drop_button_ != nullptr) drop_button_->SetEnabled(enabled);
}

void TkvEdit::Resize() {
  LayoutHistory();
  TEdit::Resize();
}

void TkvEdit::Click() {
  if (drop_button_ != nullptr) drop_button_->Invalidate();
  TEdit::Click();
}

void TkvEdit::Change() {
  if (drop_button_ != nullptr) drop_button_->Invalidate();
  TEdit::Change();
}

void TkvEdit::DoEnter() {
  if (drop_button_ != nullptr) drop_button_->Invalidate();
  TEdit::DoEnter();
}

void TkvEdit::DoExit() {
  if (list_ != nullptr) list_->Hide();
  if (drop_button_ != nullptr) drop_button_->Show();
  TEdit::DoExit();
}

}  // namespace ui
