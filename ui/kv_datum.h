// TkvDatum: the date field. Its text has the form "dd.mm.yyyy"; a stepper inside the field at
// its right moves the date a day forward (upper arrow) or back, and the date button beside it
// drops down a month calendar. A field without a valid date steps from today, and its calendar
// opens on today. Leaving the field completes a partly typed date (DatumNormieren).
//
// The calendar drops down over the field's parents, as the desktop's drop-downs do: it is a
// control of the window the field is on, placed in its client area when it opens: left-aligned
// below the field, above it when it would reach below the client area, and aligned to the
// bottom of the client area when above reaches past the top; moved left when it would reach past
// the right edge (CalendarPlace). A double click in it writes its date into the field and closes
// it; the date button closes it too. Escape, in the field or anywhere in the calendar, closes an
// open calendar and goes no further (not to the window's key handlers or KeyPreview, not to a
// cancel button).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/qt/month_calendar.h"
#include "platform/qt/types.h"
#include "platform/qt/up_down.h"
#include "ui/kv_edit.h"

namespace ui {

inline constexpr const char* kDateMask = "dd.mm.yyyy";

// The top-left corner of a calendar of the size given for a field at `field` in a client area
// of the size given (see above).
platform::qt::TPoint CalendarPlace(const platform::qt::TRect& field, int calendar_width,
                                   int calendar_height, int client_width, int client_height);

class TkvDatum : public TkvEdit {
 public:
  explicit TkvDatum(platform::qt::TComponent* owner);
  ~TkvDatum() override;

  platform::qt::TUpDown* Stepper() const { return stepper_; }
  TkvBitBtn* DateButton() const { return date_button_; }
  // Null only after a former parent of the field freed it.
  platform::qt::TMonthCalendar* Calendar() const;
  bool CalendarShown() const;

  // The date button's click: opens the calendar on the field's date, or closes it.
  void ToggleCalendar();
  void CloseCalendar();
  // The stepper's step: the field's date (today when it holds none) a day forward for btNext,
  // back for btPrev. A step out of the years 1600..3999 leaves the text.
  void StepDate(platform::qt::TUDBtnType direction);

  bool KeyFirst(std::uint16_t key, platform::qt::TShiftState shift) override;
  void KeyPress(char& key) override;
  void Click() override;
  void DoEnter() override;
  void DoExit() override;
  // The parts scale with the field and stay at its right edge.
  void ChangeScale(int m, int d) override;

 protected:
  void Resize() override;

 private:
  std::int32_t FieldDate() const;
  void WriteDate(std::int32_t date);
  void LayoutParts();
  void RepaintParts();

  platform::qt::TUpDown* stepper_ = nullptr;          // owned, a child of the field
  TkvBitBtn* date_button_ = nullptr;                  // owned, a child of the field
  platform::qt::TMonthCalendar* calendar_ = nullptr;  // owned, a child of the field's window
  std::weak_ptr<const bool> calendar_alive_;
};

}  // namespace ui
