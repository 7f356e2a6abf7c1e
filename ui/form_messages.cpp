#include "ui/form_messages.h"

#include <string>

#include "platform/qt/application.h"

namespace ui {

void FormMessages::SendToAllForms(std::uint32_t message, std::uint32_t wparam, std::int32_t lparam,
                                  std::string_view text) {
  platform::qt::Application().SendToAllForms({message, wparam, lparam, 0, std::string(text)});
}

}  // namespace ui
