// Named colours. Plain colours are RGB values (red in the lowest byte); the system colours carry
// 0x80 in the top byte and an index that common::ToGrafik::ColorToRGB resolves, so every colour
// the layer paints goes through that one table.
#pragma once

#include "common/grafik.h"
#include "platform/qt/types.h"

namespace platform::qt {

using common::clBlack;
using common::clBtnFace;
using common::clWhite;

inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
// No colour: a transparent colour that is not set, a pen or brush that paints nothing.
inline constexpr TColor clNone = 0x1FFFFFFF;
// The colour of a control that has no colour of its own (a bitmap's transparent colour default).
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = 0x80000000;
inline constexpr TColor clBackground = 0x80000001;
inline constexpr TColor clActiveCaption = 0x80000002;
inline constexpr TColor clInactiveCaption = 0x80000003;
inline constexpr TColor clMenu = 0x80000004;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowFrame = 0x80000006;
inline constexpr TColor clMenuText = 0x80000007;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clCaptionText = 0x80000009;
inline constexpr TColor clActiveBorder = 0x8000000A;
inline constexpr TColor clInactiveBorder = 0x8000000B;
inline constexpr TColor clAppWorkSpace = 0x8000000C;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clGrayText = 0x80000011;
inline constexpr TColor clBtnText = 0x80000012;
inline constexpr TColor clInactiveCaptionText = 0x80000013;
inline constexpr TColor clBtnHighlight = 0x80000014;
inline constexpr TColor cl3DDkShadow = 0x80000015;
inline constexpr TColor cl3DLight = 0x80000016;
inline constexpr TColor clInfoText = 0x80000017;
inline constexpr TColor clInfoBk = 0x80000018;
inline constexpr TColor clHotLight = 0x8000001A;
inline constexpr TColor clMenuHighlight = 0x8000001D;
inline constexpr TColor clMenuBar = 0x8000001E;

// The colour as plain RGB (system colours resolved).
inline TColor ColorToRGB(TColor colour) { return common::ToGrafik::ColorToRGB(colour); }

}  // namespace platform::qt
