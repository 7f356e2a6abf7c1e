#include "logbook/settings/colour_scheme.h"

#include <array>
#include <cmath>

#include "common/grid_colours.h"
#include "common/service.h"
#include "logbook/settings/setups.h"

namespace logbook {
namespace {

using common::ToGrafik;

// Captions too long for a side-bar label of the set width, and their short forms.
struct ShortCaption {
  std::string_view caption;
  std::string_view short_form;
};
constexpr std::array<ShortCaption, 3> kShortCaptions = {{
    {"Datensicherung (Backup)", "Backup"},
    {"Datensicherung (Restore)", "Restore"},
    {"Logbuch als Liste öffnen", "Logbuch als Liste"},
}};

constexpr std::string_view kFourBlanks = "    ";

// The plain RGB value a colour is drawn with.
TColor Drawn(TColor colour) { return ToGrafik::ColorToRGB(colour) & 0x00FFFFFF; }

// Entry i of a ramp of 256 colours from `start` to `end`, per channel: entry 0 is the start,
// entry i from 1 is start + round((end - start) / 255 * (i - 1)).
TColor RampEntry(TColor start, TColor end, int i) {
  if (i == 0) return start;
  const auto channel = [&](std::uint8_t s, std::uint8_t e) {
    return static_cast<std::uint8_t>(s + std::nearbyint((e - s) / 255.0 * (i - 1)));
  };
  return common::RGB(channel(common::GetRValue(start), common::GetRValue(end)),
                     channel(common::GetGValue(start), common::GetGValue(end)),
                     channel(common::GetBValue(start), common::GetBValue(end)));
}

void VerticalLine(RgbImage& image, int x, TColor colour) {
  for (int y = 0; y < image.height; ++y) image.SetPixel(x, y, colour);
}

void ColourLabel(SchemeControl& label, const ToSetupLayout& layout) {
  const int tag = label.Tag();
  if (tag >= 0 && tag <= 99) {
    if (tag == 99) {
      label.SetFontColour(layout.tag99_label_font_colour);
    } else if (tag != 98) {
      label.SetFontColour(layout.label_font_colour);
    }
    return;
  }
  if (tag < 100 || tag > 1999) return;
  // A side-bar menu entry.
  std::string caption = label.Caption();
  if (tag % 100 == 0 && label.Width() >= kSideBarLabelWidth + 1 &&
      caption.starts_with(kFourBlanks)) {
    caption.erase(0, 3);
  }
  if (label.Width() > kSideBarLabelWidth) {
    for (const ShortCaption& s : kShortCaptions) {
      if (caption == s.caption) caption = s.short_form;
    }
  }
  if (caption != label.Caption()) label.SetCaption(caption);
  label.SetWidth(kSideBarLabelWidth);
}

// Colours the grid browsers and tag-99 panels on a panel; a tag-99 panel is searched the same way
// down to `levels` more levels.
void ColourPanelContents(SchemeControl& panel, const ToSetupLayout& layout,
                         const common::GridColours& grid, int levels) {
  for (int i = 0; i < panel.ChildCount(); ++i) {
    SchemeControl& child = panel.Child(i);
    if (child.Kind() == SchemeControlKind::kGridBrowser) {
      child.SetGridColours(layout.panel_colour, grid.GridColor, grid.GridFontColor);
    } else if (child.Kind() == SchemeControlKind::kPanel && child.Tag() == 99) {
      child.SetColour(layout.panel_colour);
      if (levels > 0) ColourPanelContents(child, layout, grid, levels - 1);
    }
  }
}

}  // namespace

RgbImage DrawSideBar(TColor form_colour, TColor side_bar_colour) {
  const TColor dark = ToGrafik::FarbeAbstufen(side_bar_colour, -30);
  RgbImage image(kSideBarWidth, kSideBarHeight, Drawn(form_colour));
  for (int x = 16; x < 156; ++x) VerticalLine(image, x, Drawn(dark));
  const TColor white = common::clWhite;
  const TColor black = common::clBlack;
  const std::array<int, 4> light_entries = {175, 200, 225, 250};
  for (int k = 0; k < 4; ++k) VerticalLine(image, 16 + k, RampEntry(white, dark, light_entries[k]));
  const std::array<int, 3> dark_entries = {25, 50, 75};
  for (int k = 0; k < 3; ++k) VerticalLine(image, 154 + k, RampEntry(dark, black, dark_entries[k]));
  return image;
}

void ApplyColourScheme(SchemeForm& form, SchemeImage* side_bar, SchemeControl* maker_label) {
  if (maker_label != nullptr) {
    maker_label->SetCaption(kMakerLine);
    maker_label->SetWidth(maker_label->TextWidth(std::string(kMakerName) + " "));
  }
  const ToSetupLayout layout = common::Service<ToSetups>::Get().GetLayout();
  const common::GridColours& grid = common::Service<common::GridColours>::Get();
  form.SetColour(layout.form_colour);
  for (int i = 0; i < form.ChildCount(); ++i) {
    SchemeControl& control = form.Child(i);
    if (control.Kind() == SchemeControlKind::kLabel) {
      ColourLabel(control, layout);
    } else if (control.Kind() == SchemeControlKind::kPanel) {
      control.SetColour(layout.panel_colour);
      ColourPanelContents(control, layout, grid, 1);
    }
  }
  if (layout.popup_menu_switch != 0) {
    for (int i = 0; i < form.PopupMenuCount(); ++i) form.SetPopupMenuOwnerDraw(i, false);
  }
  if (side_bar != nullptr) {
    side_bar->SetPicture(DrawSideBar(layout.form_colour, layout.side_bar_colour));
    side_bar->SetSize(kSideBarWidth, form.ClientHeight());
  }
}

}  // namespace logbook
