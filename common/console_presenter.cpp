#include "common/console_presenter.h"

#include <iostream>
#include <string>

#include "platform/text_codec.h"

namespace common {
namespace {

struct DialogTexts {
  const char* caption;
  const char* title;
};

// The captions and headings the dialogs show when the caller passes none.
DialogTexts DefaultTexts(MessageKind kind) {
  switch (kind) {
    case MessageKind::kJaNeinFrage:
      return {"Abfrage", "Abfrage:"};
    case MessageKind::kHinweis:
    case MessageKind::kHinweisMitCheck:
      return {"Hinweis", "Hinweis:"};
    case MessageKind::kAchtung:
      return {"Achtung", "Achtung:"};
    case MessageKind::kFehler:
    case MessageKind::kFehlerInfo:
      break;
  }
  return {"Fehler", "Fehlermeldung:"};
}

// Line breaks of the dialogs' texts (CR, CR LF) as line ends of the console.
std::string ConsoleLines(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

ConsolePresenter::ConsolePresenter() : out_(std::cerr) {}
ConsolePresenter::ConsolePresenter(std::ostream& out) : out_(out) {}

bool ConsolePresenter::Present(const MessageCall& call) {
  const DialogTexts defaults = DefaultTexts(call.kind);
  const bool own_caption = call.kind == MessageKind::kJaNeinFrage ||
                           call.kind == MessageKind::kHinweis ||
                           call.kind == MessageKind::kHinweisMitCheck;
  const bool own_title = own_caption || call.kind == MessageKind::kAchtung;
  const std::string caption =
      own_caption && !call.caption.empty() ? call.caption : defaults.caption;
  const std::string title = own_title && !call.title.empty() ? call.title : defaults.title;

  std::string lines = caption + " - " + title + "\n" + ConsoleLines(call.text) + "\n";
  bool answer = false;
  if (call.kind == MessageKind::kJaNeinFrage) {
    answer = call.default_yes;
    lines += answer ? "-> Ja\n" : "-> Nein\n";
  } else if (call.kind == MessageKind::kFehlerInfo) {
    lines += "[" + call.button_caption + "] " + call.link + "\n";
  }
  out_ << platform::Cp1252ToUtf8(lines) << std::flush;
  return answer;
}

}  // namespace common
