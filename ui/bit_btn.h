// TkvBitBtn: the push button of every window. Its kind (ui/bit_btn_kinds.h) gives caption, modal
// result, the default or cancel role and the picture; beyond that it draws itself flat (a frame
// only while the mouse is over it or it is pressed), optionally with rounded corners, can show
// PNG pictures for the normal, pressed and mouse-over looks, can open a drop-down menu, can look
// deactivated while it still works, and can size itself to its caption.
//
// Kind and caption: a caption set while the form's design loads (inside its LoadingScope) is the
// design's and survives a kind set afterwards; otherwise the kind's caption replaces it. A glyph
// assigned by hand turns the kind into bkCustom.
//
// Clicks: bkHelp opens the help context of the first control from the button up through its
// parents that has one (through the application's help command); bkClose closes its form; any
// other kind with a menu (kvMenue) opens the menu below its lower-left corner when there is no
// OnClick or the press hit the drop-down part (the rightmost 13 pixels); otherwise the button
// clicks as any button (modal result, OnClick).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/qt/button.h"
#include "platform/qt/button_glyph.h"
#include "platform/qt/menus.h"
#include "platform/qt/png_image.h"
#include "ui/bit_btn_glyph.h"
#include "ui/bit_btn_kinds.h"

namespace ui {

enum class TButtonStyle : std::uint8_t { bsAutoDetect, bsWin31, bsNew };

class TkvBitBtn : public platform::qt::TButton {
 public:
  explicit TkvBitBtn(platform::qt::TComponent* owner);
  ~TkvBitBtn() override;

  // bkCustom once a glyph was assigned by hand after the kind.
  TkvBitBtnKind kvKind() const;
  void SetkvKind(TkvBitBtnKind kind);
  // A second kind kept with the button for the controls that make buttons; not used here.
  TkvBitBtnKind kvKindPx5() const { return kind_px5_; }
  void SetkvKindPx5(TkvBitBtnKind kind) { kind_px5_ = kind; }

  const platform::qt::TBitmap& Glyph() const { return glyph_.Glyph(); }
  void SetGlyph(const platform::qt::TBitmap& bitmap);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int count);
  platform::qt::TButtonLayout Layout() const { return layout_; }
  void SetLayout(platform::qt::TButtonLayout layout);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  // -1 centres glyph and caption; values below -1 are ignored.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle style);

  // The drop-down menu; not owned (a menu freed first is forgotten).
  platform::qt::TPopupMenu* kvMenue() const;
  void SetkvMenue(platform::qt::TPopupMenu* menu);

  // Sizes the button to its caption plus n pixels (and the glyph room with the glyph at the
  // left); values below 1 are kept and change nothing.
  int kvautoWidth() const { return auto_width_; }
  void SetkvautoWidth(int n);
  bool kvDeaktiviert() const { return deaktiviert_; }
  void SetkvDeaktiviert(bool on);
  bool kvnichtTransparent() const { return nicht_transparent_; }
  void SetkvnichtTransparent(bool on);
  platform::qt::TColor kvnichtTransparentColor() const { return nicht_transparent_color_; }
  void SetkvnichtTransparentColor(platform::qt::TColor colour);
  platform::qt::TColor kvnichtTransparentRahmenColor() const { return rahmen_color_; }
  void SetkvnichtTransparentRahmenColor(platform::qt::TColor colour);
  bool kvnichtFlat() const { return nicht_flat_; }
  void SetkvnichtFlat(bool on);
  bool kvFlatround() const { return flat_round_; }
  void SetkvFlatround(bool on);

  // The PNG pictures shown instead of the glyph: normal, pressed, mouse over, and the dimmed
  // copy of the normal one that a disabled button shows.
  const platform::qt::TPngImage& ImageNormal() const { return image_normal_; }
  void SetImageNormal(const platform::qt::TPngImage& image);
  const platform::qt::TPngImage& ImageDown() const { return image_down_; }
  void SetImageDown(const platform::qt::TPngImage& image);
  const platform::qt::TPngImage& ImageOver() const { return image_over_; }
  void SetImageOver(const platform::qt::TPngImage& image);
  const platform::qt::TPngImage& DimmedImage() const { return image_dimmed_; }

  // Kept for the form designs.
  bool ParentDoubleBuffered() const { return parent_double_buffered_; }
  void SetParentDoubleBuffered(bool on) { parent_double_buffered_ = on; }
  bool DoubleBuffered() const { return double_buffered_; }
  void SetDoubleBuffered(bool on) { double_buffered_ = on; }

  // The mouse is inside (hot) / over the enabled button; the caption's width at the last paint.
  bool Hot() const { return hot_; }
  bool MouseOver() const { return mouse_over_; }
  int CaptionWidth() const { return caption_width_; }

  bool OwnerDraw() const override { return true; }
  void Paint() override;
  void Click() override;
  void MouseDown(platform::qt::TMouseButton button, platform::qt::TShiftState shift, int x,
                 int y) override;
  void MouseMove(platform::qt::TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void DoEnter() override;
  void DoExit() override;

 protected:
  void EnabledChanged() override;

 private:
  struct Look;  // what one paint draws, worked out first (bit_btn_paint.cpp)

  bool HelpClick();
  bool PopupMenuNow();
  void RebuildDimmedImage();
  bool HasDropDownPart() const { return kvMenue() != nullptr && static_cast<bool>(OnClick); }
  // Drawing (bit_btn_paint.cpp).
  void PaintFace(const Look& look);
  void PaintFrame(const Look& look);
  void PaintArrow(const Look& look, const platform::qt::TRect& part, bool centred);
  void PaintContent(const Look& look);
  const platform::qt::TPngImage* PictureFor(const Look& look) const;

  TkvButtonGlyph glyph_;
  TButtonStyle style_ = TButtonStyle::bsAutoDetect;
  TkvBitBtnKind kind_ = TkvBitBtnKind::bkCustom;
  TkvBitBtnKind kind_px5_ = TkvBitBtnKind::bkCustom;
  platform::qt::TButtonLayout layout_ = platform::qt::TButtonLayout::blGlyphLeft;
  int spacing_ = 4;
  int margin_ = -1;
  bool glyph_modified_ = false;
  bool hot_ = false;
  platform::qt::TPopupMenu* menu_ = nullptr;
  std::weak_ptr<const bool> menu_alive_;
  bool menu_click_ = false;
  bool edge_drawn_ = false;
  int auto_width_ = 0;
  int caption_width_ = 0;
  bool deaktiviert_ = false;
  bool nicht_transparent_ = false;
  platform::qt::TColor rahmen_color_ = 0;
  platform::qt::TColor nicht_transparent_color_ = 0;
  bool nicht_flat_ = false;
  bool flat_round_ = false;
  platform::qt::TPngImage image_down_;
  platform::qt::TPngImage image_normal_;
  platform::qt::TPngImage image_dimmed_;
  platform::qt::TPngImage image_over_;
  bool mouse_over_ = false;
  bool parent_double_buffered_ = false;
  bool double_buffered_ = true;
  platform::qt::TColor round_color_ = 0xAADFFF;
};

// The copy of a picture a disabled button shows: red, green and blue of every pixel divided by
// three, alpha kept.
platform::qt::TPngImage DimmedCopy(const platform::qt::TPngImage& image);

}  // namespace ui
