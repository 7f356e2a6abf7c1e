// The choice between the German and the English text of a message.
//
// One process-wide language byte: 1 is German, any other value English. It is 1 from the start
// and the program keeps it there (the settings load puts any value of 2 or more back to 1).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

constexpr std::uint8_t kLanguageGerman = 1;

std::uint8_t LanguageByte();
void SetLanguageByte(std::uint8_t value);

// The German text when the language byte is 1, else the English one.
std::string LangText(std::string_view german, std::string_view english);

}  // namespace common
