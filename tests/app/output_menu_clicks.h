// Choosing an item of the setup form's open output menu with the mouse, as the operator does.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/output_menu.h"
#include "platform/qt/popup_window.h"
#include "platform/qt/testkit/input.h"

namespace app_test {

inline void ChooseOutput(const app::TOutputMenu& menu, const std::string& item_name) {
  platform::qt::TPopupWindow* window = menu.druckwagpopup->Window();
  ASSERT_NE(window, nullptr) << "the output menu is not open";
  const platform::qt::TRect item = window->ItemRect(menu.Item(item_name));
  platform::qt::testkit::Click(*window, item.Left + 5, item.Top + 3);
}

}  // namespace app_test
