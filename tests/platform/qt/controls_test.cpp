// The four controls and the painting and mouse paths they share: graphic controls painted on
// their parent, the panel's bevels, the label's sizes, the edit's text, and mouse input.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/bitmap.h"
#include "platform/qt/button.h"
#include "platform/qt/check_box.h"
#include "platform/qt/colors.h"
#include "platform/qt/edit.h"
#include "platform/qt/form.h"
#include "platform/qt/keys.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/common/temp_folder.h"
#include "tests/platform/qt/form_fixture.h"

namespace platform::qt {
namespace {

using testkit::Grab;

// Paints a red frame over its whole area and a blue pixel 2 pixels outside it (clipped away).
struct Marker : TGraphicControl {
  using TGraphicControl::TGraphicControl;
  void Paint() override {
    Canvas().Brush.Color = clRed;
    Canvas().FrameRect(ClientRect());
    Canvas().SetPixel(-2, -2, clBlue);
    painted_font = Canvas().Font.Name();
  }
  std::string painted_font;
};

class ControlsTest : public testing::FormFixture {
 protected:
  ControlsTest() : FormFixture(200, 120) { form.SetColor(clWhite); }
};

TEST_F(ControlsTest, GraphicControlsPaintOnTheirParentClippedInChildOrder) {
  auto* first = Add<Marker>(10, 10, 20, 20);
  auto* second = Add<Marker>(20, 20, 20, 20);
  auto* hidden = Add<Marker>(100, 10, 20, 20);
  hidden->Hide();
  form.Font().SetName("Courier New");
  const TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10, 10), clRed);
  EXPECT_EQ(shot.Pixel(29, 29), clRed);
  EXPECT_EQ(shot.Pixel(8, 8), clWhite);    // outside its bounds: clipped
  EXPECT_EQ(shot.Pixel(25, 29), clRed);    // the second lies over the first
  EXPECT_EQ(shot.Pixel(21, 21), clWhite);  // the first's frame stops there, second paints nothing
  EXPECT_EQ(shot.Pixel(100, 10), clWhite);
  EXPECT_EQ(first->painted_font, "Courier New");  // the canvas starts with the control's font
  second->SendToBack();
  EXPECT_EQ(form.Controls().front(), second);
  EXPECT_EQ(Grab(form).Pixel(29, 25), clRed);  // now the first lies over the second
}

TEST_F(ControlsTest, PanelPaintsBevelsBorderAndCaption) {
  auto* panel = Add<TPanel>(0, 0, 100, 40);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(1);
  panel->SetBevelInner(TBevelCut::bvLowered);
  panel->SetColor(clYellow);
  panel->SetCaption("Mitte");
  const TBitmap shot = Grab(*panel);
  EXPECT_EQ(shot.Pixel(0, 0), ColorToRGB(clBtnHighlight));  // raised outer: light top-left
  EXPECT_EQ(shot.Pixel(1, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.Pixel(99, 39), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.Pixel(2, 10), clYellow);                 // the border in the panel's colour
  EXPECT_EQ(shot.Pixel(3, 10), ColorToRGB(clBtnShadow));  // lowered inner: dark top-left
  EXPECT_EQ(shot.Pixel(95, 35), ColorToRGB(clBtnHighlight));
  int ink = 0;
  for (int x = 0; x < 100; ++x) {
    for (int y = 0; y < 40; ++y) ink += shot.Pixel(x, y) == clBlack ? 1 : 0;
  }
  EXPECT_GT(ink, 20);  // the caption
  EXPECT_EQ(shot.Pixel(10, 20), clYellow);
}

TEST_F(ControlsTest, LabelSizesToItsCaptionWrapsAndFillsUnlessTransparent) {
  auto* label = Add<TLabel>(5, 5, 0, 0);
  label->SetCaption("Rufzeichen");
  const int one_line = label->Height();
  EXPECT_EQ(label->Width(), label->Canvas().TextWidth("Rufzeichen"));
  label->SetCaption("&Ja");
  EXPECT_EQ(label->Width(), label->Canvas().TextWidth("Ja"));
  label->SetAutoSize(false);
  label->SetWidth(60);
  label->SetWordWrap(true);
  label->SetAutoSize(true);
  label->SetCaption("eins zwei drei vier");
  EXPECT_EQ(label->Width(), 60);
  EXPECT_EQ(label->Height(), 2 * one_line);
  label->SetColor(clAqua);
  EXPECT_EQ(Grab(form).Pixel(5 + 59, 5), clAqua);
  label->SetTransparent(true);
  EXPECT_EQ(Grab(form).Pixel(5 + 59, 5), clWhite);
  label->SetEnabled(false);
  label->SetTransparent(false);
  const TBitmap shot = Grab(form);
  int shadow = 0;
  for (int x = 5; x < 65; ++x) {
    for (int y = 5; y < 5 + one_line; ++y) shadow += shot.Pixel(x, y) == ColorToRGB(clBtnShadow);
  }
  EXPECT_GT(shadow, 10);  // disabled text is embossed in the shadow colour
}

TEST_F(ControlsTest, EditChangesAreReportedTypedOrSetAndKeepMaxLengthAndReadOnly) {
  auto* edit = Add<TEdit>(10, 10, 120, 21);
  std::vector<std::string> changes;
  edit->OnChange = [&](TComponent* sender) {
    changes.push_back(static_cast<TEdit*>(sender)->Text());
  };
  edit->SetText("Größe");
  edit->SetText("Größe");  // unchanged: no notice
  EXPECT_EQ(changes, std::vector<std::string>{"Größe"});
  form.Show();
  edit->SetFocus();
  edit->SetMaxLength(7);
  edit->SelectAll();
  testkit::TypeText(*edit, "DL1ABCDEF");
  EXPECT_EQ(edit->Text(), "DL1ABCD");
  edit->SetSelStart(3);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), "AB");
  edit->SetSelText("X");
  EXPECT_EQ(edit->Text(), "DL1XCD");
  edit->SetReadOnly(true);
  testkit::TypeText(*edit, "Z");
  EXPECT_EQ(edit->Text(), "DL1XCD");
  EXPECT_EQ(changes.back(), "DL1XCD");
}


// A paste holding control characters (a spreadsheet row, a line with its end) keeps the pasted
// text up to the first of them; the field's text around it stays.
struct PasteRow {
  const char* name;
  const char* before;
  int sel_start;
  int sel_length;
  int max_length;
  std::string pasted;
  const char* after;
};
void PrintTo(const PasteRow& row, std::ostream* os) { *os << row.name; }

class EditPasteTest : public ControlsTest, public ::testing::WithParamInterface<PasteRow> {};

TEST_P(EditPasteTest, KeepsThePastedTextUpToTheFirstControlCharacter) {
  const PasteRow& row = GetParam();
  auto* edit = Add<TEdit>(10, 10, 120, 21);
  edit->SetMaxLength(row.max_length);
  edit->SetText(row.before);
  form.Show();
  edit->SetFocus();
  edit->SetSelStart(row.sel_start);
  edit->SetSelLength(row.sel_length);
  Application().SetClipboardText(row.pasted);
  testkit::PressKey(*edit, 'V', ssCtrl);
  EXPECT_EQ(edit->Text(), row.after);
  // The same text given by the program.
  edit->SetText(row.before);
  edit->SetSelStart(row.sel_start);
  edit->SetSelLength(row.sel_length);
  edit->SetSelText(row.pasted);
  EXPECT_EQ(edit->Text(), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, EditPasteTest,
    ::testing::Values(
        PasteRow{"TabAndLineFeed", "", 0, 0, 12, "DL2ABC\t33\nG3XYZ", "DL2ABC"},
        PasteRow{"LineEndInTheMiddle", "DLXY", 2, 0, 0, "2\r\n3", "DL2XY"},
        PasteRow{"OverASelection", "DL1ABC", 2, 3, 0, std::string("9Z\0Q", 4), "DL9ZC"},
        PasteRow{"LeadingLineEnd", "DL", 2, 0, 0, "\nABC", "DL"},
        PasteRow{"BeyondTheMaxLength", "", 0, 0, 6, "DL2ABC\n", "DL2ABC"},
        PasteRow{"CleanTextWhole", "", 0, 0, 0, "DL2ABC 33", "DL2ABC 33"}),
    [](const ::testing::TestParamInfo<PasteRow>& info) { return info.param.name; });

TEST_F(ControlsTest, ATextGivenByTheProgramKeepsNoControlCharacter) {
  auto* edit = Add<TEdit>(10, 10, 120, 21);
  edit->SetText("DL2ABC\t33\r\n");
  EXPECT_EQ(edit->Text(), "DL2ABC");
}
TEST_F(ControlsTest, MouseReachesTheGraphicChildUnderItWithItsOwnCoordinates) {
  auto* panel = Add<TPanel>(0, 0, 150, 100);
  auto* label = Add<TLabel>(40, 30, 0, 0, panel);
  label->SetCaption("Klick");
  std::vector<std::string> log;
  label->OnMouseDown = [&](TComponent*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back("down " + std::to_string(static_cast<int>(b)) + " " + std::to_string(s) + " " +
                  std::to_string(x) + "," + std::to_string(y));
  };
  label->OnClick = [&](TComponent*) { log.push_back("label click"); };
  label->OnDblClick = [&](TComponent*) { log.push_back("label double"); };
  panel->OnClick = [&](TComponent*) { log.push_back("panel click"); };
  form.Show();
  testkit::Click(*label, 3, 4);
  testkit::Click(*panel, 5, 5);
  testkit::MouseDown(*label, 1, 1, TMouseButton::mbRight, ssShift);
  testkit::MouseUp(*label, 1, 1, TMouseButton::mbRight);
  // Pressed on the label, released outside it: the label gets the release, but no click.
  testkit::MouseDown(*label, 2, 2);
  testkit::MouseUp(*panel, 120, 90);
  // Pressed on a check box, released over the label: the release the box leaves clicks nothing.
  auto* box = Add<TCheckBox>(10, 60, 16, 16, panel);
  testkit::MouseDown(*box, 8, 8);
  testkit::MouseUp(*box, label->Left() + 3 - box->Left(), label->Top() + 3 - box->Top());
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 8 3,4", "label click", "panel click",
                                           "down 1 17 1,1", "down 0 8 2,2"}));
}

TEST_F(ControlsTest, AButtonThatFreesItsFormFromOnClickEndsCleanly) {
  auto* owned = new TForm(nullptr);
  const auto alive = owned->AliveToken();
  auto* button = new TButton(owned);
  button->SetParent(owned);
  button->OnClick = [owned](TComponent*) { delete owned; };
  owned->Show();
  testkit::Click(*button, 5, 5);
  EXPECT_TRUE(alive.expired());
}

TEST_F(ControlsTest, DefaultAndCancelButtonsMustBeShownAndEnabled) {
  auto* ok = Add<TButton>(10, 80, 75, 25);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TComponent*) { ++clicks; };
  auto* edit = Add<TEdit>(10, 10, 100, 21);
  form.Show();
  edit->SetFocus();
  ok->SetEnabled(false);
  char pressed = 0;
  edit->OnKeyPress = [&](TComponent*, char& key) { pressed = key; };
  testkit::PressKey(*edit, VK_RETURN);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(pressed, '\r');  // no button took it
  ok->SetEnabled(true);
  testkit::PressKey(*edit, VK_RETURN, ssShift);
  EXPECT_EQ(clicks, 0);  // a shifted Enter is no dialog key
  testkit::PressKey(*edit, VK_RETURN);
  EXPECT_EQ(clicks, 1);
}

TEST(BitmapTest, CopiesAreIndependentAndPngRoundTrips) {
  TBitmap original(8, 8);
  original.Canvas().Brush.Color = clGreen;
  original.Canvas().FillRect({0, 0, 4, 4});
  TBitmap copy = original;
  original.Canvas().FillRect({0, 0, 8, 8});
  EXPECT_EQ(copy.Pixel(7, 7), clWhite);
  copy.SetSize(10, 6);
  EXPECT_EQ(copy.Pixel(3, 3), clGreen);  // kept what fits
  EXPECT_EQ(copy.Pixel(9, 5), clWhite);
  common::testing::TempFolder folder;
  ASSERT_TRUE(copy.SaveToPng(folder / "copy.png"));
  TBitmap loaded;
  ASSERT_TRUE(loaded.LoadFromFile(folder / "copy.png"));
  EXPECT_EQ(loaded.Width(), 10);
  EXPECT_EQ(loaded.Pixel(3, 3), clGreen);
  EXPECT_FALSE(loaded.LoadFromFile(folder / "missing.png"));
  EXPECT_EQ(loaded.Width(), 10);
  TBitmap empty;
  EXPECT_FALSE(empty.SaveToPng(folder / "empty.png"));
  EXPECT_EQ(empty.Pixel(0, 0), clNone);
  empty.Canvas().FillRect({0, 0, 5, 5});  // nothing to draw on: nothing happens
}

}  // namespace
}  // namespace platform::qt
