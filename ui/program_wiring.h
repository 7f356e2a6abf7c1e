// The program's windows take over from the console: while a WindowPorts object lives, ToMessages
// shows its calls in the message dialogs, TFileBaseSS asks for file names in the file dialog,
// the file manager's form messages (index-rebuild progress) reach the open forms, and the screen
// scaling has detected its mode (ToWinskal::Initialise).
//
// The program makes it once the application object and its services exist (ToMessages,
// TFileBaseSS, ToDBFkt, the scaling data) and before its first window; it must be destroyed
// before those services. Its destruction puts the console presenter back, removes the chooser
// and the form sink.
#pragma once

#include "ui/form_messages.h"

namespace ui {

class WindowPorts {
 public:
  WindowPorts();
  ~WindowPorts();
  WindowPorts(const WindowPorts&) = delete;
  WindowPorts& operator=(const WindowPorts&) = delete;

 private:
  FormMessages form_messages_;
};

}  // namespace ui
