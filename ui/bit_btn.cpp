#include "ui/bit_btn.h"

#include <utility>

#include "platform/qt/application.h"
#include "platform/qt/form.h"
#include "ui/kind_pictures.h"

namespace ui {

using platform::qt::TComponent;
using platform::qt::TMouseButton;
using platform::qt::TShiftState;

namespace {

// The width a drop-down part takes from the right of a button whose OnClick is assigned.
constexpr int kMenuPressWidth = 13;

}  // namespace

TkvBitBtn::TkvBitBtn(TComponent* owner) : TButton(owner) {
  glyph_.OnChange = [this] { Invalidate(); };
  SetHeight(35);
}

TkvBitBtn::~TkvBitBtn() { glyph_.OnChange = nullptr; }

TkvBitBtnKind TkvBitBtn::kvKind() const {
  return glyph_modified_ ? TkvBitBtnKind::bkCustom : kind_;
}

void TkvBitBtn::SetkvKind(TkvBitBtnKind kind) {
  if (kind == kind_) return;
  if (kind != TkvBitBtnKind::bkCustom) {
    SetDefault(kind == TkvBitBtnKind::bkOK || kind == TkvBitBtnKind::bkYes ||
               kind == TkvBitBtnKind::bkUebernahme);
    SetCancel(kind == TkvBitBtnKind::bkCancel || kind == TkvBitBtnKind::bkNo);
  }
  const TkvBitBtnKindInfo info = KindInfo(kind);
  const bool design_caption = IsLoading() && !Caption().empty();
  if (info.caption_id != 0 && !design_caption) SetCaption(ButtonString(info.caption_id));
  if (kind_px5_ == TkvBitBtnKind::bkCustom) kind_px5_ = kind;
  SetModalResult(info.modal_result);
  glyph_.SetGlyph(KindBitmap(kind));
  glyph_.SetNumGlyphs(2);
  glyph_modified_ = false;
  kind_ = kind;
  Invalidate();
}

void TkvBitBtn::SetGlyph(const platform::qt::TBitmap& bitmap) {
  glyph_.SetGlyph(std::make_shared<const platform::qt::TBitmap>(bitmap));
  glyph_modified_ = true;
}

void TkvBitBtn::SetNumGlyphs(int count) { glyph_.SetNumGlyphs(count); }

void TkvBitBtn::SetLayout(platform::qt::TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TkvBitBtn::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

void TkvBitBtn::SetMargin(int margin) {
  if (margin < -1) return;
  margin_ = margin;
  Invalidate();
}

void TkvBitBtn::SetStyle(TButtonStyle style) {
  style_ = style;
  Invalidate();
}

platform::qt::TPopupMenu* TkvBitBtn::kvMenue() const {
  return menu_alive_.expired() ? nullptr : menu_;
}

void TkvBitBtn::SetkvMenue(platform::qt::TPopupMenu* menu) {
  menu_ = menu;
  menu_alive_ = menu != nullptr ? menu->AliveToken() : std::weak_ptr<const bool>();
  Invalidate();
}

void TkvBitBtn::SetkvautoWidth(int n) {
  auto_width_ = n;
  // Values below 1 switch the sizing off; they leave the width as it is.
  if (n < 1) return;
  int width = 0;
  if (caption_width_ > 1) {
    width = caption_width_ + n;
  } else {
    TComponent* owner = Owner();
    auto* form = dynamic_cast<platform::qt::TForm*>(owner);
    if (form == nullptr && owner != nullptr) {
      form = dynamic_cast<platform::qt::TForm*>(owner->Owner());
    }
    if (form == nullptr) return;
    form->Canvas().Font = Font();
    width = form->Canvas().TextWidth(Caption()) + n;
  }
  if (layout_ == platform::qt::TButtonLayout::blGlyphLeft) width += 24 + spacing_;
  if (width != Width()) {
    SetWidth(width);
    Invalidate();
  }
}

void TkvBitBtn::SetkvDeaktiviert(bool on) {
  deaktiviert_ = on;
  Invalidate();
}

void TkvBitBtn::SetkvnichtTransparent(bool on) {
  nicht_transparent_ = on;
  Invalidate();
}

void TkvBitBtn::SetkvnichtTransparentColor(platform::qt::TColor colour) {
  nicht_transparent_color_ = colour;
  Invalidate();
}

void TkvBitBtn::SetkvnichtTransparentRahmenColor(platform::qt::TColor colour) {
  rahmen_color_ = colour;
  Invalidate();
}

void TkvBitBtn::SetkvnichtFlat(bool on) {
  nicht_flat_ = on;
  Invalidate();
}

void TkvBitBtn::SetkvFlatround(bool on) {
  flat_round_ = on;
  Invalidate();
}

void TkvBitBtn::SetImageNormal(const platform::qt::TPngImage& image) {
  image_normal_ = image;
  RebuildDimmedImage();
  Invalidate();
}

void TkvBitBtn::SetImageDown(const platform::qt::TPngImage& image) {
  image_down_ = image;
  Invalidate();
}

void TkvBitBtn::SetImageOver(const platform::qt::TPngImage& image) {
  image_over_ = image;
  Invalidate();
}

void TkvBitBtn::RebuildDimmedImage() { image_dimmed_ = DimmedCopy(image_normal_); }

void TkvBitBtn::Click() {
  const TkvBitBtnKind kind = kvKind();
  if (kind == TkvBitBtnKind::bkHelp) {
    if (HelpClick()) return;
  } else if (kind == TkvBitBtnKind::bkClose) {
    if (platform::qt::TForm* form = ParentForm()) {
      form->Close();
      return;
    }
  } else if (kvMenue() != nullptr && (menu_click_ || !OnClick)) {
    if (PopupMenuNow()) return;
  }
  TButton::Click();
}

bool TkvBitBtn::HelpClick() {
  for (platform::qt::TControl* c = this; c != nullptr; c = c->Parent()) {
    if (c->HelpContext() != 0) {
      platform::qt::Application().HelpContext(c->HelpContext());
      return true;
    }
  }
  return false;
}

bool TkvBitBtn::PopupMenuNow() {
  platform::qt::TPopupMenu* menu = kvMenue();
  // The press that opened the menu comes up as a click of its own: the menu is open already.
  if (menu->IsShowing()) return true;
  const platform::qt::TPoint at = ClientToScreen({0, Height()});
  menu->Popup(at.X, at.Y);
  return true;
}

void TkvBitBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  menu_click_ = false;
  if (button == TMouseButton::mbLeft && kvMenue() != nullptr) {
    menu_click_ = !OnClick || (x > Width() - kMenuPressWidth && x < Width());
  }
  const auto alive = AliveToken();
  TButton::MouseDown(button, shift, x, y);
  if (!alive.expired() && menu_click_) Click();
}

void TkvBitBtn::MouseMove(TShiftState shift, int x, int y) {
  TButton::MouseMove(shift, x, y);
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (inside && !Pressed() && !mouse_over_) {
    mouse_over_ = true;
    Invalidate();
  }
}

void TkvBitBtn::MouseEnter() {
  hot_ = true;
  Invalidate();
  if (!Enabled()) return;
  const auto alive = AliveToken();
  TButton::MouseEnter();
  if (alive.expired()) return;
  mouse_over_ = true;
  Invalidate();
}

void TkvBitBtn::MouseLeave() {
  hot_ = false;
  // The frame of a flat button goes with the mouse.
  edge_drawn_ = false;
  Invalidate();
  if (!Enabled()) return;
  const auto alive = AliveToken();
  TButton::MouseLeave();
  if (alive.expired()) return;
  mouse_over_ = false;
  Invalidate();
}

void TkvBitBtn::DoEnter() {
  TButton::DoEnter();
  Invalidate();
}

void TkvBitBtn::DoExit() {
  TButton::DoExit();
  Invalidate();
}

void TkvBitBtn::EnabledChanged() {
  TButton::EnabledChanged();
  if (!Enabled()) RebuildDimmedImage();
  Invalidate();
}

platform::qt::TPngImage DimmedCopy(const platform::qt::TPngImage& image) {
  platform::qt::TPngImage dimmed = image;
  for (int y = 0; y < dimmed.Height(); ++y) {
    for (int x = 0; x < dimmed.Width(); ++x) {
      const platform::qt::TColor c = dimmed.Pixel(x, y);
      dimmed.SetPixel(x, y,
                      common::RGB(common::GetRValue(c) / 3, common::GetGValue(c) / 3,
                                  common::GetBValue(c) / 3),
                      dimmed.Alpha(x, y));
    }
  }
  return dimmed;
}

}  // namespace ui
