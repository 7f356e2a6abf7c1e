// A DXCC selection window for tests: answers from a script (a candidate number, 0 for a cancel)
// and records every request. An empty script cancels. The window "moves" to the position given.
#pragma once

#include <deque>
#include <vector>

#include "logbook/reference/dxcc_selection.h"

namespace logbook {

class ScriptedDxccSelection final : public DxccSelectionPort {
 public:
  std::deque<int> answers;
  std::vector<DxccSelectionRequest> requests;
  int left = 0;  // where the window is when it closes
  int top = 0;

  DxccSelectionAnswer Choose(const DxccSelectionRequest& request) override {
    requests.push_back(request);
    DxccSelectionAnswer answer{0, left, top};
    if (!answers.empty()) {
      answer.chosen = answers.front();
      answers.pop_front();
    }
    return answer;
  }
};

// A window position kept in memory, as the current project keeps it.
class MemoryWindowPlace final : public SelectionWindowPlace {
 public:
  int left = 0;
  int top = 0;
  int stores = 0;

  bool Load(int& l, int& t) override {
    l = left;
    t = top;
    return left > 0;
  }
  void Store(int l, int t) override {
    left = l;
    top = t;
    ++stores;
  }
};

}  // namespace logbook
