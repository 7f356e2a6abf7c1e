// Screen scaling: the resolution awareness of the process, the scaling service ToWinskal and the
// screen sizes of TScreenSS.
//
// The data of both services lives in the process's common::ToWinskal and common::TScreenSS
// objects (common/screen_services.h), which the settings load and save fill and store; the
// operations here work on those objects (Service<...>, which must exist) and ask the screen
// through the window layer's screen source (Application().Screen()), so the application object
// must exist as well.
//
// The design resolution of every form is 96 dots per inch. Mode 0 (not resolution aware): the
// window framework's own scaling applies and ScaleValue converts; modes 1 (system aware) and 2
// (per-monitor aware): ScaleValueSys converts, and in mode 2 this service scales whole forms
// itself. Every conversion rounds to the nearest integer with halves to the even neighbour;
// percentages and the bounds of whole forms are truncated.
#pragma once

#include <cstdint>
#include <string>

#include "platform/qt/control.h"
#include "platform/qt/win_control.h"

namespace ui {

class TkvForm;

// The resolution awareness (a process-wide requested level, -1 until one is requested), asked of
// the screen source: a source without an awareness service answers -1 and leaves mode 0.
bool SetProcessDpiAwarenessCall();
int GetProcessDpiAwarenessCached(bool request);
bool IsPerMonitorDpiAware(bool request);
bool IsSystemDpiAware(bool request);
// Forgets the requested level, as at module initialisation (for tests).
void ResetDpiAwarenessRequest();

class ToWinskal {
 public:
  ToWinskal() = delete;

  // Settings byte := 1, then DetectMode: what the service's construction does. The program calls
  // it once the application object exists, before any window.
  static void Initialise();
  // Mode 2 when the process is (or can be made) per-monitor aware, 1 when system aware, else 0.
  static void DetectMode();
  static std::uint8_t Mode();

  static int GetScreenDpi();
  // The resolution read last (read once; in mode 2 on every call).
  static int Dpi();
  static bool IsLargeDpi() { return Dpi() > 96; }

  // Round(dpi x value / 96) (unscale: Round(value x 96 / dpi)) when `flag` is set, the
  // resolution is not 96 and the mode matches (0 for ScaleValue, 1 or 2 for the Sys forms);
  // otherwise the value unchanged.
  static int ScaleValue(bool flag, int value);
  static int UnscaleValue(bool flag, int value);
  static int ScaleValueSys(bool flag, int value);
  static int UnscaleValueSys(bool flag, int value);

  // Records the form's Scaled property as DesignScaled; answers it, but false in mode 2. Every
  // window's creation handler assigns the answer to its Scaled property.
  static bool FormScaled(TkvForm& form);
  // Scales the whole form to the resolution when the framework does not (see the .cpp for the
  // steps), then fits it to the screen. False only when the form needed this service's scaling
  // and the resolution is 96.
  static bool ScaleForm(TkvForm& form);
  // A pixel value (flag: a font size) converted between the design resolution and the screen
  // for one form.
  static int ScaleForForm(int value, TkvForm& form, bool flag);
  static int UnscaleForForm(int value, TkvForm& form, bool flag);
  // Enlarges a small fixed-border form by up to 15 % (96 dpi, new look only) and shrinks one that
  // is taller than the screen less 50 pixels (once); sizeable and auto-sizing forms stay.
  static void FitToScreen(TkvForm& form);
  // Divides the font size of every rich edit below `control` back by the resolution (mode 1
  // and 2), for forms whose framework scaled it already.
  static void ScaleRichEditFonts(platform::qt::TWinControl& control, TkvForm& form);

  // Called by the windows that handle a change of the monitor resolution themselves; nothing to
  // do here.
  static void DpiChanged() {}
  static void MonitorDpiChanged() {}
};

// The screen sizes (in the window layer's pixels) and the user-interface font name.
class TScreenSS {
 public:
  TScreenSS() = delete;
  static int ScreenWidth();
  static int ScreenHeight();
  static int VirtualWidth();
  static int VirtualHeight();
  static std::string FontName();
};

}  // namespace ui
