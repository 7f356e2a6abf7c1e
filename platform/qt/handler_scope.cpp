#include "platform/qt/handler_scope.h"

#include "platform/qt/form.h"

namespace platform::qt {

TForm* FormOf(const TComponent* component) {
  for (const TComponent* c = component; c != nullptr; c = c->Owner()) {
    if (const auto* control = dynamic_cast<const TControl*>(c)) return control->ParentForm();
  }
  return nullptr;
}

HandlerScope::HandlerScope(TForm* form) : form_(form) {
  if (form_ == nullptr) return;
  alive_ = form_->AliveToken();
  ++form_->handlers_running_;
}

HandlerScope::HandlerScope(const TComponent* component) : HandlerScope(FormOf(component)) {}

HandlerScope::~HandlerScope() {
  if (form_ != nullptr && !alive_.expired()) --form_->handlers_running_;
}

}  // namespace platform::qt
