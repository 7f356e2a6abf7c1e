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

}  // namespace logbook
