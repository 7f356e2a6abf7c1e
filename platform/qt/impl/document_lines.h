// The lines of a text document as TStrings (layer-internal): what a memo's and a rich edit's
// Lines() answer. A document ending in an empty line does not count that line, as the
// framework's memo does not: it is the line break after the last line. So an empty line that
// becomes the last one gets a line break after it, and Lines() gives back what Assign was given.
#pragma once

#include <QTextDocument>

#include "platform/qt/strings.h"

namespace platform::qt::impl {

class DocumentLines : public TStrings {
 public:
  explicit DocumentLines(QTextDocument& document) : document_(document) {}

  int Count() const override;
  std::string Get(int index) const override;
  void Put(int index, const std::string& line) override;
  void Insert(int index, const std::string& line) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  QTextDocument& document_;
};

}  // namespace platform::qt::impl
