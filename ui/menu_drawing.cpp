// The layout engine's owner-drawn menus: items sized for the settings' font, painted in the
// colours of the scheme with an icon strip, the icon the caption stands for, or the colour swatch
// of a QSL status caption.
#include <algorithm>
#include <string>

#include "common/service.h"
#include "logbook/settings/setup_defaults.h"
#include "logbook/settings/setups.h"
#include "platform/qt/colors.h"
#include "platform/qt/image_list.h"
#include "ui/grafik.h"
#include "ui/layout.h"
#include "ui/menu_icons.h"
#include "ui/picture_form.h"
#include "ui/rounding.h"

namespace ui {
namespace {

using platform::qt::TBrushStyle;
using platform::qt::TCanvas;
using platform::qt::TMenuItem;
using platform::qt::TRect;

constexpr TColor kGreyText = 0x00808080;
constexpr double kItemHeightFactor = 1.3;

void SetMenuFont(TCanvas& canvas, TkvForm* form) {
  const logbook::ToSetupLayout s = ToLayout::Settings();
  ToGrafik::SetFont(canvas, s.font_name.str().empty() ? std::string("Arial") : s.font_name.str());
  canvas.Font.SetSize(ScalePixels(form, s.font_size > 0 ? s.font_size : kDesignFontSize, true));
}

// The room above an icon or caption that centres a line of the canvas's font in the rectangle.
int CentringOffset(TCanvas& canvas, const TRect& r) {
  return (r.Bottom - r.Top - canvas.TextHeight("X")) / 2;
}

logbook::ToSetupQSL QslSettings() {
  return common::Service<logbook::ToSetups>::Exists()
             ? common::Service<logbook::ToSetups>::Get().GetQSL()
             : logbook::DefaultSetupQSL();
}

// The caption of a QSL status menu item: `word` (QSLr received, QSLs sent), then
// ` = "` + the status character + ` "`.
std::string StatusCaption(const char* word, char status) {
  return std::string(word) + " = \"" + status + " \"";
}

// The swatch squares of one item: the outer 15 x 15 and the inner 7 x 7 one.
struct Swatch {
  TRect outer;
  TRect inner;
};

// Draws one square in the pen colour over the brush colour (clNone: the brush as it stands);
// the canvas's pen and brush colours are put back.
void Square(TCanvas& canvas, const TRect& r, TColor pen, TColor brush) {
  const TColor pen_before = canvas.Pen.Color;
  const TColor brush_before = canvas.Brush.Color;
  canvas.Pen.Color = pen;
  if (brush != platform::qt::clNone) canvas.Brush.Color = brush;
  canvas.Rectangle(r);
  canvas.Pen.Color = pen_before;
  canvas.Brush.Color = brush_before;
}

// The swatch of a QSL status caption: received marks (letter group 1) fill the square with the
// status colour, sent marks of group 2 frame it in that colour, sent marks of group 3 get a
// small filled square inside a black frame; "N" (not received, not sent) stays empty.
void DrawStatusSwatch(TCanvas& canvas, const std::string& caption, const Swatch& at) {
  const logbook::ToSetupQSL qsl = QslSettings();
  const auto& received = qsl.letter_groups[0];
  const auto& sent1 = qsl.letter_groups[1];
  const auto& sent2 = qsl.letter_groups[2];
  bool matched = false;
  for (std::size_t k = 0; k < qsl.colours.size(); ++k) {
    const TColor colour = qsl.colours[k];
    if (received[k] != 0 && caption == StatusCaption("QSLr", received[k])) {
      Square(canvas, at.outer, common::clBlack, colour);
      matched = true;
    }
    if (sent1[k] != 0 && caption == StatusCaption("QSLs", sent1[k])) {
      Square(canvas, at.outer, colour, platform::qt::clNone);
      matched = true;
    }
    if (sent2[k] != 0 && caption == StatusCaption("QSLs", sent2[k])) {
      Square(canvas, at.outer, common::clBlack, platform::qt::clNone);
      Square(canvas, at.inner, colour, colour);
      matched = true;
    }
  }
  if (matched) return;
  if (caption == StatusCaption("QSLr", 'N')) {
    Square(canvas, at.outer, common::clBlack, platform::qt::clNone);
  } else if (caption == StatusCaption("QSLs", 'N')) {
    Square(canvas, at.outer, common::clBlack, platform::qt::clNone);
    Square(canvas, at.inner, kGreyText, kGreyText);
  }
}

}  // namespace

void ToLayout::MenuMeasureItem(TMenuItem& item, TCanvas& canvas, TkvForm* form, int& height,
                               int& width) {
  SetMenuFont(canvas, form);
  const auto scaled = [form](int value) { return ScalePixels(form, value, false); };
  width = std::max(scaled(20) + canvas.TextWidth(item.Caption()) + scaled(40), scaled(120));
  height = RoundEven(canvas.TextHeight("X") * kItemHeightFactor);
}

void ToLayout::MenuDrawItem(TMenuItem& item, TCanvas& canvas, TkvForm* form, bool selected,
                            const TRect& rect) {
  SetMenuFont(canvas, form);
  const auto scaled = [form](int value) { return ScalePixels(form, value, false); };
  const TColor highlight = Settings().list_colours[0];
  const TColor grid_highlight = GridColours().GridHighlightColor;
  TColor brush = ToGrafik::FarbeAbstufen(grid_highlight, 70);
  TColor font = common::clBlack;
  if (selected) {
    font = ToGrafik::KontrastFarbe(highlight);
    brush = ToGrafik::FarbeAbstufen(highlight, 30);
  } else if (item.Checked()) {
    brush = ToGrafik::FarbeAbstufen(highlight, 50);
    font = ToGrafik::KontrastFarbe(brush);
  }
  if (!item.Enabled()) font = kGreyText;
  canvas.Brush = {brush, TBrushStyle::bsSolid};
  canvas.Font.SetColor(font);
  canvas.FillRect(rect);
  if (selected) {
    canvas.Pen = {ToGrafik::FarbeAbstufen(highlight, -20), 1};
    canvas.Rectangle(rect);
  } else if (!item.Checked()) {
    // The icon strip ends at a fixed place of the menu: items of later columns have none.
    canvas.Brush.Color = ToGrafik::FarbeAbstufen(grid_highlight, 20);
    canvas.FillRect({rect.Left + scaled(3), rect.Top, scaled(15), rect.Bottom});
    canvas.Brush.Color = brush;
  }
  MenuBitmaps(item, rect, form, canvas);
  const TRect text{rect.Left + scaled(2) + scaled(40), rect.Top + scaled(1), rect.Right - scaled(1),
                   rect.Bottom - scaled(1)};
  canvas.TextRect(text, text.Left + scaled(3), text.Top + CentringOffset(canvas, text),
                  item.Caption());
}

// Both looks put the icon 20 pixels (scaled) into the item. The new look centres it on the
// caption's line; its pictures come from the image list or the picture form's single images.
void ToLayout::MenuBitmaps(TMenuItem& item, const TRect& rect, TkvForm* form, TCanvas& canvas) {
  TFormBildressourcen* pictures = TFormBildressourcen::Instance();
  if (pictures == nullptr) return;
  SetMenuFont(canvas, form);
  const auto scaled = [form](int value) { return ScalePixels(form, value, false); };
  const int index = MenuIconIndex(item.Caption());
  if (index < 0) {
    const Swatch at{{rect.Left + scaled(20), rect.Top + scaled(2), rect.Left + scaled(35),
                     rect.Top + scaled(17)},
                    {rect.Left + scaled(24), rect.Top + scaled(6), rect.Left + scaled(31),
                     rect.Top + scaled(13)}};
    DrawStatusSwatch(canvas, item.Caption(), at);
    return;
  }
  const platform::qt::TImageList* list = pictures->ImageListMenuek();
  const int x = rect.Left + scaled(20);
  if (Settings().layout_variant_switch == 0) {
    if (list != nullptr) list->Draw(canvas, x, rect.Top + scaled(2), index, item.Enabled());
    return;
  }
  const int y = rect.Top + CentringOffset(canvas, rect) + 1;
  if (MenuIconFromImageList(index)) {
    if (list != nullptr) list->Draw(canvas, x, y, index, item.Enabled());
  } else if (platform::qt::TImage* image = pictures->Image(MenuIconImageName(index))) {
    canvas.Draw(x, y, image->Picture());
  }
}

void ToLayout::OwnerDrawMenu(platform::qt::TPopupMenu& menu, TkvForm* form) {
  menu.SetOwnerDraw(Settings().popup_menu_switch == 0);
  TMenuItem& items = *menu.Items();
  for (int i = 0; i < items.Count(); ++i) {
    TMenuItem* item = items.Items(i);
    if (item->IsLine()) continue;  // separators keep the layer's line
    item->OnMeasureItem = [item, form](platform::qt::TComponent*, TCanvas& canvas, int& width,
                                       int& height) {
      MenuMeasureItem(*item, canvas, form, height, width);
    };
    item->OnDrawItem = [item, form](platform::qt::TComponent*, TCanvas& canvas, const TRect& r,
                                    bool selected) {
      MenuDrawItem(*item, canvas, form, selected, r);
    };
  }
}

}  // namespace ui
