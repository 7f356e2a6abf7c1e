// A test fixture with one form (not shown until a test shows it) and a helper that makes a
// control owned by the form and places it on the form or on another parent.
#pragma once

#include <gtest/gtest.h>

#include "platform/qt/form.h"

namespace platform::qt::testing {

class FormFixture : public ::testing::Test {
 protected:
  FormFixture(int client_width, int client_height) {
    form.SetClientSize(client_width, client_height);
  }
  template <typename T>
  T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    auto* c = new T(&form);
    c->SetParent(parent != nullptr ? parent : &form);
    c->SetBounds(left, top, width, height);
    return c;
  }
  TForm form{nullptr};
};

}  // namespace platform::qt::testing
