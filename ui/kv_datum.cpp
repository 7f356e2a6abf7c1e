#include "ui/kv_datum.h"

#include <algorithm>

#include "common/date_mask.h"
#include "common/dates.h"
#include "common/local_clock.h"
#include "platform/qt/keys.h"
#include "ui/bit_btn.h"
#include "ui/field_pictures.h"

namespace ui {

using platform::qt::TComponent;
using platform::qt::TShiftState;
using platform::qt::TUDBtnType;

namespace {

constexpr int kStepperWidth = 14;
constexpr int kDateButtonWidth = 20;
constexpr int kTextWidth = 75;
constexpr int kFieldHeight = 23;
constexpr int kButtonInset = 3;  // from the field's right edge to the button's
constexpr char kEscapeChar = 27;

// The calendar of a date field: Escape closes it while it shows, wherever in it the focus is,
// before a form's cancel button or the window's handlers see the key.
class DatumCalendar final : public platform::qt::TMonthCalendar {
 public:
  explicit DatumCalendar(TkvDatum& field) : TMonthCalendar(&field), field_(field) {}

  bool KeyFirst(std::uint16_t key, TShiftState shift) override {
    if (key != platform::qt::VK_ESCAPE || !Visible()) return TMonthCalendar::KeyFirst(key, shift);
    field_.CloseCalendar();
    return true;
  }
  void KeyPress(char& key) override {
    if (key == kEscapeChar && Visible()) {
      field_.CloseCalendar();
      key = 0;
      return;
    }
    TMonthCalendar::KeyPress(key);
  }

 private:
  TkvDatum& field_;
};

}  // namespace

platform::qt::TPoint CalendarPlace(const platform::qt::TRect& field, int calendar_width,
                                   int calendar_height, int client_width, int client_height) {
  int top = field.Bottom;
  if (top + calendar_height > client_height) {
    top = field.Top - calendar_height;
    if (top < 0) top = client_height - calendar_height;
  }
  return {std::max(std::min(field.Left, client_width - calendar_width), 0), top};
}

TkvDatum::TkvDatum(TComponent* owner) : TkvEdit(owner) {
  SetDataType(TkvEditDataType::dtString);
  SetText("");
  SetMaxLength(10);

  stepper_ = new platform::qt::TUpDown(this);
  stepper_->SetParent(this);
  stepper_->SetWidth(kStepperWidth);
  stepper_->SetMin(0);
  stepper_->SetMax(32767);
  stepper_->SetPosition(15000);
  stepper_->OnClick = [this](TComponent*, TUDBtnType direction) { StepDate(direction); };

  date_button_ = new TkvBitBtn(this);
  date_button_->SetParent(this);
  date_button_->SetkvKindPx5(TkvBitBtnKind::bkKDatum);
  date_button_->SetCaption("");
  date_button_->SetLayout(platform::qt::TButtonLayout::blGlyphLeft);
  date_button_->SetMargin(-1);
  date_button_->SetGlyph(FieldPicture(kPictureDatum));
  date_button_->SetNumGlyphs(2);
  date_button_->SetWidth(kDateButtonWidth);
  date_button_->SetCursor(platform::qt::crHandPoint);
  date_button_->SetTabStop(false);
  date_button_->OnClick = [this](TComponent*) { ToggleCalendar(); };

  calendar_ = new DatumCalendar(*this);
  calendar_alive_ = calendar_->AliveToken();
  calendar_->SetVisible(false);
  calendar_->SetParentFont(false);
  calendar_->SetShowTodayCircle(false);
  calendar_->SetMonthBackColor(0xF4F4F4);
  calendar_->SetAutoSize(true);
  calendar_->OnDblClick = [this](TComponent*) {
    if (platform::qt::TMonthCalendar* calendar = Calendar()) {
      WriteDate(calendar->Date());
      CloseCalendar();
    }
  };

  SetBounds(Left(), Top(), kDateButtonWidth + kTextWidth + kStepperWidth, kFieldHeight);
  LayoutParts();
}

TkvDatum::~TkvDatum() = default;

platform::qt::TMonthCalendar* TkvDatum::Calendar() const {
  return calendar_alive_.expired() ? nullptr : calendar_;
}

bool TkvDatum::CalendarShown() const {
  const platform::qt::TMonthCalendar* calendar = Calendar();
  return calendar != nullptr && calendar->Visible();
}

void TkvDatum::ToggleCalendar() {
  platform::qt::TMonthCalendar* calendar = Calendar();
  if (calendar == nullptr || Parent() == nullptr) return;
  if (calendar->Visible()) {
    CloseCalendar();
    return;
  }
  // It drops down over the field's parents (a group box would cut it off): a control of the
  // window, placed by the field's rectangle there.
  platform::qt::TWinControl* window = Parent();
  while (window->Parent() != nullptr) window = window->Parent();
  calendar->SetParent(window);
  calendar->SetDate(FieldDate());
  const platform::qt::TPoint corner = window->ScreenToClient(ClientToScreen({0, 0}));
  const platform::qt::TRect field{corner.X, corner.Y, corner.X + Width(), corner.Y + Height()};
  const platform::qt::TPoint at = CalendarPlace(field, calendar->Width(), calendar->Height(),
                                                window->ClientWidth(), window->ClientHeight());
  calendar->SetBounds(at.X, at.Y, calendar->Width(), calendar->Height());
  calendar->BringToFront();
  calendar->Show();
}

void TkvDatum::CloseCalendar() {
  platform::qt::TMonthCalendar* calendar = Calendar();
  if (calendar == nullptr || !calendar->Visible()) return;
  const bool had_focus = calendar->Focused();
  calendar->Hide();
  if (had_focus && CanFocus()) SetFocus();
}

void TkvDatum::StepDate(TUDBtnType direction) {
  const std::int32_t next =
      common::IncDate(FieldDate(), direction == TUDBtnType::btNext ? 1 : -1, 0, 0);
  if (next != common::BadDate) WriteDate(next);
}

std::int32_t TkvDatum::FieldDate() const {
  const std::int32_t date = common::DateStringToDate(Text(), kDateMask);
  return date != common::BadDate ? date : common::Today();
}

void TkvDatum::WriteDate(std::int32_t date) {
  SetStr(common::DateToDateString(date, kDateMask, common::DateTextStyle{}));
}

bool TkvDatum::KeyFirst(std::uint16_t key, TShiftState shift) {
  if (key != platform::qt::VK_ESCAPE || !CalendarShown()) return TkvEdit::KeyFirst(key, shift);
  CloseCalendar();
  return true;
}

void TkvDatum::KeyPress(char& key) {
  RepaintParts();
  if (key == kEscapeChar && CalendarShown()) {
    CloseCalendar();
    key = 0;
    return;
  }
  TkvEdit::KeyPress(key);
}

void TkvDatum::Click() {
  RepaintParts();
  TkvEdit::Click();
}

void TkvDatum::DoEnter() {
  RepaintParts();
  TkvEdit::DoEnter();
}

void TkvDatum::DoExit() {
  DatumNormieren();
  RepaintParts();
  TkvEdit::DoExit();
}

void TkvDatum::Resize() {
  LayoutParts();
  TkvEdit::Resize();
}

void TkvDatum::ChangeScale(int m, int d) {
  TkvEdit::ChangeScale(m, d);
  // The field was resized before its parts were scaled; place them again at their new size.
  LayoutParts();
}

void TkvDatum::LayoutParts() {
  const int height = Height() - 4;
  const int top = (Height() - height) / 2;
  const int button_width = date_button_->Width();
  const int stepper_width = stepper_->Width();
  const int button_left = Width() - kButtonInset - button_width;
  date_button_->SetBounds(button_left, top, button_width, height);
  stepper_->SetBounds(button_left - stepper_width, top, stepper_width, height);
}

void TkvDatum::RepaintParts() {
  date_button_->Invalidate();
  stepper_->Invalidate();
}

}  // namespace ui
