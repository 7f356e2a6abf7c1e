// ApplyColourScheme: gives a window the colours of the settings (the layout record of ToSetups):
// form, panel, label and grid colours, the side-bar menu labels and a drawn side bar with
// shaded edges.
//
// The window is reached through a small port of its own (SchemeForm, SchemeControl,
// SchemeImage), which the window layer implements on its forms and tests implement with fakes;
// nothing here knows a window system. The side bar is drawn into an RgbImage.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/grafik.h"

namespace logbook {

using common::TColor;

// A picture of plain RGB colours (top byte 0), row by row from the top left.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<TColor> pixels;

  RgbImage(int w, int h, TColor fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  TColor Pixel(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  void SetPixel(int x, int y, TColor colour) { pixels[std::size_t(y) * width + x] = colour; }
};

// What the colour scheme tells controls apart by.
enum class SchemeControlKind : std::uint8_t { kLabel, kPanel, kGridBrowser, kOther };

// One control of a window, with what the colour scheme reads and sets.
class SchemeControl {
 public:
  virtual ~SchemeControl() = default;
  virtual SchemeControlKind Kind() const = 0;
  virtual int Tag() const = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int width) = 0;
  // The width in pixels of `text` in the control's font.
  virtual int TextWidth(std::string_view text) const = 0;
  // Background colour (panels, grid browsers' inner panels) and font colour (labels).
  virtual void SetColour(TColor colour) = 0;
  virtual void SetFontColour(TColor colour) = 0;
  // The controls that lie on this one (a panel's), in order.
  virtual int ChildCount() const = 0;
  virtual SchemeControl& Child(int index) = 0;
  // A grid browser: `panel` on two of its inner controls, `grid` on its grid, `font` on the
  // grid's font and title font.
  virtual void SetGridColours(TColor panel, TColor grid, TColor font) = 0;
};

// A window: its own colour and client height, its direct child controls in order, and its popup
// menus.
class SchemeForm {
 public:
  virtual ~SchemeForm() = default;
  virtual void SetColour(TColor colour) = 0;
  virtual int ClientHeight() const = 0;
  virtual int ChildCount() const = 0;
  virtual SchemeControl& Child(int index) = 0;
  virtual int PopupMenuCount() const = 0;
  virtual void SetPopupMenuOwnerDraw(int index, bool on) = 0;
};

// The image control that shows the side bar.
class SchemeImage {
 public:
  virtual ~SchemeImage() = default;
  virtual void SetPicture(const RgbImage& picture) = 0;
  virtual void SetSize(int width, int height) = 0;
};

// The maker line a main window shows and the maker's name whose width its label takes.
inline constexpr std::string_view kMakerLine = "Pelorin · PEL Domivox";
inline constexpr std::string_view kMakerName = "Pelorin";

// The side bar's picture: 170 x 14 pixels.
inline constexpr int kSideBarWidth = 170;
inline constexpr int kSideBarHeight = 14;
// The width that side-bar menu labels (tags 100 to 1999) take.
inline constexpr int kSideBarLabelWidth = 156;

// Colours the form and its controls from the settings object's layout and the grid colours
// (common::GridColours); both services must exist. `side_bar` and `maker_label` may be nullptr;
// they belong to the caller and are used during the call only.
void ApplyColourScheme(SchemeForm& form, SchemeImage* side_bar, SchemeControl* maker_label);

// The side bar's picture for a form colour and a side-bar colour.
RgbImage DrawSideBar(TColor form_colour, TColor side_bar_colour);

}  // namespace logbook
