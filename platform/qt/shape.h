// TShape and TBevel: plain figures painted on the parent.
//
// TShape draws its Shape with its Pen and Brush, inside its area (stSquare and stCircle use the
// largest centred square). TBevel draws a lowered or raised box, frame or single line.
#pragma once

#include "platform/qt/canvas.h"
#include "platform/qt/control.h"

namespace platform::qt {

enum class TShapeType : std::uint8_t {
  stRectangle,
  stSquare,
  stRoundRect,
  stRoundSquare,
  stEllipse,
  stCircle
};

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* owner);

  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType shape);
  const TPen& Pen() const { return pen_; }
  void SetPen(const TPen& pen);
  const TBrush& Brush() const { return brush_; }
  void SetBrush(const TBrush& brush);

  void Paint() override;

 private:
  TShapeType shape_ = TShapeType::stRectangle;
  TPen pen_;
  TBrush brush_;
};

enum class TBevelShape : std::uint8_t {
  bsBox,
  bsFrame,
  bsTopLine,
  bsBottomLine,
  bsLeftLine,
  bsRightLine,
  bsSpacer
};
enum class TBevelStyle : std::uint8_t { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);

  void Paint() override;

 private:
  TBevelShape shape_ = TBevelShape::bsBox;
  TBevelStyle style_ = TBevelStyle::bsLowered;
};

}  // namespace platform::qt
