#include "ui/picture_form.h"

#include "platform/qt/application.h"
#include "ui/menu_icons.h"
#include "ui/menu_pictures.h"

namespace ui {
namespace {

TFormBildressourcen*& Current() {
  static TFormBildressourcen* current = nullptr;
  return current;
}

}  // namespace

TFormBildressourcen::TFormBildressourcen(platform::qt::TComponent* owner) : TForm(owner) {
  SetName("FormBildressourcen");
  image_list_menuek_ = new platform::qt::TImageList(this);
  image_list_menuek_->SetName("ImageListMenuek");
  image_list_menuek_->SetSize(kMenuIconSize, kMenuIconSize);
  for (int i = 0; i < kMenuIconCount; ++i) {
    image_list_menuek_->AddMasked(MenuPicture(i), kMenuPictureBackground);
    Image(MenuPictureName(i));
  }
  Image(MenuIconImageName(kCloseIcon));
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
  const platform::qt::TBitmap& picture = pictures.Get(name);
  image->SetTransparent(picture.Transparent);  // the image keeps the picture's see-through colour
  image->SetPicture(picture);
  image->SetParent(this);
  return image;
}

TFormBildressourcen* TFormBildressourcen::Instance() { return Current(); }

}  // namespace ui
