// Where the DXCC selection window stands: kept in the current project, so it opens where the
// user left it. The selection reads the position before it shows its window and stores the
// window's position after the window closed.
#pragma once

#include <cstdint>
#include <optional>

#include "logbook/reference/dxcc_selection.h"

namespace logbook {

struct WindowPosition {
  std::int32_t left = 0;
  std::int32_t top = 0;
};

// The stored position of the current project (ToProjecte::ProjectDb), when one is set (left
// above 0); nothing otherwise. Needs common::Service<ToProjecte>.
std::optional<WindowPosition> StoredSelectionPosition();

// Stores the position in the current project and updates the project record; false when the
// record could not be written.
bool StoreSelectionPosition(WindowPosition position);

// The DXCC selection's window place (ToDatPrefix::SetWindowPlace) kept in the current project.
class ProjectWindowPlace final : public SelectionWindowPlace {
 public:
  bool Load(int& left, int& top) override;
  void Store(int left, int top) override;
};

}  // namespace logbook
