// The port through which ToMessages shows its dialogs.
//
// The lower layers ask and warn through ToMessages; what shows the texts is a presenter installed
// in it: the window layer's dialogs in the program, a console presenter until those exist, and a
// scripted presenter in tests.
#pragma once

#include <string>

namespace common {

enum class MessageKind {
  kJaNeinFrage,      // yes/no question
  kHinweis,          // notice with a close button
  kHinweisMitCheck,  // notice with a continue button
  kAchtung,          // warning
  kFehler,           // error
  kFehlerInfo,       // error with a second button that opens a link
};

// One call of a ToMessages operation, with the texts as the caller passed them (empty caption and
// title mean the dialog's own). Texts are Windows-1252; a carriage return (13) breaks a line.
struct MessageCall {
  MessageKind kind = MessageKind::kFehler;
  std::string caption{};         // window caption (question and notices)
  std::string title{};           // the bold heading line (question, notices, warning)
  std::string text{};            // the message
  std::string button_caption{};  // second button (error with link)
  std::string link{};            // opened by the second button (error with link)
  bool default_yes = false;      // question: yes is the default button
  bool show_check_box = false;   // notices: "Meldung nicht mehr anzeigen" is shown

  friend bool operator==(const MessageCall&, const MessageCall&) = default;
};

class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // Shows the dialog modally and returns when it is closed: for a question true when the user
  // chose yes, for a notice the state of its check box; ignored for the other kinds.
  virtual bool Present(const MessageCall& call) = 0;
};

}  // namespace common
