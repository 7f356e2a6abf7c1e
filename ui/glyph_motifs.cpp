#include "ui/glyph_motifs.h"

#include "platform/qt/colors.h"

namespace ui::motifs {

using platform::qt::clNone;

void Check(GlyphPen& g, TColor colour) { g.Line({{2, 8}, {6, 12}, {13, 3}}, colour, 2); }
void Cross(GlyphPen& g, TColor colour) {
  g.Line({{3, 3}, {12, 12}}, colour, 2);
  g.Line({{12, 3}, {3, 12}}, colour, 2);
}
void ArrowRight(GlyphPen& g, TColor colour) {
  g.Figure({{2, 6}, {8, 6}, {8, 2}, {14, 8}, {8, 14}, {8, 10}, {2, 10}}, colour, kDarkBlue);
}
void ArrowLeft(GlyphPen& g, TColor colour) {
  g.Figure({{14, 6}, {8, 6}, {8, 2}, {2, 8}, {8, 14}, {8, 10}, {14, 10}}, colour, kDarkBlue);
}
void Sheet(GlyphPen& g, int left, int top) {
  g.Figure(
      {{left, top}, {left + 6, top}, {left + 9, top + 3}, {left + 9, top + 12}, {left, top + 12}},
      kPaper, kInk);
  for (int y = top + 4; y <= top + 10; y += 2) g.Line({{left + 2, y}, {left + 7, y}}, kGrey);
}
void Question(GlyphPen& g) {
  g.Disc(1, 1, 14, 14, kBlue, kDarkBlue);
  g.Label(3, 2, 12, 13, "?", kPaper);
}
void Door(GlyphPen& g) {
  g.Box(2, 1, 9, 14, kWood, kInk);
  g.Disc(7, 7, 8, 8, kYellow, clNone);
  g.Line({{10, 8}, {15, 8}}, kRed, 2);
  g.Line({{12, 5}, {15, 8}, {12, 11}}, kRed, 1);
}
void StopSign(GlyphPen& g) {
  g.Figure({{5, 1}, {10, 1}, {14, 5}, {14, 10}, {10, 14}, {5, 14}, {1, 10}, {1, 5}}, kRed, kInk);
  g.Line({{5, 7}, {10, 7}}, kPaper, 2);
}
void Circular(GlyphPen& g, TColor colour) {
  g.Disc(2, 2, 13, 13, clNone, colour);
  g.Disc(3, 3, 12, 12, clNone, colour);
  g.Figure({{9, 0}, {14, 3}, {9, 6}}, colour, colour);
}
void Printer(GlyphPen& g) {
  g.Box(4, 1, 11, 6, kPaper, kInk);
  g.Box(1, 6, 14, 11, kGrey, kInk);
  g.Box(4, 10, 11, 14, kPaper, kInk);
  g.Disc(11, 7, 12, 8, kGreen, clNone);
}
void NewSheet(GlyphPen& g) {
  Sheet(g, 2, 2);
  g.Figure(
      {{12, 0}, {13, 3}, {16, 3}, {13, 5}, {14, 8}, {12, 6}, {10, 8}, {11, 5}, {8, 3}, {11, 3}},
      kYellow, kAmber);
}
void Pencil(GlyphPen& g) {
  g.Figure({{11, 1}, {14, 4}, {5, 13}, {2, 14}, {3, 10}}, kAmber, kInk);
  g.Line({{3, 10}, {5, 13}}, kInk);
}
void Bin(GlyphPen& g) {
  g.Box(3, 4, 12, 14, kGrey, kInk);
  g.Box(2, 2, 13, 3, kInk, kInk);
  for (int x = 5; x <= 10; x += 2) g.Line({{x, 6}, {x, 12}}, kPaper);
  Cross(g, kRed);
}
void Plus(GlyphPen& g) {
  g.Box(1, 1, 14, 14, kPaper, kInk);
  g.Line({{7, 3}, {7, 12}}, kGreen, 2);
  g.Line({{3, 7}, {12, 7}}, kGreen, 2);
}
void Magnifier(GlyphPen& g) {
  g.Disc(1, 1, 9, 9, kSky, kInk);
  g.Line({{8, 8}, {14, 14}}, kWood, 3);
}
void Bars(GlyphPen& g) {
  g.Box(2, 8, 4, 14, kBlue, kInk);
  g.Box(6, 4, 8, 14, kGreen, kInk);
  g.Box(10, 1, 12, 14, kRed, kInk);
  g.Line({{0, 15}, {15, 15}}, kInk);
}
void Import(GlyphPen& g) {
  Sheet(g, 5, 2);
  g.Line({{0, 8}, {6, 8}}, kGreen, 2);
  g.Line({{4, 5}, {7, 8}, {4, 11}}, kGreen, 1);
}
void Export(GlyphPen& g) {
  g.Box(1, 6, 10, 14, kPaper, kInk);
  g.Line({{5, 10}, {13, 2}}, kBlue, 2);
  g.Line({{9, 2}, {13, 2}, {13, 6}}, kBlue, 1);
}
void Gear(GlyphPen& g) {
  g.Line({{7, 0}, {7, 15}}, kInk, 2);
  g.Line({{0, 7}, {15, 7}}, kInk, 2);
  g.Line({{2, 2}, {13, 13}}, kInk, 2);
  g.Line({{13, 2}, {2, 13}}, kInk, 2);
  g.Disc(3, 3, 12, 12, kGrey, kInk);
  g.Disc(6, 6, 9, 9, kPaper, kInk);
}
void Clock(GlyphPen& g) {
  g.Disc(1, 1, 14, 14, kPaper, kInk);
  g.Line({{7, 3}, {7, 8}, {11, 8}}, kBlue, 1);
}
void Ticked(GlyphPen& g) {
  g.Box(1, 1, 14, 14, kPaper, kBlue);
  Check(g, kBlue);
}
void Sheets(GlyphPen& g) {
  Sheet(g, 1, 1);
  Sheet(g, 6, 3);
}
void TrafficLight(GlyphPen& g, int lit) {
  g.Box(4, 0, 11, 15, kInk, kInk);
  const TColor lamps[3] = {kRed, kAmber, kGreen};
  for (int i = 0; i < 3; ++i) {
    g.Disc(5, 1 + i * 5, 10, 4 + i * 5, i == lit ? lamps[i] : kGrey, clNone);
  }
}
void List(GlyphPen& g) {
  g.Box(1, 1, 14, 14, kPaper, kInk);
  for (int y = 4; y <= 11; y += 3) {
    g.Box(3, y, 4, y + 1, kBlue, clNone);
    g.Line({{6, y}, {12, y}}, kInk);
  }
}
void Table(GlyphPen& g) {
  g.Box(1, 2, 14, 13, kPaper, kInk);
  g.Box(1, 2, 14, 4, kSky, kInk);
  for (int x = 5; x <= 10; x += 5) g.Line({{x, 2}, {x, 13}}, kInk);
  for (int y = 7; y <= 10; y += 3) g.Line({{1, y}, {14, y}}, kInk);
}
void Matrix(GlyphPen& g) {
  for (int y = 1; y <= 11; y += 5) {
    for (int x = 1; x <= 11; x += 5) g.Box(x, y, x + 3, y + 3, (x + y) % 2 ? kBlue : kGreen, kInk);
  }
}
void Play(GlyphPen& g) { g.Figure({{3, 1}, {13, 7}, {3, 14}}, kGreen, kInk); }
void Chart(GlyphPen& g) {
  g.Line({{1, 0}, {1, 14}, {15, 14}}, kInk);
  g.Line({{2, 11}, {6, 6}, {9, 9}, {14, 2}}, kRed, 2);
}
void Brackets(GlyphPen& g) {
  g.Line({{5, 3}, {1, 7}, {5, 11}}, kBlue, 2);
  g.Line({{10, 3}, {14, 7}, {10, 11}}, kBlue, 2);
  g.Line({{9, 2}, {6, 12}}, kRed, 1);
}
void Globe(GlyphPen& g) {
  g.Disc(1, 1, 14, 14, kSky, kDarkBlue);
  g.Disc(5, 1, 10, 14, clNone, kDarkBlue);
  g.Line({{1, 7}, {14, 7}}, kDarkBlue);
  g.Figure({{3, 4}, {7, 3}, {6, 7}, {3, 8}}, kGreen, clNone);
}
void Card(GlyphPen& g) {
  g.Box(0, 3, 15, 12, kPaper, kInk);
  g.Box(10, 4, 13, 7, kRed, clNone);
  for (int y = 6; y <= 10; y += 2) g.Line({{2, y}, {8, y}}, kBlue);
}
void Star(GlyphPen& g) {
  g.Figure({{7, 0}, {9, 5}, {15, 5}, {10, 9}, {12, 15}, {7, 11}, {3, 15}, {5, 9}, {0, 5}, {6, 5}},
           kYellow, kAmber);
}
void Triangle(GlyphPen& g, bool down) {
  if (down) {
    g.Figure({{2, 4}, {13, 4}, {7, 11}}, kInk, kInk);
  } else {
    g.Figure({{2, 11}, {13, 11}, {7, 4}}, kInk, kInk);
  }
}
void Move(GlyphPen& g, bool copy) {
  g.Box(0, 2, 5, 13, copy ? kPaper : kSky, kInk);
  g.Box(10, 2, 15, 13, kPaper, kInk);
  g.Line({{4, 7}, {11, 7}}, copy ? kGreen : kBlue, 2);
  g.Line({{8, 4}, {11, 7}, {8, 10}}, copy ? kGreen : kBlue, 1);
}
void Letters(GlyphPen& g, const char* text) {
  g.Box(0, 2, 15, 13, kPaper, kInk);
  g.Label(1, 3, 14, 12, text, kBlue);
}

}  // namespace ui::motifs
