// The motifs of the program's small pictures, each drawn on the 16-unit design grid of a GlyphPen
// (ui/glyph_drawing.h): the button kinds' pictures and the menu icons share them.
#pragma once

#include <functional>

#include "ui/glyph_drawing.h"

namespace ui::motifs {

// The palette of the pictures.
inline constexpr TColor kGreen = 0x209020;
inline constexpr TColor kRed = 0x2020D0;
inline constexpr TColor kBlue = 0xC06020;
inline constexpr TColor kDarkBlue = 0x803000;
inline constexpr TColor kYellow = 0x20D0F0;
inline constexpr TColor kAmber = 0x0090F0;
inline constexpr TColor kPaper = 0xFFFFFF;
inline constexpr TColor kInk = 0x404040;
inline constexpr TColor kWood = 0x205080;
inline constexpr TColor kGrey = 0x909090;
inline constexpr TColor kSky = 0xF0C080;

using Motif = std::function<void(GlyphPen&)>;

void Check(GlyphPen& g, TColor colour);
void Cross(GlyphPen& g, TColor colour);
void ArrowRight(GlyphPen& g, TColor colour);
void ArrowLeft(GlyphPen& g, TColor colour);
void Sheet(GlyphPen& g, int left, int top);
void Question(GlyphPen& g);
void Door(GlyphPen& g);
void StopSign(GlyphPen& g);
void Circular(GlyphPen& g, TColor colour);
void Printer(GlyphPen& g);
void NewSheet(GlyphPen& g);
void Pencil(GlyphPen& g);
void Bin(GlyphPen& g);
void Plus(GlyphPen& g);
void Magnifier(GlyphPen& g);
void Bars(GlyphPen& g);
void Import(GlyphPen& g);
void Export(GlyphPen& g);
void Gear(GlyphPen& g);
void Clock(GlyphPen& g);
void Ticked(GlyphPen& g);
void Sheets(GlyphPen& g);
void TrafficLight(GlyphPen& g, int lit);
void List(GlyphPen& g);
void Table(GlyphPen& g);
void Matrix(GlyphPen& g);
void Play(GlyphPen& g);
void Chart(GlyphPen& g);
void Brackets(GlyphPen& g);
void Globe(GlyphPen& g);
void Card(GlyphPen& g);
void Star(GlyphPen& g);
void Triangle(GlyphPen& g, bool down);
void Move(GlyphPen& g, bool copy);
void Letters(GlyphPen& g, const char* text);

}  // namespace ui::motifs
