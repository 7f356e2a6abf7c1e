#include "platform/qt/impl/control_char_filter.h"

#include <QValidator>
#include <algorithm>

namespace platform::qt::impl {
namespace {

bool IsControl(QChar c) { return c.category() == QChar::Other_Control; }

// Qt's line edit asks its validator after every change, typed, pasted, dropped or set, with the
// cursor behind the inserted text. The field held no control character before, so the first one
// lies inside the insertion: from there up to the cursor it goes. The validator always answers
// Acceptable, so that Enter and the edit's signals behave as without it.
class ControlCharFilter : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    const auto first = std::find_if(input.cbegin(), input.cend(), IsControl);
    if (first == input.cend()) return Acceptable;
    const int from = static_cast<int>(first - input.cbegin());
    if (pos > from) {
      input.remove(from, pos - from);
      pos = from;
    }
    // A control character the cursor did not pass (never by the roads above) is dropped alone.
    input.removeIf(IsControl);
    pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
  }
};

}  // namespace

void RefuseControlCharacters(QLineEdit& edit) { edit.setValidator(new ControlCharFilter(&edit)); }

}  // namespace platform::qt::impl
