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
  MessageCall call;
  call.kind = MessageKind::kJaNeinFrage;
  call.caption = caption;
  call.title = title;
  call.text = text;
  call.default_yes = default_yes;
  return Present(call);
}

bool ToMessages::Hinweis(const std::string& caption, const std::string& title,
                         const std::string& text, bool show_check_box) {
  MessageCall call;
  call.kind = MessageKind::kHinweis;
  call.caption = caption;
  call.title = title;
  call.text = text;
  call.show_check_box = show_check_box;
  // A box the user cannot see cannot be ticked, whatever the presenter answers.
  return Present(call) && show_check_box;
}

bool ToMessages::HinweisMitCheck(const std::string& caption, const std::string& title,
                                 const std::string& text, bool show_check_box) {
  MessageCall call;
  call.kind = MessageKind::kHinweisMitCheck;
  call.caption = caption;
  call.title = title;
  call.text = text;
  call.show_check_box = show_check_box;
  return Present(call) && show_check_box;
}

void ToMessages::Achtung(const std::string& title, const std::string& text) {
  MessageCall call;
  call.kind = MessageKind::kAchtung;
  call.title = title;
  call.text = text;
  Present(call);
}

void ToMessages::Fehler(const std::string& text) {
  MessageCall call;
  call.kind = MessageKind::kFehler;
  call.text = text;
  Present(call);
}

void ToMessages::FehlerInfo(const std::string& text, const std::string& button_caption,
                            const std::string& link) {
  MessageCall call;
  call.kind = MessageKind::kFehlerInfo;
  call.text = text;
  call.button_caption = button_caption;
  call.link = link;
  Present(call);
}

}  // namespace common
