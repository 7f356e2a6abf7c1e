// The owner-drawn look of TkvBitBtn: face, flat frame, drop-down arrow, rounded face, focus
// frame, picture or glyph, and caption.
#include <string>

#include "common/screen_services.h"
#include "common/service.h"
#include "platform/qt/colors.h"
#include "ui/bit_btn.h"
#include "ui/winskal.h"

namespace ui {

using platform::qt::TButtonState;
using platform::qt::TCanvas;
using platform::qt::TColor;
using platform::qt::TRect;

namespace {

// The room a drop-down part or arrow takes at the right.
constexpr int kDropDownWidth = 17;
constexpr int kArrowOnlyWidth = 12;

std::string DrawnCaption(std::string caption) {
  for (std::string::size_type at = caption.find('|'); at != std::string::npos;
       at = caption.find('|', at + 2)) {
    caption.replace(at, 1, "\r\n");
  }
  return caption;
}

// Pictures are drawn larger on a screen above 96 dots per inch.
bool LargeScreen() {
  return common::Service<common::ToWinskal>::Exists() && ToWinskal::IsLargeDpi();
}

}  // namespace

struct TkvBitBtn::Look {
  TRect client;
  bool pressed;
  bool hot;     // the mouse is inside an enabled button
  bool framed;  // a raised frame when not pressed
  TButtonState state;
};

void TkvBitBtn::Paint() {
  Look look{};
  look.client = ClientRect();
  // A press that opened the menu leaves the button up.
  look.pressed = Pressed() && !menu_click_;
  look.hot = hot_ && Enabled();
  look.state = !Enabled() || (deaktiviert_ && !look.pressed) ? TButtonState::bsDisabled
               : look.pressed                                ? TButtonState::bsDown
                                                             : TButtonState::bsUp;
  look.framed = (!look.pressed && look.hot) || nicht_flat_ || edge_drawn_;
  PaintFace(look);
  PaintFrame(look);
  TCanvas& c = Canvas();
  if (flat_round_) {
    c.Brush = {round_color_, platform::qt::TBrushStyle::bsSolid};
    c.Pen.Color = platform::qt::clSilver;
    c.Pen.Width = 1;
    c.Pen.Style = platform::qt::TPenStyle::psSolid;
    c.RoundRect(look.client.Left + 1, look.client.Top + 1, look.client.Right - 1,
                look.client.Bottom - 1, 6, 6);
  }
  if (Focused()) c.DrawFocusRect(platform::qt::Inflated(look.client, -1, -1));
  PaintContent(look);
  PaintFrame(look);
  edge_drawn_ = look.framed;
}

void TkvBitBtn::PaintFace(const Look& look) {
  TCanvas& c = Canvas();
  const TColor parent = Parent() != nullptr ? Parent()->Color() : platform::qt::clBtnFace;
  c.Pen = {};
  c.Pen.Color = nicht_transparent_ ? platform::qt::clBtnFace : parent;
  if (rahmen_color_ != 0) {
    c.Pen.Color = rahmen_color_;
    c.Pen.Width = 2;
  }
  TColor face = platform::qt::clBtnFace;
  if (nicht_transparent_ && nicht_transparent_color_ != 0) face = nicht_transparent_color_;
  if (!nicht_transparent_) face = parent;
  c.Brush = {face, platform::qt::TBrushStyle::bsSolid};
  c.Rectangle(look.client);
  if (rahmen_color_ != 0) {
    const TRect& r = look.client;
    const platform::qt::TPoint corners[] = {{r.Left + 2, r.Top + 2},
                                            {r.Right - 3, r.Top + 2},
                                            {r.Right - 3, r.Bottom - 3},
                                            {r.Left + 2, r.Bottom - 3}};
    c.Polyline(corners);
  }
}

void TkvBitBtn::PaintFrame(const Look& look) {
  TCanvas& c = Canvas();
  const bool menu = kvMenue() != nullptr;
  if (menu && !look.hot && !look.pressed) {
    PaintArrow(look, look.client, HasDropDownPart());
    return;
  }
  unsigned edge = 0;
  if (look.pressed) {
    edge = platform::qt::BDR_SUNKENOUTER;
  } else if (look.framed) {
    edge = platform::qt::BDR_RAISEDINNER;
  }
  TRect main = look.client;
  if (HasDropDownPart()) {
    TRect part{main.Right - kDropDownWidth, main.Top, main.Right, main.Bottom};
    main.Right -= kDropDownWidth;
    if (edge != 0) c.DrawEdge(part, edge, platform::qt::BF_RECT);
    PaintArrow(look, {main.Right, main.Top, look.client.Right, main.Bottom}, true);
  } else if (menu) {
    PaintArrow(look, main, false);
  }
  if (edge != 0) c.DrawEdge(main, edge, platform::qt::BF_RECT);
}

void TkvBitBtn::PaintArrow(const Look& look, const TRect& part, bool centred) {
  TCanvas& c = Canvas();
  TColor colour = platform::qt::ColorToRGB(Font().Color());
  if (look.hot || look.pressed) {
    if (colour == platform::qt::clBlack) colour = platform::qt::clBlue;
    if (colour == platform::qt::clWhite) colour = platform::qt::clSilver;
  }
  const int left = part.Right - (centred ? 12 : 14);
  const int right = part.Right - (centred ? 4 : 6);
  const int top = centred ? part.Top + part.Height() / 2 - 2 : part.Top + 6;
  c.Brush = {colour, platform::qt::TBrushStyle::bsSolid};
  for (int row = 0; row < 5; ++row) c.FillRect({left + row, top + row, right - row + 1, top + row + 1});
}

const platform::qt::TPngImage* TkvBitBtn::PictureFor(const Look& look) const {
  const auto shown = [](const platform::qt::TPngImage& image) {
    return image.Empty() ? nullptr : &image;
  };
  if (look.pressed && !image_down_.Empty()) return &image_down_;
  if (mouse_over_ && Enabled()) return !image_over_.Empty() ? &image_over_ : shown(image_normal_);
  if (look.state == TButtonState::bsDisabled && !image_dimmed_.Empty()) return &image_dimmed_;
  return shown(image_normal_);
}

void TkvBitBtn::PaintContent(const Look& look) {
  TCanvas& c = Canvas();
  TRect room = look.client;
  if (look.pressed) room = {room.Left + 1, room.Top + 1, room.Right + 1, room.Bottom + 1};
  if (kvMenue() != nullptr) room.Right -= HasDropDownPart() ? kDropDownWidth : kArrowOnlyWidth;
  const std::string caption = DrawnCaption(Caption());
  c.Font = Font();
  if (Default()) c.Font.SetStyle(c.Font.Style() | platform::qt::fsBold);
  TRect need{};
  if (!caption.empty()) {
    need.Right = room.Width();
    c.DrawText(caption, need, platform::qt::DT_CALCRECT | platform::qt::DT_WORDBREAK);
  }
  caption_width_ = need.Width();
  const platform::qt::TPngImage* picture = PictureFor(look);
  platform::qt::TPoint glyph_size = glyph_.Size();
  if (picture != nullptr && glyph_.Glyph().Empty()) {
    glyph_size = {picture->Width(), picture->Height()};
  }
  const platform::qt::ButtonPlacement at = platform::qt::PlaceGlyphAndText(
      room, glyph_size, {need.Width(), need.Height()}, layout_, margin_, spacing_);
  if (picture != nullptr) {
    const TRect area = platform::qt::Bounds(at.glyph.X, at.glyph.Y, glyph_size.X, glyph_size.Y);
    int width = picture->Width();
    int height = picture->Height();
    const bool stretched = caption.empty() && LargeScreen();
    if (stretched) {
      width = ToWinskal::ScaleValueSys(true, width);
      height = ToWinskal::ScaleValueSys(true, height);
    }
    const TRect to = platform::qt::Bounds(area.Left + (area.Width() - width) / 2,
                                          area.Top + (area.Height() - height) / 2, width, height);
    if (stretched) {
      picture->StretchDraw(c, to);
    } else {
      picture->Draw(c, to.Left, to.Top);
    }
  } else {
    TButtonState state = look.state;
    if (look.hot) state = TButtonState::bsDown;
    if (deaktiviert_) state = TButtonState::bsDisabled;
    glyph_.Draw(c, at.glyph, state);
  }
  if (caption.empty()) return;
  c.Brush.Style = platform::qt::TBrushStyle::bsClear;
  if (look.state == TButtonState::bsDisabled) {
    c.Font.SetColor(flat_round_ ? platform::qt::clSilver : platform::qt::clGray);
  }
  TRect text = at.text;
  c.DrawText(caption, text, platform::qt::DT_CENTER | platform::qt::DT_WORDBREAK);
}

}  // namespace ui
