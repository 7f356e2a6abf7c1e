// TFormBildressourcen: the window that only holds the program's pictures. It is never shown;
// other windows take a picture from it by its component name. Its images come from the picture
// registry (Application().Pictures()): asking for a name the registry knows makes an image
// component of that name, owned by this form, the first time.
//
// The main window makes one and keeps it while it lives; Instance() reaches that one (the one
// made last), null while none exists.
#pragma once

#include <string>

#include "platform/qt/form.h"
#include "platform/qt/image.h"

namespace ui {

class TFormBildressourcen : public platform::qt::TForm {
 public:
  explicit TFormBildressourcen(platform::qt::TComponent* owner);
  ~TFormBildressourcen() override;

  // The image component of that name, or null when no such picture is registered.
  platform::qt::TImage* Image(const std::string& name);

  static TFormBildressourcen* Instance();
};

}  // namespace ui
