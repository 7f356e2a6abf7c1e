// TApplication: the one application object of the process, with the message loop, the list of
// open forms (Screen), messages to forms, help, beep, clipboard and the screen source.
//
// Made once, before any form, by the program's start or the test main(); Application() reaches
// it (aborting when there is none). Everything runs on the one user-interface thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/form.h"
#include "platform/qt/message_box.h"
#include "platform/qt/messages.h"
#include "platform/qt/pictures.h"
#include "platform/qt/screen_source.h"

namespace platform::qt {

namespace impl {
struct ApplicationData;
}

inline constexpr int HELP_CONTEXT = 1;
inline constexpr int HELP_QUIT = 2;
inline constexpr int HELP_INDEX = 3;

class TApplication {
 public:
  // Starts the window system (Qt reads its own options from argc/argv).
  TApplication(int& argc, char** argv);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  std::string Title;     // CP1252
  std::string HelpFile;  // CP1252

  // The program's main window: closing it ends the application. None until set.
  TForm* MainForm() const { return main_form_; }
  void SetMainForm(TForm* form) { main_form_ = form; }
  // Runs messages until Terminate (or the main form closed); afterwards the application is no
  // longer terminated, so that modal forms of the shutdown still show.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message waiting, then returns.
  void ProcessMessages();

  // Open forms in creation order (not freed, not released).
  const std::vector<TForm*>& Forms() const { return forms_; }
  TForm* ActiveForm() const;
  // The control with the keyboard focus, or null.
  TWinControl* FocusedControl() const;

  // Sends the message to every open form now, in creation order (a form freed by an earlier
  // handler is skipped).
  void SendToAllForms(const TMessage& message);
  // Queues the message to the form; it arrives after the caller returned to the message loop,
  // and never when the form is freed first.
  void PostMessage(TForm* form, const TMessage& message);
  // Runs `call` from the message loop, after the current message, as a handler of the form
  // whose handler queued it (handler_scope.h).
  void Queue(std::function<void()> call);

  // The help command: the hook answers whether it handled it. No hook: false.
  std::function<bool(int command, std::intptr_t data)> OnHelp;
  bool HelpCommand(int command, std::intptr_t data);
  bool HelpContext(int context) { return HelpCommand(HELP_CONTEXT, context); }

  // Beep: the hook replaces the sound (tests count); the window system's bell without one.
  std::function<void()> OnBeep;
  void Beep();

  // The clipboard's text, CP1252 (characters without a code become '?').
  std::string ClipboardText() const;
  void SetClipboardText(const std::string& text);

  // The global cursor (crDefault: every control shows its own).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  // The platform's message box through the installed port (the layer's own box unless a test
  // installed another); answers the button pressed (IDOK, IDYES, ...).
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
  // Replaces the port; returns the previous one. Null puts the layer's own box back.
  std::unique_ptr<MessageBoxPort> SetMessageBoxPort(std::unique_ptr<MessageBoxPort> port);

  // The pictures by name (pictures.h), with the layer's own already registered.
  TPictureRegistry& Pictures() { return *pictures_; }

  ScreenSource& Screen() { return *screen_; }
  void SetScreenSource(std::unique_ptr<ScreenSource> source) { screen_ = std::move(source); }

  // Called (from the message loop) each time a form's modal loop starts; the test kit's modal
  // driver answers modal forms through it.
  std::function<void(TForm&)> OnModalStarted;

  // Layer-internal.
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);
  impl::ApplicationData& Data() { return *data_; }

 private:
  std::unique_ptr<impl::ApplicationData> data_;
  std::vector<TForm*> forms_;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  TCursor cursor_ = crDefault;
  std::unique_ptr<ScreenSource> screen_;
  std::unique_ptr<MessageBoxPort> message_box_;
  std::unique_ptr<TPictureRegistry> pictures_;
};

bool ApplicationExists();
TApplication& Application();

}  // namespace platform::qt
