#include "common/messages.h"

#include <utility>

#include "common/console_presenter.h"

namespace common {

ToMessages::ToMessages(std::unique_ptr<MessagePresenter> presenter)
    : presenter_(presenter ? std::move(presenter) : std::make_unique<ConsolePresenter>()) {}

std::unique_ptr<MessagePresenter> ToMessages::SetPresenter(
    std::unique_ptr<MessagePresenter> presenter) {
  if (!presenter) presenter = std::make_unique<ConsolePresenter>();
  std::swap(presenter, presenter_);
  return presenter;
}

bool ToMessages::Present(const MessageCall& call) { return presenter_->Present(call); }

bool ToMessages::JaNeinFrage(const std::string& caption, const std::string& title,
                             const std::string& text, bool default_yes) {
  return Present({.kind = MessageKind::kJaNeinFrage,
                  .caption = caption,
                  .title = title,
                  .text = text,
                  .default_yes = default_yes});
}

bool ToMessages::Hinweis(const std::string& caption, const std::string& title,
                         const std::string& text, bool show_check_box) {
  return Notice(MessageKind::kHinweis, caption, title, text, show_check_box);
}

bool ToMessages::HinweisMitCheck(const std::string& caption, const std::string& title,
                                 const std::string& text, bool show_check_box) {
  return Notice(MessageKind::kHinweisMitCheck, caption, title, text, show_check_box);
}

bool ToMessages::Notice(MessageKind kind, const std::string& caption, const std::string& title,
                        const std::string& text, bool show_check_box) {
  const bool ticked = Present({.kind = kind,
                               .caption = caption,
                               .title = title,
                               .text = text,
                               .show_check_box = show_check_box});
  // A box the user cannot see cannot be ticked, whatever the presenter answers.
  return ticked && show_check_box;
}

void ToMessages::Achtung(const std::string& title, const std::string& text) {
  Present({.kind = MessageKind::kAchtung, .title = title, .text = text});
}

void ToMessages::Fehler(const std::string& text) {
  Present({.kind = MessageKind::kFehler, .text = text});
}

void ToMessages::FehlerInfo(const std::string& text, const std::string& button_caption,
                            const std::string& link) {
  Present({.kind = MessageKind::kFehlerInfo,
           .text = text,
           .button_caption = button_caption,
           .link = link});
}

}  // namespace common
