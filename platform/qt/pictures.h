// Pictures by name: the bitmaps the windows name (button glyphs, tool bar and menu pictures,
// the message box's icons), drawn by our own code. Each name has a recipe that paints it with a
// canvas; the picture is painted on first use and kept.
//
// A picture is `states` cells of width x height side by side (the glyph states of a button).
// Each cell is first filled with the background colour, which is also the bitmap's transparent
// colour (Transparent is set), then painted by the recipe with the cell's rectangle and the
// state's number (0 up, 1 disabled, 2 down, 3 exclusive). Names compare without regard to ASCII
// letter case. An unknown name gives an empty bitmap.
//
// The registry belongs to the application object (Application().Pictures()); the layer
// registers its own pictures there (system_pictures.h), later modules theirs at start-up.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/bitmap.h"
#include "platform/qt/colors.h"

namespace platform::qt {

struct TPictureSpec {
  int width = 16;
  int height = 16;
  int states = 1;
  TColor background = clFuchsia;
};

using TPictureRecipe = std::function<void(TCanvas& canvas, const TRect& cell, int state)>;

class TPictureRegistry {
 public:
  // Registers the recipe under the name, replacing an earlier one (and its kept picture).
  void Register(const std::string& name, const TPictureSpec& spec, TPictureRecipe recipe);
  bool Contains(const std::string& name) const;
  // The picture, painted now when it was not yet; an empty bitmap for an unknown name. The
  // reference stays valid until the name is registered again.
  const TBitmap& Get(const std::string& name);
  // The registered names, in the order they were first registered.
  const std::vector<std::string>& Names() const { return names_; }

 private:
  struct Entry {
    TPictureSpec spec;
    TPictureRecipe recipe;
    std::unique_ptr<TBitmap> picture;  // painted on first use
  };
  static std::string Key(const std::string& name);

  std::map<std::string, Entry> entries_;
  std::vector<std::string> names_;
  TBitmap empty_;
};

}  // namespace platform::qt
