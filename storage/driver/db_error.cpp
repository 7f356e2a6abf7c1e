#include "storage/driver/db_error.h"

#include "storage/driver/driver_errors.h"
#include "storage/driver/operation_stack.h"

namespace storage {
namespace {

std::string Message(int error_class, const std::string& file_name, const std::string& number) {
  return "Datenbankfehler " + std::to_string(error_class) + "(" + number + ") " + file_name;
}

}  // namespace

EDBError::EDBError(int error_class, std::string file_name, const std::string& number_text)
    : std::runtime_error(Message(error_class, file_name, number_text)),
      error_class_(error_class),
      file_name_(std::move(file_name)) {}

EDBError EDBError::FromStack(int error_class, std::string file_name, const DebugStack& stack) {
  const int deepest = stack.DeepestEntry();
  std::string number;
  if (deepest != 0)
    number = std::to_string(DriverErrorNumber(stack.GetEntry(deepest).error_number));
  return EDBError(error_class, std::move(file_name), number);
}

}  // namespace storage
