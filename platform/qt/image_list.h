// TImageList: a row of pictures of one size, drawn by index; the pictures of tool bars and
// menus.
//
// AddMasked takes a bitmap holding one or more pictures side by side (as many whole pictures as
// its width holds; a bitmap narrower than one picture adds one, filled out with the mask
// colour) and makes `mask_colour` see-through in them. Changing the size empties the list.
#pragma once

#include <vector>

#include "platform/qt/bitmap.h"
#include "platform/qt/canvas.h"
#include "platform/qt/component.h"

namespace platform::qt {

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(images_.size()); }

  // Answers the index of the first picture added, -1 when the bitmap is empty.
  int AddMasked(const TBitmap& bitmap, TColor mask_colour);
  void Delete(int index);
  void Clear() { images_.clear(); }
  // The picture with its see-through pixels in the mask colour; empty outside the list.
  TBitmap Picture(int index) const;

  // Draws the picture with its top-left at (x, y); greyed (embossed in the shadow and highlight
  // colours) when not enabled. An index outside the list draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

 private:
  int width_ = 16;
  int height_ = 16;
  std::vector<TBitmap> images_;
};

}  // namespace platform::qt
