// The controllers of the five message dialogs (ui/message_forms.h) and the presenter that puts
// ToMessages's calls through them.
//
// A controller holds the texts of one call; Execute makes its form, sets it up, shows it modally,
// reads the answer and frees the form, so no dialog state outlives the call. The application
// object must exist.
#pragma once

#include <string>

#include "common/message_presenter.h"

namespace ui {

class TJaNeinFrageWinCtrl {
 public:
  TJaNeinFrageWinCtrl(std::string title, std::string text, std::string caption, bool default_yes)
      : title_(std::move(title)),
        text_(std::move(text)),
        caption_(std::move(caption)),
        default_yes_(default_yes) {}
  // True when the user chose yes.
  bool Execute();

 private:
  std::string title_, text_, caption_;
  bool default_yes_;
};

class THinweisWinCtrl {
 public:
  THinweisWinCtrl(std::string caption, std::string title, std::string text, bool continue_button,
                  bool show_check_box)
      : caption_(std::move(caption)),
        title_(std::move(title)),
        text_(std::move(text)),
        continue_button_(continue_button),
        show_check_box_(show_check_box) {}
  // The state of the check box when the dialog closed.
  bool Execute();

 private:
  std::string caption_, title_, text_;
  bool continue_button_;
  bool show_check_box_;
};

class TFehlerWinCtrl {
 public:
  explicit TFehlerWinCtrl(std::string text) : text_(std::move(text)) {}
  bool Execute();

 private:
  std::string text_;
};

class TFehlerInfoWinCtrl {
 public:
  TFehlerInfoWinCtrl(std::string text, std::string button_caption, std::string link)
      : text_(std::move(text)), button_caption_(std::move(button_caption)), link_(std::move(link)) {}
  bool Execute();

 private:
  std::string text_, button_caption_, link_;
};

class TAchtungWinCtrl {
 public:
  TAchtungWinCtrl(std::string title, std::string text)
      : title_(std::move(title)), text_(std::move(text)) {}
  bool Execute();

 private:
  std::string title_, text_;
};

// Shows every ToMessages call in its dialog; install it with ToMessages::SetPresenter.
class DialogPresenter final : public common::MessagePresenter {
 public:
  bool Present(const common::MessageCall& call) override;
};

}  // namespace ui
