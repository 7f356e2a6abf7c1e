// TImage: a picture painted on the parent. The picture is a TBitmap held by the image; after
// drawing into Picture() call PictureChanged (SetPicture and LoadFromFile do so themselves).
//
// Placement: Stretch scales the picture to the image's area; Proportional keeps its aspect
// (and shrinks a picture that is too large even without Stretch); Center centres it, else it
// lies at the top-left.
// Transparent leaves the picture's transparent colour out (its bottom-left pixel unless the
// bitmap names one). AutoSize gives the image the picture's size whenever the picture changes.
#pragma once

#include <string>

#include "platform/qt/bitmap.h"
#include "platform/qt/control.h"

namespace platform::qt {

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);

  TBitmap& Picture() { return picture_; }
  const TBitmap& Picture() const { return picture_; }
  void SetPicture(const TBitmap& picture);
  // BMP, PNG or JPEG (a system name, resolved against the current folder); false and the
  // picture unchanged when the file cannot be read.
  bool LoadFromFile(const std::string& name);
  void PictureChanged();

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool on);
  bool Center() const { return center_; }
  void SetCenter(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

  // Where the picture is drawn inside the image.
  TRect DestRect() const;
  void Paint() override;

 private:
  TBitmap picture_;
  bool auto_size_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
  bool transparent_ = false;
};

}  // namespace platform::qt
