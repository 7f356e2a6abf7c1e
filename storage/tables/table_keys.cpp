#include "storage/tables/table_keys.h"

namespace storage {
namespace {

constexpr std::size_t kExpressionCapacity = 255;
constexpr std::size_t kInitialRoom = 20;

}  // namespace

ToKeys::ToKeys() { definitions_.reserve(kInitialRoom); }

bool ToKeys::Add(int length, bool duplicates, std::string_view expression) {
  // The count is a byte: a 256th key would wrap it to 0 and lose every definition.
  if (Count() >= kMaxDefinitions) return false;
  KeyDefinition d;
  d.length = length;
  d.duplicates = duplicates ? 1 : 0;
  d.expression = std::string(expression.substr(0, kExpressionCapacity));
  definitions_.push_back(std::move(d));
  return true;
}

bool ToKeys::Get(int i, KeyDefinition& definition) const {
  if (i < 1 || i > Count()) return false;
  definition = definitions_[static_cast<std::size_t>(i - 1)];
  return true;
}

}  // namespace storage
