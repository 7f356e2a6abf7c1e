#include "ui/picture_form.h"

#include "platform/qt/application.h"

namespace ui {
namespace {

TFormBildressourcen*& Current() {
  static TFormBildressourcen* current = nullptr;
  return current;
}

}  // namespace

TFormBildressourcen::TFormBildressourcen(platform::qt::TComponent* owner) : TForm(owner) {
  SetName("FormBildressourcen");
  Current() = this;
}

TFormBildressourcen::~TFormBildressourcen() {
  if (Current() == this) Current() = nullptr;
}

platform::qt::TImage* TFormBildressourcen::Image(const std::string& name) {
  if (auto* image = dynamic_cast<platform::qt::TImage*>(FindComponent(name))) return image;
  platform::qt::TPictureRegistry& pictures = platform::qt::Application().Pictures();
  if (!pictures.Contains(name)) return nullptr;
  auto* image = new platform::qt::TImage(this);
  image->SetName(name);
  image->SetAutoSize(true);
  image->SetPicture(pictures.Get(name));
  image->SetParent(this);
  return image;
}

TFormBildressourcen* TFormBildressourcen::Instance() { return Current(); }

}  // namespace ui
