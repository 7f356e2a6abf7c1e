// The handlers of a form that run now.
//
// A form's handlers run for what enters the layer on its behalf. The application counts every
// event of the window system in one place, for the form of the control that receives it, through
// whatever child widget the window system hands it to (a list's viewport, a combo box's line edit
// or pop-up). The other entries count themselves: focus moves, messages posted to a form, calls
// queued while a handler runs (for that handler's form), ticks of timers, clicks of controls and
// menus, and a modal form's showing and closing. Each counts while it runs, also one nested inside
// another's message box or pending-message pass, so that work which must not run inside another
// handler (a clock's tick that switches what the handler is using) can wait for them all; a tick
// that waited is made up as soon as the last of them ends (TForm::OweTick).
#pragma once

#include <memory>

namespace platform::qt {

class TComponent;
class TForm;

// The form a component belongs to: a control's form, else the form of its nearest owner that is
// a control (a timer, a menu item of a form's menu); null for none.
TForm* FormOf(const TComponent* component);

// Counts one running handler of `form` (of the component's form) while it lives; nothing for
// none. A form freed meanwhile is left alone. Scopes nest strictly (they live on the stack).
// The end of the last one makes up the ticks owed, unless an exception is passing through (they
// wait for the next handler's end then); an exception of such a tick leaves the scope's end as
// the handler's own would.
class HandlerScope {
 public:
  explicit HandlerScope(TForm* form);
  explicit HandlerScope(const TComponent* component);
  ~HandlerScope() noexcept(false);
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

  // The form of the innermost scope that counts for a form still there; null outside handlers.
  static TForm* InnermostForm();

 private:
  TForm* form_;
  std::weak_ptr<const bool> alive_;
  HandlerScope* outer_;
  int exceptions_;  // in flight when the scope began
};

}  // namespace platform::qt
