// TFormBildressourcen: the window that only holds the program's pictures. It is never shown;
// other windows take a picture from it by its component name. Its images come from the picture
// registry (Application().Pictures()): asking for a name the registry knows makes an image
// component of that name, owned by this form, the first time.
//
// The menu icons are there from the start: the 15 x 15 images "imgbtn15x15x0" to
// "imgbtn15x15x45" and "imgbtnClose15", and the image list ImageListMenuek with the same 46
// motifs in index order (ui/menu_pictures.h).
//
// The main window makes one and keeps it while it lives; Instance() reaches that one (the one
// made last), null while none exists.
#pragma once

#include <string>

#include "platform/qt/form.h"
#include "platform/qt/image.h"
#include "platform/qt/image_list.h"

namespace ui {

class TFormBildressourcen : public platform::qt::TForm {
 public:
  explicit TFormBildressourcen(platform::qt::TComponent* owner);
  ~TFormBildressourcen() override;

  // The image component of that name, or null when no such picture is registered.
  platform::qt::TImage* Image(const std::string& name);
  // The menu icons, 46 pictures of 15 x 15 (owned by the form).
  platform::qt::TImageList* ImageListMenuek() const { return image_list_menuek_; }

  static TFormBildressourcen* Instance();

 private:
  platform::qt::TImageList* image_list_menuek_ = nullptr;
};

}  // namespace ui
