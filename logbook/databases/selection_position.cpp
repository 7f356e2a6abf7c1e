#include "logbook/databases/selection_position.h"

#include "common/service.h"
#include "logbook/databases/projecte.h"

namespace logbook {

std::optional<WindowPosition> StoredSelectionPosition() {
  const TdbProject& project = common::Service<ToProjecte>::Get().ProjectDb();
  if (project.GetSelValue1() <= 0) return std::nullopt;
  return WindowPosition{project.GetSelValue1(), project.GetSelValue2()};
}

bool StoreSelectionPosition(WindowPosition position) {
  TdbProject& project = common::Service<ToProjecte>::Get().ProjectDb();
  project.SetSelValue1(position.left);
  project.SetSelValue2(position.top);
  return project.Update();
}

bool ProjectWindowPlace::Load(int& left, int& top) {
  const std::optional<WindowPosition> stored = StoredSelectionPosition();
  if (!stored) return false;
  left = stored->left;
  top = stored->top;
  return true;
}

void ProjectWindowPlace::Store(int left, int top) { StoreSelectionPosition({left, top}); }

}  // namespace logbook
