#include "common/lang_text.h"

namespace common {
namespace {

std::uint8_t& LanguageSlot() {
  static std::uint8_t language = kLanguageGerman;
  return language;
}

}  // namespace

std::uint8_t LanguageByte() { return LanguageSlot(); }
void SetLanguageByte(std::uint8_t value) { LanguageSlot() = value; }

std::string LangText(std::string_view german, std::string_view english) {
  return std::string(LanguageSlot() == kLanguageGerman ? german : english);
}

}  // namespace common
