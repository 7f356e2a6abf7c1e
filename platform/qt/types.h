// The value types of the window layer: points and rectangles in pixels, shift states, modal
// results and the small enumerations that controls and forms share.
//
// Rectangles follow the framework's convention: Right and Bottom lie one pixel outside the
// rectangle, so a rectangle (0, 0, 10, 10) covers 100 pixels.
#pragma once

#include <cstdint>

#include "common/grafik.h"

namespace platform::qt {

using common::TColor;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
inline TRect Inflated(TRect r, int dx, int dy) {
  return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

// value * numerator / denominator in 64 bits, rounded to the nearest integer with halves away
// from zero; -1 when the denominator is 0.
int MulDiv(int value, int numerator, int denominator);

// The shift byte of key and mouse events.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Modal results: 0 keeps a modal form open; buttons of the system also use 11 to 13.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Anchors: a right or bottom anchor keeps that edge's distance when the parent resizes.
using TAnchors = std::uint8_t;
inline constexpr TAnchors akLeft = 1;
inline constexpr TAnchors akTop = 2;
inline constexpr TAnchors akRight = 4;
inline constexpr TAnchors akBottom = 8;

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum class TVerticalAlignment : std::uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };

// Cursor numbers as the framework counts them.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crNo = -12;
inline constexpr TCursor crHandPoint = -21;

}  // namespace platform::qt
