#include "ui/separator_line.h"

#include "platform/qt/colors.h"
#include "platform/qt/group_box.h"
#include "platform/qt/panel.h"

namespace ui {

using platform::qt::TControl;

namespace {

constexpr platform::qt::TColor kLineColour = 0x02EFEFEF;
constexpr platform::qt::TColor kLineOnWhite = 0xC0C0C0;

bool OnWhite(const TControl& line) {
  const platform::qt::TWinControl* parent = line.Parent();
  const bool container = dynamic_cast<const platform::qt::TPanel*>(parent) != nullptr ||
                         dynamic_cast<const platform::qt::TGroupBox*>(parent) != nullptr;
  return container && parent->Color() == platform::qt::clWhite;
}

}  // namespace

TSAPLinie::TSAPLinie(platform::qt::TComponent* owner) : TShape(owner) {
  SetText("");
  SetShape(platform::qt::TShapeType::stRectangle);
  SetBrush({platform::qt::clWhite, platform::qt::TBrushStyle::bsClear});
  platform::qt::TPen pen;
  pen.Color = kLineColour;
  SetPen(pen);
  SetHeight(1);
  SetVisible(true);
}

TControl* TSAPLinie::OwnerLeft() const { return left_.Get(); }
TControl* TSAPLinie::OwnerRight() const { return right_.Get(); }

void TSAPLinie::SetOwnerLeft(TControl* control) {
  left_ = {control, control != nullptr ? control->AliveToken() : std::weak_ptr<const bool>()};
  Update();
}

void TSAPLinie::SetOwnerRight(TControl* control) {
  right_ = {control, control != nullptr ? control->AliveToken() : std::weak_ptr<const bool>()};
  Update();
}

void TSAPLinie::Update() {
  Follow();
  TShape::Update();
}

void TSAPLinie::Follow() {
  platform::qt::TPen pen = Pen();
  pen.Color = OnWhite(*this) ? kLineOnWhite : kLineColour;
  if (pen.Color != Pen().Color) SetPen(pen);
  SetHeight(1);
  TControl* left = left_.Get();
  TControl* right = right_.Get();
  if (left != nullptr && right != nullptr) {
    const int label_top = right->Top() + (right->Height() - left->Height()) / 2;
    if (left->Top() != label_top) left->SetTop(label_top);
    const int top = right->Top() + right->Height() - 1;
    const int width = right->Left() + right->Width() - left->Left();
    if (Top() != top || Left() != left->Left() || Width() != width) {
      SetBounds(left->Left(), top, width, 1);
    }
  } else if (left != nullptr) {
    SetBounds(left->Left(), Top(), left->Width() + 10, 1);
  } else if (right != nullptr) {
    SetBounds(right->Left() - 10, right->Top() + right->Height() - 1, right->Width() + 10, 1);
  }
}

}  // namespace ui
