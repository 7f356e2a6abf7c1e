// Answers the window system's own dialogs (print and font dialogs) that a test opens, so the
// real dialog ports return without a person.
#pragma once

#include <string>

namespace platform::qt::testkit {

// The next modal dialog of the window system that opens is accepted (OK) or rejected (Cancel)
// as it stands; its window title is stored in `title` when one is given (CP1252).
void AnswerNextSystemDialog(bool accept, std::string* title = nullptr);

}  // namespace platform::qt::testkit
