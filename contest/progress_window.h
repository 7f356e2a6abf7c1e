// ProgressWindow: what the contest rules need of the progress window of a long run on the
// user-interface thread (the recount of a log's multipliers). The window layer's progress
// controller implements it; tests record the steps.
#pragma once

#include <string>

namespace contest {

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  // A maximum above 0 replaces the kept one; a position of 0 or less leaves the bar alone, an
  // empty text the label. `cancelled` tells whether the user asked to stop.
  virtual void Step(const std::string& text, int position, int maximum, bool& cancelled) = 0;
};

}  // namespace contest
