#include "platform/qt/group_box.h"

#include "platform/qt/colors.h"

namespace platform::qt {

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

void TGroupBox::FontChanged() {
  TCustomControl::FontChanged();
  Realign();
}

void TGroupBox::AdjustClientRect(TRect& r) const {
  TCanvas& c = const_cast<TGroupBox*>(this)->Canvas();
  c.Font = Font();
  r.Top += c.TextHeight("0");
  r = Inflated(r, -2, -2);
}

void TGroupBox::Paint() {
  TCanvas& c = Canvas();
  c.Font = Font();
  const int text_height = c.TextHeight("0");
  TRect frame{0, text_height / 2, Width(), Height()};
  c.DrawEdge(frame, EDGE_ETCHED, BF_RECT);
  if (Text().empty()) return;
  TRect caption{8, 0, 0, text_height};
  c.DrawText(Text(), caption, DT_SINGLELINE | DT_CALCRECT);
  caption = Inflated(caption, 1, 0);  // a pixel of background either side of the text
  c.Brush = {Color(), TBrushStyle::bsSolid};
  c.FillRect(caption);
  c.Brush.Style = TBrushStyle::bsClear;
  caption = Inflated(caption, -1, 0);
  if (!Enabled()) c.Font.SetColor(clGrayText);
  c.DrawText(Text(), caption, DT_SINGLELINE);
}

bool TGroupBox::DialogChar(char key) {
  if (IsAccel(key, Text()) && CanFocus()) {
    if (TWinControl* first = FindNextControl(nullptr, true, true)) {
      first->SetFocus();
      return true;
    }
  }
  return TCustomControl::DialogChar(key);
}

}  // namespace platform::qt
