// The platform's message box (text, caption, buttons and icon in; the button pressed out) behind
// a port, so that tests script it (scripted_message_box.h).
//
// Application().MessageBox shows a box through the installed port; the layer's own port shows
// a modal form: the icon and the text (lines break at CR and LF and between words; "&" is
// shown as it is) on white, the buttons centred below, the default button focused. Enter
// presses the default button; Esc and the window's close box press Cancel, or OK in a box with
// only OK. A box without Cancel that is closed anyway answers IDCANCEL. Keys typed ahead do not
// answer it (TForm::SetIgnoresKeysTypedAhead).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform::qt {

// Buttons (the low four bits), icon and default button of a box.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_DEFBUTTON1 = 0x0;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;

// The buttons' answers (the same numbers as the modal results).
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxCall {
  std::string text;     // CP1252
  std::string caption;  // CP1252; empty: the application's title
  unsigned flags = MB_OK;
  friend bool operator==(const MessageBoxCall&, const MessageBoxCall&) = default;
};

// The answers of the buttons the flags ask for, left to right (an unknown button set gives OK).
std::vector<int> MessageBoxButtons(unsigned flags);
// The answer of the default button (MB_DEFBUTTONn; the first button when there is no n-th).
int MessageBoxDefault(unsigned flags);
// The picture name of the box's icon (system_pictures.h), empty for none.
std::string MessageBoxIcon(unsigned flags);
// The caption of a button ("OK", "Abbrechen", "&Ja", ...).
std::string MessageBoxButtonCaption(int answer);

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  // Shows the box modally; the answer of the button pressed.
  virtual int Show(const MessageBoxCall& call) = 0;
};

// The layer's own box, a modal form.
class FormMessageBox : public MessageBoxPort {
 public:
  int Show(const MessageBoxCall& call) override;
};

}  // namespace platform::qt
