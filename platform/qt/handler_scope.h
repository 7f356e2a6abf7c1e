// The handlers of a form that run now.
//
// A form's handlers run for what enters the layer on its behalf: each event of the window system
// that reaches one of its controls, each focus move, message posted to it, tick of its timers and
// click of its controls or menus. Each counts while it runs, also one nested inside another's
// message box or pending-message pass, so that work which must not run inside another handler
// (a clock's tick that switches what the handler is using) can wait for them all.
#pragma once

#include <memory>

namespace platform::qt {

class TComponent;
class TForm;

// The form a component belongs to: a control's form, else the form of its nearest owner that is
// a control (a timer, a menu item of a form's menu); null for none.
TForm* FormOf(const TComponent* component);

// Counts one running handler of `form` (of the component's form) while it lives; nothing for
// none. A form freed meanwhile is left alone.
class HandlerScope {
 public:
  explicit HandlerScope(TForm* form);
  explicit HandlerScope(const TComponent* component);
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  TForm* form_;
  std::weak_ptr<const bool> alive_;
};

}  // namespace platform::qt
