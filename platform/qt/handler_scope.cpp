#include "platform/qt/handler_scope.h"

#include <exception>

#include "platform/qt/form.h"

namespace platform::qt {
namespace {

HandlerScope*& Innermost() {
  static HandlerScope* innermost = nullptr;
  return innermost;
}

}  // namespace

TForm* FormOf(const TComponent* component) {
  for (const TComponent* c = component; c != nullptr; c = c->Owner()) {
    if (const auto* control = dynamic_cast<const TControl*>(c)) return control->ParentForm();
  }
  return nullptr;
}

HandlerScope::HandlerScope(TForm* form)
    : form_(form), outer_(Innermost()), exceptions_(std::uncaught_exceptions()) {
  Innermost() = this;
  if (form_ == nullptr) return;
  alive_ = form_->AliveToken();
  ++form_->handlers_running_;
}

HandlerScope::HandlerScope(const TComponent* component) : HandlerScope(FormOf(component)) {}

HandlerScope::~HandlerScope() noexcept(false) {
  Innermost() = outer_;
  if (form_ == nullptr || alive_.expired()) return;
  if (--form_->handlers_running_ == 0 && std::uncaught_exceptions() == exceptions_) {
    form_->MakeUpOwedTicks();
  }
}

TForm* HandlerScope::InnermostForm() {
  for (const HandlerScope* s = Innermost(); s != nullptr; s = s->outer_) {
    if (s->form_ != nullptr && !s->alive_.expired()) return s->form_;
  }
  return nullptr;
}

}  // namespace platform::qt
