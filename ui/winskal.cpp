#include "ui/winskal.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/protocol.h"
#include "common/screen_services.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/application.h"
#include "platform/qt/rich_edit.h"
#include "ui/browser.h"
#include "ui/kv_form.h"
#include "ui/rounding.h"
#include "ui/separator_line.h"

namespace ui {
namespace {

using platform::qt::Application;
using platform::qt::TFormBorderStyle;
using platform::qt::TWindowState;

constexpr int kDesignDpi = 96;
constexpr int kPerMonitorAware = 2;

int& RequestedAwareness() {
  static int level = -1;
  return level;
}

common::ToWinskal& Data() { return common::Service<common::ToWinskal>::Get(); }

int Trunc(double value) { return static_cast<int>(std::trunc(value)); }

bool Sizeable(const TkvForm& form) { return form.BorderStyle() == TFormBorderStyle::bsSizeable; }

bool ScaledByDesign(const TkvForm& form) { return form.Scaled() || form.DesignScaled; }

void Protocol(const std::string& line) { common::Protocol::AppendLine(line); }

std::string SizeText(const TkvForm& form) {
  return std::to_string(form.Width()) + " " + std::to_string(form.Height());
}

// The per-component rule of the whole-form scaling: separator lines become 2 pixels high.
void ScaleComponents(TkvForm& form, int dpi) {
  for (platform::qt::TComponent* component : form.Components()) {
    if (auto* line = dynamic_cast<TSAPLinie*>(component)) line->SetHeight(2);
    if (auto* browser = dynamic_cast<TkvBrow*>(component)) {
      for (int col = 0; col < browser->GetGridColCount(); ++col) {
        browser->SetColWidth(col, Trunc(browser->GetColWidth(col, false) * dpi / static_cast<double>(kDesignDpi)));
      }
    }
  }
}

// Steps 5.1 to 5.6 of the whole-form scaling, at a resolution other than 96.
void ScaleWholeForm(TkvForm& form, int dpi) {
  const bool maximised = form.WindowState() == TWindowState::wsMaximized;
  const int left = form.Left();
  const int top = form.Top();
  const int width = form.Width();
  const int height = form.Height();
  const int percent = Trunc(dpi * 100.0 / kDesignDpi);
  if (!Sizeable(form)) {
    form.ChangeScale(percent, 100);
  } else {
    const auto children = form.Controls();
    form.DisableAlign();
    for (platform::qt::TControl* child : children) child->ChangeScale(percent, 100);
    form.EnableAlign();
  }
  if (maximised) form.SetWindowState(TWindowState::wsMaximized);
  form.WinskalDone = true;
  const int limit = TScreenSS::ScreenHeight() - 50;
  if (limit < form.Height() && !Sizeable(form) && form.Height() > 0) {
    form.ChangeScale(Trunc(limit * 100.0 / form.Height()), 100);
  }
  ScaleComponents(form, dpi);
  if (Sizeable(form) && form.WindowState() == TWindowState::wsNormal) {
    const double factor = dpi / static_cast<double>(kDesignDpi);
    form.SetBounds(Trunc(left * factor), Trunc(top * factor), Trunc(width * factor),
                   Trunc(height * factor));
  }
}

// The value routines: dpi / 96 (or the inverse) when they apply and the resolution is not 96. A
// screen that reports no resolution leaves values unchanged.
int Convert(bool applies, int value, bool scale) {
  if (!applies) return value;
  const int dpi = ToWinskal::Dpi();
  if (dpi == kDesignDpi || dpi <= 0) return value;
  return scale ? RoundEven(static_cast<double>(dpi) * value / kDesignDpi)
               : RoundEven(static_cast<double>(value) * kDesignDpi / dpi);
}

// ScaleForForm and UnscaleForForm.
int ConvertForForm(int value, TkvForm& form, bool flag, bool scale) {
  const std::uint8_t mode = ToWinskal::Mode();
  if (mode == 2) form.CreateScaled = false;
  if (!form.Scaled() && !form.DesignScaled && !form.CreateScaled && !form.WinskalDone) {
    return value;
  }
  const int dpi = ToWinskal::Dpi();
  if (dpi == kDesignDpi || dpi <= 0) return value;
  int divisor = kDesignDpi;
  if (mode == 2 && ScaledByDesign(form) && form.PixelsPerInch() > 0) {
    divisor = form.PixelsPerInch();
  }
  // A font size of a form the framework scales itself is its business.
  if (mode == 0 && ScaledByDesign(form) && flag) return value;
  return scale ? RoundEven(static_cast<double>(dpi) * value / divisor)
               : RoundEven(static_cast<double>(divisor) * value / dpi);
}

}  // namespace

bool SetProcessDpiAwarenessCall() {
  if (RequestedAwareness() < 0) return false;
  return Application().Screen().AwarenessLevel(RequestedAwareness()) >= 0;
}

int GetProcessDpiAwarenessCached(bool request) {
  if (request && !SetProcessDpiAwarenessCall()) return -1;
  return Application().Screen().AwarenessLevel(-1);
}

bool IsPerMonitorDpiAware(bool request) {
  if (request) RequestedAwareness() = kPerMonitorAware;
  return GetProcessDpiAwarenessCached(request) == 2;
}

bool IsSystemDpiAware(bool request) {
  if (request) RequestedAwareness() = kPerMonitorAware;
  return GetProcessDpiAwarenessCached(request) == 1;
}

void ResetDpiAwarenessRequest() { RequestedAwareness() = -1; }

void ToWinskal::Initialise() {
  Data().FormScaledSetting = 1;
  DetectMode();
}

void ToWinskal::DetectMode() {
  common::ToWinskal& data = Data();
  data.Mode = 0;
  if (IsPerMonitorDpiAware(true)) {
    data.Mode = 2;
  } else if (IsSystemDpiAware(true)) {
    data.Mode = 1;
  }
}

std::uint8_t ToWinskal::Mode() { return Data().Mode; }

int ToWinskal::GetScreenDpi() { return Application().Screen().PixelsPerInch(); }

int ToWinskal::Dpi() {
  common::ToWinskal& data = Data();
  if (data.Dpi >= 1 && data.Mode != 2) return data.Dpi;
  data.Dpi = GetScreenDpi();
  return data.Dpi;
}

int ToWinskal::ScaleValue(bool flag, int value) { return Convert(flag && Mode() == 0, value, true); }

int ToWinskal::UnscaleValue(bool flag, int value) {
  return Convert(flag && Mode() == 0, value, false);
}

int ToWinskal::ScaleValueSys(bool flag, int value) {
  return Convert(flag && Mode() != 0, value, true);
}

int ToWinskal::UnscaleValueSys(bool flag, int value) {
  return Convert(flag && Mode() != 0, value, false);
}

bool ToWinskal::FormScaled(TkvForm& form) {
  form.DesignScaled = form.Scaled();
  return Mode() == 2 ? false : form.Scaled();
}

bool ToWinskal::ScaleForm(TkvForm& form) {
  bool result = false;
  if (Mode() == 2) form.CreateScaled = false;
  const bool do_scale = !form.Scaled() && !form.CreateScaled;
  const char* mode_text = Mode() == 2 ? " 10 " : Mode() == 1 ? " 7 " : " None ";
  Protocol("ScaleF: " + form.Name() + mode_text + (form.Scaled() ? " s " : "") +
           (form.CreateScaled ? " w " : ""));
  const int dpi = Dpi();
  if (do_scale) {
    if (dpi != kDesignDpi) {
      ScaleWholeForm(form, dpi);
      result = true;
    }
    FitToScreen(form);
  } else {
    form.WinskalDone = true;
    result = true;
    if (Mode() == 2) ScaleRichEditFonts(form, form);
    FitToScreen(form);
  }
  Protocol("ScaleF out:" + SizeText(form));
  return result;
}

int ToWinskal::ScaleForForm(int value, TkvForm& form, bool flag) {
  return ConvertForForm(value, form, flag, true);
}

int ToWinskal::UnscaleForForm(int value, TkvForm& form, bool flag) {
  return ConvertForForm(value, form, flag, false);
}

void ToWinskal::FitToScreen(TkvForm& form) {
  Protocol("wsrf1:" + SizeText(form));
  const int dpi = Dpi();
  const int limit = TScreenSS::ScreenHeight() - 50;
  const bool fixed = !Sizeable(form) && !form.AutoSize();
  // A form of no height has nothing to fit and no percentage to take.
  if (fixed && form.Height() > 0) {
    const bool new_look = common::Service<logbook::ToSetups>::Exists() &&
                          logbook::ToLayout::GetLayoutOption();
    if (dpi == kDesignDpi && limit > form.Height() && new_look) {
      const int height = form.Height();
      const int enlarged = std::min(RoundEven(height * 1.15), limit);
      if (enlarged - height > 20) {
        const int percent = Trunc(enlarged * 100.0 / height);
        form.ChangeScale(percent, 100);
        form.FitPercent = percent;
      }
    }
    if (limit < form.Height() && form.FitPercent == 0) {
      const int percent = Trunc(limit * 100.0 / form.Height());
      form.ChangeScale(percent, 100);
      form.FitPercent = percent;
    }
  }
  Protocol("wsrf2:" + SizeText(form));
}

void ToWinskal::ScaleRichEditFonts(platform::qt::TWinControl& control, TkvForm& form) {
  const bool flag = form.WinskalDone || form.Scaled() || form.DesignScaled;
  for (platform::qt::TControl* child : control.Controls()) {
    if (auto* rich = dynamic_cast<platform::qt::TRichEdit*>(child)) {
      rich->Font().SetSize(UnscaleValueSys(flag, rich->Font().Size()));
    } else if (auto* windowed = dynamic_cast<platform::qt::TWinControl*>(child)) {
      ScaleRichEditFonts(*windowed, form);
    }
  }
}

int TScreenSS::ScreenWidth() { return Application().Screen().ScreenWidth(); }
int TScreenSS::ScreenHeight() { return Application().Screen().ScreenHeight(); }
int TScreenSS::VirtualWidth() { return Application().Screen().VirtualWidth(); }
int TScreenSS::VirtualHeight() { return Application().Screen().VirtualHeight(); }
std::string TScreenSS::FontName() {
  return common::Service<common::TScreenSS>::Get().FontName.str();
}

}  // namespace ui
