#include "ui/scheme_window.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/bitmap.h"
#include "platform/qt/menus.h"
#include "platform/qt/panel.h"
#include "ui/browser.h"
#include "ui/mouse_grid.h"

namespace ui {
namespace {

using logbook::SchemeControl;
using logbook::SchemeControlKind;
using platform::qt::TControl;

SchemeControlKind KindOf(const TControl& c) {
  // A browser is a panel too: asked first.
  if (dynamic_cast<const TkvBrow*>(&c) != nullptr) return SchemeControlKind::kGridBrowser;
  if (dynamic_cast<const platform::qt::TCustomLabel*>(&c) != nullptr) {
    return SchemeControlKind::kLabel;
  }
  if (dynamic_cast<const platform::qt::TPanel*>(&c) != nullptr) return SchemeControlKind::kPanel;
  return SchemeControlKind::kOther;
}

// The child controls of a control (none for one that holds no others), wrapped on first use.
class ControlChildren {
 public:
  int Count(TControl& parent) const {
    auto* holder = dynamic_cast<platform::qt::TWinControl*>(&parent);
    return holder != nullptr ? holder->ControlCount() : 0;
  }
  SchemeControl& At(TControl& parent, int index);

 private:
  std::vector<std::unique_ptr<SchemeControl>> wrapped_;
};

class ControlPort final : public SchemeControl {
 public:
  explicit ControlPort(TControl& control) : c_(control) {}
  SchemeControlKind Kind() const override { return KindOf(c_); }
  int Tag() const override { return static_cast<int>(c_.Tag()); }
  std::string Caption() const override { return c_.Caption(); }
  void SetCaption(std::string_view caption) override { c_.SetCaption(std::string(caption)); }
  int Width() const override { return c_.Width(); }
  void SetWidth(int width) override { c_.SetWidth(width); }
  int TextWidth(std::string_view text) const override {
    platform::qt::TBitmap scratch(1, 1);
    scratch.Canvas().Font = c_.Font();
    return scratch.Canvas().TextWidth(text);
  }
  void SetColour(TColor colour) override { c_.SetColor(colour); }
  void SetFontColour(TColor colour) override { c_.Font().SetColor(colour); }
  int ChildCount() const override { return children_.Count(c_); }
  SchemeControl& Child(int index) override { return children_.At(c_, index); }
  // The browser's two bars around the grid take the panel colour; the grid as its binding
  // colours it.
  void SetGridColours(TColor panel, TColor grid_colour, TColor font) override {
    auto* browser = dynamic_cast<TkvBrow*>(&c_);
    if (browser == nullptr) return;
    browser->CloseStrip()->SetColor(panel);
    browser->BottomBar()->SetColor(panel);
    TkvMouseGrid& grid = browser->GetGrid();
    grid.SetColor(grid_colour);
    grid.Font().SetColor(font);
    grid.Canvas().Font.SetColor(font);
  }

 private:
  TControl& c_;
  ControlChildren children_;
};

SchemeControl& ControlChildren::At(TControl& parent, int index) {
  auto& holder = dynamic_cast<platform::qt::TWinControl&>(parent);
  if (wrapped_.size() < holder.Controls().size()) wrapped_.resize(holder.Controls().size());
  auto& slot = wrapped_[static_cast<std::size_t>(index)];
  if (!slot)
    slot = std::make_unique<ControlPort>(*holder.Controls()[static_cast<std::size_t>(index)]);
  return *slot;
}

class FormPort final : public logbook::SchemeForm {
 public:
  explicit FormPort(platform::qt::TForm& form) : form_(form) {
    for (platform::qt::TComponent* c : form.Components()) {
      if (auto* menu = dynamic_cast<platform::qt::TPopupMenu*>(c)) menus_.push_back(menu);
    }
  }
  void SetColour(TColor colour) override { form_.SetColor(colour); }
  int ClientHeight() const override { return form_.ClientHeight(); }
  int ChildCount() const override { return children_.Count(form_); }
  SchemeControl& Child(int index) override { return children_.At(form_, index); }
  int PopupMenuCount() const override { return static_cast<int>(menus_.size()); }
  void SetPopupMenuOwnerDraw(int index, bool on) override {
    menus_[static_cast<std::size_t>(index)]->SetOwnerDraw(on);
  }

 private:
  platform::qt::TForm& form_;
  ControlChildren children_;
  std::vector<platform::qt::TPopupMenu*> menus_;
};

class ImagePort final : public logbook::SchemeImage {
 public:
  explicit ImagePort(platform::qt::TImage& image) : image_(image) {}
  void SetPicture(const logbook::RgbImage& picture) override {
    platform::qt::TBitmap bitmap(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) bitmap.Canvas().SetPixel(x, y, picture.Pixel(x, y));
    }
    image_.SetPicture(bitmap);
  }
  void SetSize(int width, int height) override {
    image_.SetWidth(width);
    image_.SetHeight(height);
  }

 private:
  platform::qt::TImage& image_;
};

}  // namespace

void ApplyColourScheme(platform::qt::TForm& form, platform::qt::TImage* side_bar,
                       platform::qt::TLabel* maker_label) {
  FormPort port(form);
  std::unique_ptr<ImagePort> image;
  if (side_bar != nullptr) image = std::make_unique<ImagePort>(*side_bar);
  std::unique_ptr<ControlPort> maker;
  if (maker_label != nullptr) maker = std::make_unique<ControlPort>(*maker_label);
  logbook::ApplyColourScheme(port, image.get(), maker.get());
}

}  // namespace ui
