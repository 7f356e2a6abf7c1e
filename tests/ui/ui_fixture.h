// Helpers of the user-interface tests: a screen of fixed size and resolution for one test (the
// system's screen comes back afterwards) with fresh scaling objects, and forms of a given size.
#pragma once

#include <memory>

#include "common/screen_services.h"
#include "common/service.h"
#include "platform/qt/application.h"
#include "platform/qt/screen_source.h"
#include "ui/kv_form.h"
#include "ui/winskal.h"

namespace ui::testing {

// A screen whose awareness level is fixed: a request does not change it.
class FixedAwarenessScreen final : public platform::qt::ScreenSource {
 public:
  FixedAwarenessScreen(int height, int dpi, int level) : height_(height), dpi_(dpi), level_(level) {}
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return height_; }
  int VirtualWidth() override { return 1024; }
  int VirtualHeight() override { return height_; }
  int PixelsPerInch() override { return dpi_; }
  int AwarenessLevel(int) override { return level_; }

 private:
  int height_, dpi_, level_;
};

class ScreenScope {
 public:
  // Not resolution aware (mode 0) unless a mode is given.
  ScreenScope(int height, int dpi, std::uint8_t mode = 0) {
    Install(std::make_unique<platform::qt::FixedScreenSource>(1024, height, dpi));
    winskal_->Mode = mode;
  }
  explicit ScreenScope(std::unique_ptr<platform::qt::ScreenSource> source) {
    Install(std::move(source));
  }
  ~ScreenScope() {
    platform::qt::Application().SetScreenSource(platform::qt::MakeSystemScreenSource());
    ResetDpiAwarenessRequest();
  }
  ScreenScope(const ScreenScope&) = delete;
  ScreenScope& operator=(const ScreenScope&) = delete;

  common::ToWinskal& Winskal() { return *winskal_; }

 private:
  void Install(std::unique_ptr<platform::qt::ScreenSource> source) {
    platform::qt::Application().SetScreenSource(std::move(source));
    ResetDpiAwarenessRequest();
  }
  common::ScopedService<common::ToWinskal> winskal_;
  common::ScopedService<common::TScreenSS> screen_;
};

// A form of the given client size and border style, its design's Scaled flag given.
class SizedForm : public TkvForm {
 public:
  SizedForm(int width, int height, bool sizeable, bool scaled) : TkvForm(nullptr) {
    platform::qt::LoadingScope loading(*this);
    SetName("SizedForm");
    SetBorderStyle(sizeable ? platform::qt::TFormBorderStyle::bsSizeable
                            : platform::qt::TFormBorderStyle::bsDialog);
    SetClientSize(width, height);
    SetScaled(scaled);
  }
};

}  // namespace ui::testing
