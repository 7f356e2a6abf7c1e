// A file chooser for tests: answers from a script (a name, or nothing for a cancelled dialog) and
// records every request. An empty script answers "cancelled".
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/file_chooser.h"

namespace common {

class ScriptedFileChooser final : public FileChooser {
 public:
  std::deque<std::optional<std::string>> answers;
  std::vector<FileChooserRequest> requests;

  std::optional<std::string> Choose(const FileChooserRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace common
