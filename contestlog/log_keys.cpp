// The log window's keys: the form sees every key before the focused field (KeyPreview) and binds
// the function keys, Esc and a few Alt keys whatever field has the focus. The entry fields add
// Enter (entry_cycle.cpp).
#include <cstdint>

#include "contestlog/contest_log_std.h"
#include "platform/qt/keys.h"

namespace contestlog {
namespace {

using platform::qt::TShiftState;
using platform::qt::VK_F1;

// The memory of a function key: F1 is memory 1.
int MemoryOf(std::uint16_t key) { return key - VK_F1 + 1; }

}  // namespace

void TContestLogStd::FormKeyDown(std::uint16_t& key, TShiftState shift) {
  namespace qt = platform::qt;
  const std::uint16_t pressed = key;
  // The key is acted on: it never reaches the focused field.
  const auto swallow = [&key] { key = 0; };
  if (shift == 0) {
    switch (pressed) {
      case qt::VK_ESCAPE:
        if (ActiveControl() == eclustertext) return;  // the cluster line's own
        swallow();
        if (!CloseOpenList()) btnCleara->Click();
        return;
      case qt::VK_F9:
        swallow();
        if (btnNameqtha->Visible()) btnNameqtha->Click();
        return;
      case qt::VK_F1:
      case qt::VK_F2:
        if (KeyerOn) {
          swallow();
          SendCwMemory(MemoryOf(pressed));
        }
        return;
      case qt::VK_F11:
        if (KeyerOn) {
          swallow();
          SendCwMemory(MemoryOf(pressed));
        } else {
          ShowPartyChartOfLog();  // 'P' and '5' only
        }
        return;
      case qt::VK_F4:
      case qt::VK_F5:
      case qt::VK_F6:
      case qt::VK_F7:
      case qt::VK_F8:
        swallow();
        if (KeyerOn) {
          SendCwMemory(MemoryOf(pressed));
          return;
        }
        break;  // as with Alt
      case qt::VK_F10:
        swallow();
        // The Save buttons promise "[F10]".
        if (KeyerOn) {
          SendCwMemory(MemoryOf(pressed));
        } else {
          btnSpeicherna->Click();
        }
        return;
      case qt::VK_F12:
        swallow();
        (KeyerOn ? btnSpeicherna : btnKorrektura)->Click();
        return;
      default:
        return;
    }
  } else if (shift == qt::ssAlt) {
    switch (pressed) {
      case 'Q':
        // Swallowed, so that the caption's "&Q" does not act a second time.
        swallow();
        lQSLsClick(nullptr);
        return;
      case 'W':
      case qt::VK_F12:
        swallow();
        btnKorrektura->Click();
        return;
      case qt::VK_NUMPAD0 + 1:
      case qt::VK_NUMPAD0 + 2:
      case qt::VK_NUMPAD0 + 3: {
        TkvEdit* field = pressed == qt::VK_NUMPAD0 + 1   ? eRSTr2
                         : pressed == qt::VK_NUMPAD0 + 2 ? eRSTr3
                                                         : eRSTr4;
        if (field->Visible()) {
          swallow();  // the digit is not typed into the field
          field->SetFocus();
        }
        return;
      }
      case qt::VK_F11:
        ShowPartyChartOfLog();  // 'P' and '5' only, whatever the keyer
        return;
      case qt::VK_F10:
        // The Save buttons promise "[Alt+F10]".
        swallow();
        btnSpeicherna->Click();
        return;
      case qt::VK_F4:
      case qt::VK_F5:
      case qt::VK_F6:
      case qt::VK_F7:
      case qt::VK_F8:
        // Alt+F4 opens the call search; it does not close the window.
        swallow();
        break;
      default:
        return;
    }
  } else {
    return;  // Ctrl, Shift and mixed modifiers are the fields' own
  }
  // F4 to F8 without the keyer, or with Alt.
  switch (pressed) {
    case qt::VK_F4:
      btnCallsuchea->Click();
      break;
    case qt::VK_F5:
      btnListea->Click();
      break;
    case qt::VK_F6:
      btnNotiza->Click();
      break;
    case qt::VK_F7:
      btnModea->Click();
      break;
    default:
      btnBanda->Click();
      break;
  }
}

void TContestLogStd::SendCwMemory(int /*memory*/) {}

}  // namespace contestlog
