// Glyphs of buttons: the pictures of speed buttons, tool buttons and bitmap buttons, with one to
// four states side by side in one bitmap (up, disabled, down, exclusive), and the placing of
// glyph and caption inside a button.
#pragma once

#include <cstdint>

#include "platform/qt/bitmap.h"
#include "platform/qt/canvas.h"

namespace platform::qt {

enum class TButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
enum class TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The states a bitmap holds: width / height when the width is a multiple of the height and that
// is below 5, else 1 (also for an empty bitmap).
int GlyphStateCount(const TBitmap& bitmap);

// Draws state `state` of a glyph of `states` states at (x, y), leaving out the bitmap's
// transparent colour (its bottom-left pixel unless it names one). A state the bitmap lacks falls
// back: down (with fewer than 3 states) and exclusive to up; disabled to the up picture drawn
// embossed (DrawEmbossed).
void DrawGlyph(TCanvas& canvas, const TBitmap& glyph, int states, TButtonState state, int x, int y);

// The greyed look of a picture: its shape (every pixel that is neither `transparent` nor white)
// in the highlight colour one pixel right and down, then in the shadow colour at (x, y).
void DrawEmbossed(TCanvas& canvas, const TBitmap& source, const TRect& part, TColor transparent,
                  int x, int y);

struct ButtonPlacement {
  TPoint glyph;  // top-left of the glyph
  TRect text;    // the caption's rectangle
};

// Places a glyph and a caption of the given sizes in `client`: glyph and caption side by side
// (or stacked, for the top and bottom layouts) and centred across. Margin is the distance from
// the edge to the glyph, Spacing between glyph and caption; -1 centres: margin -1 centres the
// pair, spacing -1 spreads the room evenly. An empty caption or glyph (size 0) has no spacing.
ButtonPlacement PlaceGlyphAndText(const TRect& client, TPoint glyph_size, TPoint text_size,
                                  TButtonLayout layout, int margin, int spacing);

}  // namespace platform::qt
