// Window messages between the system's parts: a number, two parameters and a result. Messages
// that carry a text address on the platform carry the text itself here (CP1252).
#pragma once

#include <cstdint>
#include <string>

namespace platform::qt {

inline constexpr std::uint32_t WM_USER = 0x0400;

struct TMessage {
  std::uint32_t Msg = 0;
  std::uint32_t WParam = 0;
  std::int32_t LParam = 0;
  std::int32_t Result = 0;
  std::string Text{};
};

}  // namespace platform::qt
