// The program's panels: TkvPanel with bevel colours of its own and an optional one-pixel border
// colour, TkvMousePanel that reports the mouse entering and leaving (the grid browser's base),
// and TkvPaintPanel with a paint event and a background pattern.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/qt/colors.h"
#include "platform/qt/panel.h"

namespace ui {

using platform::qt::TColor;

// With the default light and shadow colours a TkvPanel paints exactly as the framework's panel.
// Other colours give its own paint: the outer bevel as a 3-D frame (top-left in LightColor,
// bottom-right in ShadowColor, swapped when lowered), a frame of BorderWidth in the panel's
// colour, the inner bevel likewise, the rest in the panel's colour and the caption over it.
// A BorderColor other than 0 draws the outermost ring in that colour (the window layer has no
// non-client area: the one-pixel single border lies inside the panel).
class TkvPanel : public platform::qt::TPanel {
 public:
  explicit TkvPanel(platform::qt::TComponent* owner);

  bool ParentBackground() const { return parent_background_; }
  void SetParentBackground(bool on) { parent_background_ = on; }
  TColor BorderColor() const { return border_color_; }
  // A new value turns both bevels off and the single border on.
  void SetBorderColor(TColor colour);
  TColor LightColor() const { return light_color_; }
  void SetLightColor(TColor colour);
  TColor ShadowColor() const { return shadow_color_; }
  void SetShadowColor(TColor colour);

  void Paint() override;

 private:
  void PaintOwnLook();

  bool parent_background_ = false;
  TColor border_color_ = 0;
  TColor light_color_ = platform::qt::clBtnHighlight;
  TColor shadow_color_ = platform::qt::clBtnShadow;
};

// Calls OnMouseEnter and OnMouseLeave only while the panel is enabled.
class TkvMousePanel : public TkvPanel {
 public:
  using TkvPanel::TkvPanel;
  void MouseEnter() override;
  void MouseLeave() override;
};

enum class enumPaintPanelMuster : std::uint8_t {
  ePaintPNone,
  ePaintPHauptwin,
  ePaintPSeiten,
  ePaintPSeitenHell,
  ePaintPDialog,
  ePaintPHauptwinGrau,
  ePaintPSeitenGrau
};

using TkvPaintProc = std::function<void(platform::qt::TComponent* sender)>;

// Paints as TkvPanel. OnPaint is kept for the window that assigns it; the panel's own paint does
// not call it. Muster is the background pattern the window chose, kept with the panel.
class TkvPaintPanel : public TkvMousePanel {
 public:
  using TkvMousePanel::TkvMousePanel;

  TkvPaintProc OnPaint;
  enumPaintPanelMuster Muster() const { return muster_; }
  void SetMuster(enumPaintPanelMuster muster);
  bool DoubleBuffered() const { return double_buffered_; }

 private:
  enumPaintPanelMuster muster_ = enumPaintPanelMuster::ePaintPNone;
  bool double_buffered_ = false;
};

}  // namespace ui
