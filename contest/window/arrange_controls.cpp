#include "contest/window/arrange_controls.h"

#include <vector>

#include "platform/qt/group_box.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/scroll_box.h"
#include "ui/bit_btn.h"
#include "ui/kv_edit.h"
#include "ui/rounding.h"

namespace contest::window {
namespace {

using platform::qt::TControl;

enum class Rule { kLeave, kMove, kMoveAndWiden, kMoveWidenAndRecurse };

// The table's classes in its order, so that a class derived from two rows takes the first.
Rule RuleOf(TControl* control) {
  if (dynamic_cast<ui::TkvEdit*>(control) != nullptr) return Rule::kMoveAndWiden;
  if (dynamic_cast<ui::TkvBitBtn*>(control) != nullptr) return Rule::kMove;
  if (dynamic_cast<platform::qt::TGroupBox*>(control) != nullptr) {
    return Rule::kMoveWidenAndRecurse;
  }
  if (dynamic_cast<platform::qt::TImage*>(control) != nullptr) return Rule::kMove;
  if (dynamic_cast<platform::qt::TPanel*>(control) != nullptr) return Rule::kMoveWidenAndRecurse;
  if (dynamic_cast<platform::qt::TLabel*>(control) != nullptr) return Rule::kMove;
  if (dynamic_cast<platform::qt::TScrollBox*>(control) != nullptr) {
    return Rule::kMoveWidenAndRecurse;
  }
  return Rule::kLeave;
}

int Scaled(int value, double factor) { return ui::RoundEven(value * factor); }

}  // namespace

void ArrangeControls(platform::qt::TWinControl& container, double factor) {
  // A copy: moving a child may realign the container, which must not disturb the walk.
  const std::vector<TControl*> children = container.Controls();
  for (TControl* child : children) {
    const Rule rule = RuleOf(child);
    if (rule == Rule::kLeave) continue;
    const int width = rule == Rule::kMove ? child->Width() : Scaled(child->Width(), factor);
    child->SetBounds(Scaled(child->Left(), factor), child->Top(), width, child->Height());
    if (rule == Rule::kMoveWidenAndRecurse) {
      ArrangeControls(static_cast<platform::qt::TWinControl&>(*child), factor);
    }
  }
}

}  // namespace contest::window
