// The grid browser's five program-wide colours.
//
// One object per process (reached through Service<GridColours>): the settings load writes all five
// from the colour scheme, the settings save reads back the grid, second grid and grid font colours,
// and the grid painting reads them. Lives here, below the window layer, because the settings
// object fills it and must not depend on the windows.
#pragma once

#include "common/grafik.h"

namespace common {

struct GridColours {
  TColor GridHeaderColor = clBtnFace;      // header cells; the scheme's panel colour after a load
  TColor GridHighlightColor = 0x00800000;  // current and marked rows; header colour lightened 30 %
  TColor GridColor = 0x00EFFFFF;           // background of the even data rows
  TColor GridAltRowColor = 0x00FFFFFF;  // background of the odd data rows (the second grid colour)
  TColor GridFontColor = clBlack;       // text of ordinary rows
};

}  // namespace common
