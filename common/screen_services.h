// The data of the screen-metrics and screen-scaling services that the settings load and save fill
// and store. The screen and scaling operations themselves belong to the window layer, which works
// on these same objects.
//
// One object of each per process, reached through Service<TScreenSS> and Service<ToWinskal>.
#pragma once

#include <cstdint>

#include "common/short_string.h"
#include "common/tssobject.h"

namespace common {

class TScreenSS : public Tssobject {
 public:
  std::uint8_t Flag = 0;
  ShortString<255> FontName{"Segoe UI Semilight"};  // the user-interface font name
  std::uint8_t Switch = 0;  // set as a truth value by the settings load; stored nowhere
};

class ToWinskal {
 public:
  std::int32_t Dpi = 0;   // the screen resolution last read; 0 until first read
  std::uint8_t Mode = 0;  // 0 not resolution aware, 1 system aware, 2 per-monitor aware
  // The form-scaling switch of the settings: loaded from and saved to the setup record; no scaling
  // operation reads it.
  std::uint8_t FormScaledSetting = 1;
};

}  // namespace common
