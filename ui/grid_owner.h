// What the grid painting of the layout engine asks of the browser control that owns a grid: its
// view and its selection frame. The browser control implements it; a grid whose owner does not
// is painted as an ordinary grid ("Details").
#pragma once

#include <cstdint>

#include "platform/qt/canvas.h"
#include "platform/qt/types.h"

namespace ui {

enum class TBrowserView : std::uint8_t { kDetails = 0, kListe = 1, kMiniaturansicht = 3 };

class BrowserGridOwner {
 public:
  virtual ~BrowserGridOwner() = default;
  virtual TBrowserView BrowserView() const = 0;
  // Draws the frame of a selection being dragged over the cell, on the canvas being painted;
  // `cell` is the cell's rectangle in that canvas's coordinates.
  virtual void SelectDrawFrame(platform::qt::TCanvas& canvas, const platform::qt::TRect& cell) = 0;
};

}  // namespace ui
