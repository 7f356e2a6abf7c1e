// Virtual-key codes as the framework reports them in OnKeyDown and OnKeyUp. Letters and digits
// are their upper-case character codes ('A' = 65, '0' = 48); characters reach OnKeyPress as
// Windows-1252 bytes.
#pragma once

#include <cstdint>

namespace platform::qt {

inline constexpr std::uint16_t VK_BACK = 0x08;
inline constexpr std::uint16_t VK_TAB = 0x09;
inline constexpr std::uint16_t VK_RETURN = 0x0D;
inline constexpr std::uint16_t VK_SHIFT = 0x10;
inline constexpr std::uint16_t VK_CONTROL = 0x11;
inline constexpr std::uint16_t VK_MENU = 0x12;  // Alt
inline constexpr std::uint16_t VK_PAUSE = 0x13;
inline constexpr std::uint16_t VK_CAPITAL = 0x14;
inline constexpr std::uint16_t VK_ESCAPE = 0x1B;
inline constexpr std::uint16_t VK_SPACE = 0x20;
inline constexpr std::uint16_t VK_PRIOR = 0x21;  // page up
inline constexpr std::uint16_t VK_NEXT = 0x22;   // page down
inline constexpr std::uint16_t VK_END = 0x23;
inline constexpr std::uint16_t VK_HOME = 0x24;
inline constexpr std::uint16_t VK_LEFT = 0x25;
inline constexpr std::uint16_t VK_UP = 0x26;
inline constexpr std::uint16_t VK_RIGHT = 0x27;
inline constexpr std::uint16_t VK_DOWN = 0x28;
inline constexpr std::uint16_t VK_INSERT = 0x2D;
inline constexpr std::uint16_t VK_DELETE = 0x2E;
inline constexpr std::uint16_t VK_NUMPAD0 = 0x60;  // to VK_NUMPAD9 = 0x69
inline constexpr std::uint16_t VK_MULTIPLY = 0x6A;
inline constexpr std::uint16_t VK_ADD = 0x6B;
inline constexpr std::uint16_t VK_SUBTRACT = 0x6D;
inline constexpr std::uint16_t VK_DECIMAL = 0x6E;
inline constexpr std::uint16_t VK_DIVIDE = 0x6F;
inline constexpr std::uint16_t VK_F1 = 0x70;  // VK_F1 + n - 1 for Fn
inline constexpr std::uint16_t VK_F2 = 0x71;
inline constexpr std::uint16_t VK_F3 = 0x72;
inline constexpr std::uint16_t VK_F4 = 0x73;
inline constexpr std::uint16_t VK_F5 = 0x74;
inline constexpr std::uint16_t VK_F6 = 0x75;
inline constexpr std::uint16_t VK_F7 = 0x76;
inline constexpr std::uint16_t VK_F8 = 0x77;
inline constexpr std::uint16_t VK_F9 = 0x78;
inline constexpr std::uint16_t VK_F10 = 0x79;
inline constexpr std::uint16_t VK_F11 = 0x7A;
inline constexpr std::uint16_t VK_F12 = 0x7B;
inline constexpr std::uint16_t VK_NUMLOCK = 0x90;
inline constexpr std::uint16_t VK_SCROLL = 0x91;
inline constexpr std::uint16_t VK_OEM_1 = 0xBA;       // ; and :
inline constexpr std::uint16_t VK_OEM_PLUS = 0xBB;    // = and +
inline constexpr std::uint16_t VK_OEM_COMMA = 0xBC;   // , and <
inline constexpr std::uint16_t VK_OEM_MINUS = 0xBD;   // - and _
inline constexpr std::uint16_t VK_OEM_PERIOD = 0xBE;  // . and >
inline constexpr std::uint16_t VK_OEM_2 = 0xBF;       // / and ?
inline constexpr std::uint16_t VK_OEM_3 = 0xC0;       // ` and ~
inline constexpr std::uint16_t VK_OEM_4 = 0xDB;       // [ and {
inline constexpr std::uint16_t VK_OEM_5 = 0xDC;       // \ and |
inline constexpr std::uint16_t VK_OEM_6 = 0xDD;       // ] and }
inline constexpr std::uint16_t VK_OEM_7 = 0xDE;       // ' and "

}  // namespace platform::qt
