// EDBError: the exception of a serious database failure.
//
// Raised by the driver when an operation ends with an error class above 2; it travels to the
// caller like any exception. Message: "Datenbankfehler " + class + "(" + shown number of the
// operation stack's deepest entry, empty without one + ") " + file name.
#pragma once

#include <stdexcept>
#include <string>

namespace storage {

class DebugStack;

class EDBError : public std::runtime_error {
 public:
  // number_text is the shown error number as text, or empty.
  EDBError(int error_class, std::string file_name, const std::string& number_text);

  // The message for the stack's deepest entry.
  static EDBError FromStack(int error_class, std::string file_name, const DebugStack& stack);

  int ErrorClass() const { return error_class_; }
  const std::string& FileName() const { return file_name_; }

 private:
  int error_class_;
  std::string file_name_;
};

}  // namespace storage
