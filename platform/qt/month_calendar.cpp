#include "platform/qt/month_calendar.h"

#include <QCalendarWidget>
#include <QDate>
#include <QLocale>
#include <QPalette>

#include "common/dates.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {
namespace {

QCalendarWidget& Calendar(const TMonthCalendar& c) {
  return *static_cast<QCalendarWidget*>(c.Window().widget.data());
}

QDate ToQDate(std::int32_t date) {
  const common::DayMonthYear d = common::DateToDMY(date);
  return QDate(d.year, d.month, d.day);
}

std::int32_t FromQDate(const QDate& date) {
  return common::DMYToDate(date.day(), date.month(), date.year());
}

}  // namespace

TMonthCalendar::TMonthCalendar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 225, 160);
  AttachWindow(impl::MakeHost<QCalendarWidget>(*this, impl::PaintMode::kNative));
  QCalendarWidget& calendar = Calendar(*this);
  calendar.setLocale(QLocale(QLocale::German, QLocale::Germany));
  calendar.setFirstDayOfWeek(Qt::Monday);
  calendar.setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar.setGridVisible(false);
  calendar.setMinimumDate(QDate(common::kMinYear, 1, 1));
  calendar.setMaximumDate(QDate(common::kMaxYear, 12, 31));
  SetTabStop(true);
  QObject::connect(&calendar, &QCalendarWidget::clicked, [this](QDate) {
    if (!IsDestroying()) Click();
  });
  QObject::connect(&calendar, &QCalendarWidget::activated, [this](QDate) {
    if (!IsDestroying()) DblClick();
  });
}

std::int32_t TMonthCalendar::Date() const { return FromQDate(Calendar(*this).selectedDate()); }

void TMonthCalendar::SetDate(std::int32_t date) {
  const QDate d = ToQDate(date);
  if (d.isValid() && date != common::BadDate) Calendar(*this).setSelectedDate(d);
}

void TMonthCalendar::SetAutoSize(bool on) {
  auto_size_ = on;
  FitSize();
}

void TMonthCalendar::SetMonthBackColor(TColor colour) {
  month_back_color_ = colour;
  ApplyMonthColor();
}

void TMonthCalendar::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyMonthColor();
}

void TMonthCalendar::ApplyMonthColor() {
  if (!HasWindow()) return;
  QCalendarWidget& calendar = Calendar(*this);
  QPalette palette = calendar.palette();
  palette.setColor(QPalette::Base, impl::ToQColor(month_back_color_));
  palette.setColor(QPalette::AlternateBase, impl::ToQColor(month_back_color_));
  calendar.setPalette(palette);
}

void TMonthCalendar::FontChanged() {
  TWinControl::FontChanged();
  FitSize();
}

void TMonthCalendar::FitSize() {
  if (!auto_size_ || !HasWindow()) return;
  const QSize need = Calendar(*this).sizeHint();
  SetBounds(Left(), Top(), need.width(), need.height());
}

}  // namespace platform::qt
