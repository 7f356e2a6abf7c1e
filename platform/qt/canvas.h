// TCanvas: drawing on a control, an off-screen TBitmap, or (later) a printer page.
//
// The framework's pixel conventions hold exactly, and tests check them by pixel:
// - A rectangle's Right and Bottom are exclusive: FillRect(0, 0, 10, 10) colours 100 pixels.
// - Rectangle, Ellipse and RoundRect fill with the brush and draw the pen inside the rectangle:
//   Rectangle(0, 0, 10, 10) with a 1-pixel pen outlines x 0..9 and y 0..9.
// - LineTo draws from the pen position up to, not including, the end point, and moves the pen
//   there; Polyline likewise leaves out its last point, Polygon closes its outline.
// - Text is placed by the top-left corner of its cell; with a solid brush its background is
//   filled with the brush colour, with bsClear it is not.
// - Nothing is antialiased: shapes and text have hard edges, so every pixel has one of the
//   colours drawn.
// Texts are Windows-1252. Colours go through ColorToRGB (system colours resolved).
//
// A control's canvas draws only while the control paints (Paint, OnPaint); outside that it
// measures text but its drawing is lost. A bitmap's canvas draws at any time.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/qt/font.h"
#include "platform/qt/types.h"

namespace platform::qt {

namespace impl {
struct CanvasTarget;
}

class TBitmap;

enum class TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
// pmNot inverts what lies below, pmXor combines it with the pen colour, pmNotXor inverts that.
enum class TPenMode : std::uint8_t { pmCopy, pmNot, pmXor, pmNotXor };
enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TPen {
  TColor Color = 0x000000;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
  TColor Color = 0xFFFFFF;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

// DrawText flags.
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;  // with DT_SINGLELINE
inline constexpr unsigned DT_BOTTOM = 0x8;   // with DT_SINGLELINE
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// DrawEdge: edge kinds and the sides drawn.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr unsigned BF_LEFT = 0x1;
inline constexpr unsigned BF_TOP = 0x2;
inline constexpr unsigned BF_RIGHT = 0x4;
inline constexpr unsigned BF_BOTTOM = 0x8;
inline constexpr unsigned BF_RECT = 0xF;
inline constexpr unsigned BF_MIDDLE = 0x800;   // fill the inside with the button face
inline constexpr unsigned BF_FLAT = 0x4000;    // one shadow-coloured line per edge
inline constexpr unsigned BF_ADJUST = 0x2000;  // shrink the rectangle by what was drawn

class TCanvas {
 public:
  TCanvas();
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TPoint PenPos;

  // Fills with the brush (nothing with bsClear); no pen.
  void FillRect(const TRect& r);
  // A one-pixel frame in the brush colour.
  void FrameRect(const TRect& r);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // Corners rounded by an ellipse of width w and height h.
  void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Polygon(std::span<const TPoint> points);
  void Polyline(std::span<const TPoint> points);
  void MoveTo(int x, int y) { PenPos = {x, y}; }
  void LineTo(int x, int y);

  void TextOut(int x, int y, std::string_view text);
  // Text at (x, y), clipped to r; with a solid brush r is filled first.
  void TextRect(const TRect& r, int x, int y, std::string_view text);
  int TextWidth(std::string_view text);
  int TextHeight(std::string_view text);
  TPoint TextExtent(std::string_view text) { return {TextWidth(text), TextHeight(text)}; }
  // Text laid out in r by the DT_ flags: lines break at CR, LF and CR LF, with DT_WORDBREAK also
  // between words that would pass r's right edge; "&" underlines the next character ("&&" is
  // "&") unless DT_NOPREFIX. DT_CALCRECT draws nothing and sets r's Right and Bottom to what the
  // text needs. Answers the height of the text. The brush fills only behind the text.
  int DrawText(std::string_view text, TRect& r, unsigned flags);

  // Draws the bitmap with its top-left at (x, y); pixels of a Transparent bitmap's transparent
  // colour are left out.
  void Draw(int x, int y, const TBitmap& bitmap);
  // The bitmap scaled to r (nearest pixel).
  void StretchDraw(const TRect& r, const TBitmap& bitmap);
  // A part of another canvas copied (and scaled) into dest.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& source_rect);
  // A part of the bitmap copied into dest, its pixels of `colour` replaced by the brush (left
  // out with bsClear).
  void BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& source, TColor colour);
  // The three-dimensional edges of the platform: outer ring first, then the inner one.
  // Raised outer: 3-D light top and left, dark shadow bottom and right; raised inner: highlight
  // and shadow; the sunken kinds swap the two colours. Answers false for an empty rectangle.
  bool DrawEdge(TRect& r, unsigned edge, unsigned flags);
  // The dotted focus frame, drawn by inverting every other pixel (drawing it twice removes it).
  void DrawFocusRect(const TRect& r);

  // The colour of a pixel (clNone outside the target or on a canvas that is not drawing).
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor colour);

  // The area drawing reaches, in the canvas's coordinates.
  TRect ClipRect() const;
  // True while the canvas draws onto something (a bitmap always, a control while it paints).
  bool IsDrawing() const;

  impl::CanvasTarget& Target() { return *target_; }

 private:
  std::unique_ptr<impl::CanvasTarget> target_;
};

// Frame3D: `width` rings, each with its top and left edge in `top` and its right and bottom
// edge in `bottom` (the top-right and bottom-left corner pixels in `bottom`); r shrinks by
// `width` on every side.
void Frame3D(TCanvas& canvas, TRect& r, TColor top, TColor bottom, int width);

}  // namespace platform::qt
