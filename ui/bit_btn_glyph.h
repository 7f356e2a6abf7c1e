// The glyph of one bitmap button: the bitmap as assigned (shared with the kind-bitmap cache when
// it came from a kind), its transparent colour, the number of states it holds (1 to 4: up,
// disabled, down, exclusive) and the images of the states drawn so far, kept in the shared glyph
// list of its size (ui/glyph_cache.h).
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "platform/qt/bitmap.h"
#include "platform/qt/button_glyph.h"
#include "platform/qt/canvas.h"
#include "ui/glyph_cache.h"

namespace ui {

class TkvButtonGlyph {
 public:
  TkvButtonGlyph() = default;
  ~TkvButtonGlyph();
  TkvButtonGlyph(const TkvButtonGlyph&) = delete;
  TkvButtonGlyph& operator=(const TkvButtonGlyph&) = delete;

  const platform::qt::TBitmap& Glyph() const;
  // A bitmap whose width is a multiple of its height holds width / height states when that is
  // below 5, else one; the count stays as it was for other shapes (and for an empty bitmap).
  void SetGlyph(std::shared_ptr<const platform::qt::TBitmap> bitmap);
  int NumGlyphs() const { return num_glyphs_; }
  // 1 to 4 (larger values give 4, smaller 1).
  void SetNumGlyphs(int count);
  // The bitmap's transparent colour ($008080 while there is no bitmap).
  platform::qt::TColor TransparentColor() const { return transparent_color_; }
  // The size of one state; (0, 0) without a bitmap.
  platform::qt::TPoint Size() const;

  // Draws the state's image with its top-left at `at`. A state the bitmap lacks: down and
  // exclusive show the up state; disabled shows the up state embossed.
  void Draw(platform::qt::TCanvas& canvas, platform::qt::TPoint at,
            platform::qt::TButtonState state);

  std::function<void()> OnChange;

 private:
  void Invalidate();
  int MakeImage(int state);

  std::shared_ptr<const platform::qt::TBitmap> bitmap_;
  platform::qt::TColor transparent_color_ = 0x008080;
  int num_glyphs_ = 1;
  std::array<int, 4> slots_ = {-1, -1, -1, -1};
  TGlyphList* list_ = nullptr;
};

}  // namespace ui
