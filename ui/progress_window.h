// The progress window of long runs on the user-interface thread (the recount of a contest log,
// the renumbering of its QSOs): a small topmost window with a text, a bar, optionally a cancel
// button and a picture area. The caller talks only to the controller: create, Show, Step, free.
//
// A step with a maximum above 0 keeps it as the new maximum; the bar takes it with the next
// positive position (after that position, which is held within the old maximum first). A step
// with position 0 or less leaves the bar alone; an empty text leaves the label. Only a
// cancellable window lets pending window messages through between steps.
//
// The window belongs to the controller: a close by the window system is refused while the
// controller holds it, and the controller frees it (unless its owner form freed it first).
// "Modal" disables the application's other windows while the window shows, and Show returns
// at once so that the run can step it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/button.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/progress_bar.h"
#include "ui/kv_form.h"

namespace ui {

class TFortschrittWinCtrl;

class TFortschrittWinForm final : public TkvForm {
 public:
  // Owned by `owner` (may be null: then the controller alone frees it).
  TFortschrittWinForm(platform::qt::TComponent* owner, TFortschrittWinCtrl* controller);

  void Setup(const std::string& title, const std::string& text, int maximum, bool cancellable,
             bool with_picture);
  void Progress(const std::string& text, int position, bool& cancelled, int maximum);
  // The controller lets go: the window may be closed like any other.
  void ReleaseController() { controller_ = nullptr; }
  bool CancelFlag() const { return cancel_; }

  platform::qt::TProgressBar* fortschritt;
  platform::qt::TLabel* lfortschritt;
  platform::qt::TButton* Button1;
  platform::qt::TImage* Image1;
  platform::qt::TLabel* Label1;

 private:
  TFortschrittWinCtrl* controller_;
  bool cancel_ = false;
  bool with_picture_ = false;
};

class TFortschrittWinCtrl {
 public:
  TFortschrittWinCtrl(platform::qt::TComponent* owner, std::string title, std::string text,
                      int maximum, bool cancellable, bool modal, bool with_picture);
  ~TFortschrittWinCtrl();
  TFortschrittWinCtrl(const TFortschrittWinCtrl&) = delete;
  TFortschrittWinCtrl& operator=(const TFortschrittWinCtrl&) = delete;

  // Makes the window, sets it up and shows it; true.
  bool Show();
  void Step(const std::string& text, int position, int maximum, bool& cancelled);
  // The window while it exists, else null.
  TFortschrittWinForm* Window() const;
  int Maximum() const { return maximum_; }

 private:
  void EnableOtherWindows();

  platform::qt::TComponent* owner_;
  std::string title_;
  std::string text_;
  int maximum_;
  bool cancellable_;
  bool modal_;
  bool with_picture_;
  TFortschrittWinForm* window_ = nullptr;
  std::weak_ptr<const bool> window_alive_;
  // The windows a modal progress window disabled, to be enabled again.
  std::vector<std::pair<platform::qt::TForm*, std::weak_ptr<const bool>>> disabled_;
};

}  // namespace ui
