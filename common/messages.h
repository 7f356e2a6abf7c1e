// ToMessages: the one entry to the modal message dialogs.
//
// Every question, notice, warning and error that the system puts to the user goes through the one
// object of this class (Service<ToMessages>). It hands the texts to its presenter and returns the
// answer. Callers pass their own texts, in German.
#pragma once

#include <memory>
#include <string>

#include "common/message_presenter.h"

namespace common {

class ToMessages {
 public:
  // Shows the messages through the presenter; without one, through the console presenter.
  explicit ToMessages(std::unique_ptr<MessagePresenter> presenter = nullptr);

  // Passed by callers as the title of a warning when an input is incomplete or invalid.
  std::string EingabeUnvollstaendig = "Eingabedaten unvollständig!";
  std::string DatenUngueltig = "Ungültige Daten!";

  // The yes/no question; true when the user chose yes. With default_yes false, Enter means no.
  bool JaNeinFrage(const std::string& caption, const std::string& title, const std::string& text,
                   bool default_yes);
  // The notice with a close button; answers the state of its check box "Meldung nicht mehr
  // anzeigen", which is false whenever the box is not shown.
  bool Hinweis(const std::string& caption, const std::string& title, const std::string& text,
               bool show_check_box);
  // The same notice with a continue button instead of the close button.
  bool HinweisMitCheck(const std::string& caption, const std::string& title,
                       const std::string& text, bool show_check_box);
  void Achtung(const std::string& title, const std::string& text);
  void Fehler(const std::string& text);
  // The error with a second button of the given caption that opens the link.
  void FehlerInfo(const std::string& text, const std::string& button_caption,
                  const std::string& link);

  // Replaces the presenter (the window layer installs its dialogs here); returns the previous one.
  std::unique_ptr<MessagePresenter> SetPresenter(std::unique_ptr<MessagePresenter> presenter);

 private:
  bool Present(const MessageCall& call);
  // The two notices differ only in their button.
  bool Notice(MessageKind kind, const std::string& caption, const std::string& title,
              const std::string& text, bool show_check_box);

  std::unique_ptr<MessagePresenter> presenter_;
};

}  // namespace common
