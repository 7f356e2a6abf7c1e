#include "common/adif_field.h"

#include "common/string_helpers.h"

namespace common {

std::string AdifField(std::string_view name, std::string_view value, std::string_view type) {
  const std::string trimmed = Trim(value);
  std::string field = "<";
  field.append(name).append(":").append(std::to_string(trimmed.size()));
  if (!type.empty()) field.append(":").append(type);
  return field.append(">").append(trimmed).append(" ");
}

}  // namespace common
