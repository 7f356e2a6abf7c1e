// The glyph lists of the bitmap buttons: one list of images per glyph size, shared by every
// button whose glyph has that size. Each button's glyph makes the image of a state once and keeps
// its slot; a list is freed when its last image goes, and the process-wide cache with its last
// list.
#pragma once

#include <vector>

#include "platform/qt/bitmap.h"

namespace ui {

class TGlyphList {
 public:
  TGlyphList(int width, int height) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Answers the slot the image went into (a freed one first).
  int Add(const platform::qt::TBitmap& image);
  void Delete(int index);
  // The image of a used slot; an empty bitmap otherwise.
  const platform::qt::TBitmap& Image(int index) const;
  int Count() const { return count_; }

 private:
  int width_;
  int height_;
  std::vector<platform::qt::TBitmap> images_;
  std::vector<bool> used_;
  int count_ = 0;
};

class TGlyphCache {
 public:
  TGlyphCache() = delete;
  // The list for that size, made on first demand.
  static TGlyphList& GetList(int width, int height);
  // The list is freed when it holds no image any more.
  static void ReturnList(TGlyphList* list);
  // How many lists exist now.
  static int ListCount();
};

}  // namespace ui
