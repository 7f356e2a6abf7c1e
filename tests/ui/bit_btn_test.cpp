// The bitmap button: what each kind assigns, captions of the design, glyph states, the drop-down
// menu, help and close, sizing to the caption, the dimmed picture, the glyph lists and the look.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "platform/qt/label.h"
#include "platform/qt/menus.h"
#include "platform/qt/panel.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/platform/qt/form_fixture.h"
#include "ui/bit_btn.h"
#include "ui/glyph_cache.h"
#include "ui/kind_pictures.h"

namespace ui {
namespace {

using K = TkvBitBtnKind;
using platform::qt::TBitmap;
using platform::qt::testkit::Grab;

struct KindRow {
  const char* name;
  K kind;
  bool is_default;
  bool is_cancel;
  const char* caption;
  int modal_result;
  const char* bitmap;
};

class KindAssigns : public platform::qt::testing::FormFixture,
                    public ::testing::WithParamInterface<KindRow> {
 protected:
  KindAssigns() : FormFixture(200, 100) {}
};

TEST_P(KindAssigns, CaptionModalResultRoleAndPicture) {
  const KindRow& row = GetParam();
  auto* b = Add<TkvBitBtn>(0, 0, 100, 35);
  b->SetCaption("vorher");
  b->SetkvKind(row.kind);
  EXPECT_EQ(b->kvKind(), row.kind);
  EXPECT_EQ(b->Default(), row.is_default);
  EXPECT_EQ(b->Cancel(), row.is_cancel);
  EXPECT_EQ(b->Caption(), row.caption);
  EXPECT_EQ(b->ModalResult(), row.modal_result);
  EXPECT_EQ(KindBitmapName(row.kind), row.bitmap);
  if (*row.bitmap == '\0') {
    EXPECT_TRUE(b->Glyph().Empty());
    return;
  }
  const TBitmap& picture = platform::qt::Application().Pictures().Get(row.bitmap);
  EXPECT_EQ(b->Glyph().Width(), picture.Width());
  EXPECT_EQ(b->Glyph().Width(), 2 * b->Glyph().Height());
  EXPECT_EQ(b->NumGlyphs(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    BitBtn, KindAssigns,
    ::testing::Values(
        KindRow{"OK", K::bkOK, true, false, "OK", 1, "KVBBOK"},
        KindRow{"Cancel", K::bkCancel, false, true, "Abbrechen", 2, "KVBBCANCEL"},
        KindRow{"Yes", K::bkYes, true, false, "&Ja", 6, "KVBBYES"},
        KindRow{"No", K::bkNo, false, true, "&Nein", 7, "KVBBNO"},
        KindRow{"Close", K::bkClose, false, false, "&Schließen", 0, "KVBBCLOSE"},
        KindRow{"All", K::bkAll, false, false, "&Alles", 8, "KVBBALL"},
        KindRow{"Weiter", K::bkWeiter, false, false, "&Weiter", 11, "KVBBWEITER"},
        KindRow{"Uebernahme", K::bkUebernahme, true, false, "&Übernehmen", 1, "KVBBUEBERNAHME"},
        KindRow{"Zusatz", K::bkZusatz, false, false, "&Zusatz-|funktionen", 0, "KVBBZUSATZ"},
        KindRow{"GListe", K::bkGListe, false, false, "&Liste", 0, "KVBBGLISTE"},
        KindRow{"KOption", K::bkKOption, false, false, "", 0, "KVBBKOPTION"},
        KindRow{"ExportEMail", K::bkExportEMail, false, false, "vorher", 0, "KVBBEXPORT"},
        KindRow{"GSpalten", K::bkGSpalten, false, false, "vorher", 0, "KVBBGOPTION"},
        KindRow{"LeuchtpunktGelbNoPicture", K::bkLeuchtpunktGelb, false, false, "vorher", 0,
                ""}),
    [](const auto& info) { return std::string(info.param.name); });

class BitBtnTest : public platform::qt::testing::FormFixture {
 protected:
  BitBtnTest() : FormFixture(400, 200) {}
  TkvBitBtn* Button(K kind, int width = 120) {
    auto* b = Add<TkvBitBtn>(10, 10, width, 35);
    b->SetkvKind(kind);
    return b;
  }
};

TEST_F(BitBtnTest, TheSmallKindsSetAnEmptyCaption) {
  for (int k = 53; k <= 61; ++k) {
    auto* b = Add<TkvBitBtn>(0, 0, 30, 30);
    b->SetCaption("x");
    b->SetkvKind(static_cast<K>(k));
    EXPECT_EQ(b->Caption(), "") << k;
    EXPECT_EQ(b->NumGlyphs(), 2) << k;
  }
  EXPECT_EQ(ButtonString(65200), "");
  EXPECT_EQ(ButtonString(65264), "");  // between the captions: no entry
  EXPECT_EQ(ButtonString(65216), "&Liste");
}

TEST_F(BitBtnTest, ACaptionOfTheDesignStaysAndAMissingOneComesFromTheKind) {
  TkvBitBtn* designed = nullptr;
  TkvBitBtn* bare = nullptr;
  {
    platform::qt::LoadingScope loading(form);
    designed = Add<TkvBitBtn>(0, 0, 100, 35);
    designed->SetCaption("&Speichern");
    designed->SetkvKind(K::bkOK);
    bare = Add<TkvBitBtn>(0, 40, 100, 35);
    bare->SetkvKind(K::bkOK);
  }
  EXPECT_EQ(designed->Caption(), "&Speichern");
  EXPECT_EQ(bare->Caption(), "OK");
  designed->SetkvKind(K::bkYes);  // after loading the kind's caption replaces it
  EXPECT_EQ(designed->Caption(), "&Ja");
}

TEST_F(BitBtnTest, AGlyphAssignedAfterTheKindMakesItCustom) {
  TkvBitBtn* b = Button(K::bkOK);
  b->SetGlyph(TBitmap(32, 16));
  EXPECT_EQ(b->kvKind(), K::bkCustom);
  EXPECT_EQ(b->ModalResult(), 1);
}

TEST_F(BitBtnTest, MarginStateCountAndGlyphShapes) {
  TkvBitBtn* b = Add<TkvBitBtn>(0, 0, 100, 35);
  b->SetMargin(3);
  b->SetMargin(-2);
  EXPECT_EQ(b->Margin(), 3);
  b->SetNumGlyphs(7);
  EXPECT_EQ(b->NumGlyphs(), 4);
  b->SetGlyph(TBitmap(32, 16));
  EXPECT_EQ(b->NumGlyphs(), 2);
  b->SetGlyph(TBitmap(80, 16));
  EXPECT_EQ(b->NumGlyphs(), 1);
  b->SetGlyph(TBitmap(48, 16));
  EXPECT_EQ(b->NumGlyphs(), 3);
  b->SetGlyph(TBitmap(33, 16));  // no whole number of states: the count stays
  EXPECT_EQ(b->NumGlyphs(), 3);
  TkvBitBtn* flat = Add<TkvBitBtn>(0, 40, 100, 35);
  flat->SetGlyph(TBitmap(16, 0));  // no height: one state, nothing drawn
  EXPECT_EQ(flat->NumGlyphs(), 1);
  flat->SetEnabled(false);
  Grab(form);
}

TEST_F(BitBtnTest, ThePressDecidesBetweenMenuAndClick) {
  form.Show();
  platform::qt::TPopupMenu menu(nullptr);
  auto* item = new platform::qt::TMenuItem(&menu);
  item->SetCaption("Eintrag");
  menu.Items()->Add(item);
  TkvBitBtn* b = Button(K::bkDruck);
  b->SetkvMenue(&menu);
  int clicks = 0;
  b->OnClick = [&](platform::qt::TComponent*) { ++clicks; };

  platform::qt::testkit::Click(*b, b->Width() - 5, 10);
  EXPECT_TRUE(menu.IsShowing());
  EXPECT_EQ(clicks, 0);
  menu.CloseMenu();

  platform::qt::testkit::Click(*b, b->Width() - 20, 10);
  EXPECT_FALSE(menu.IsShowing());
  EXPECT_EQ(clicks, 1);

  b->OnClick = nullptr;  // without OnClick the whole button opens the menu
  platform::qt::testkit::Click(*b, 10, 10);
  EXPECT_TRUE(menu.IsShowing());
  menu.CloseMenu();
  platform::qt::Application().ProcessMessages();
}

TEST_F(BitBtnTest, CloseClosesItsFormAndHelpOpensTheNearestHelpContext) {
  form.Show();
  TkvBitBtn* close = Button(K::bkClose);
  platform::qt::testkit::Click(*close, 10, 10);
  EXPECT_FALSE(form.Visible());

  std::intptr_t asked = 0;
  platform::qt::Application().OnHelp = [&](int command, std::intptr_t data) {
    asked = command == platform::qt::HELP_CONTEXT ? data : -1;
    return true;
  };
  form.Show();
  auto* panel = Add<platform::qt::TPanel>(0, 60, 300, 100);
  panel->SetHelpContext(4711);
  auto* help = Add<TkvBitBtn>(5, 5, 100, 35, panel);
  help->SetkvKind(K::bkHelp);
  int clicks = 0;
  help->OnClick = [&](platform::qt::TComponent*) { ++clicks; };
  platform::qt::testkit::Click(*help, 10, 10);
  EXPECT_EQ(asked, 4711);
  EXPECT_EQ(clicks, 0);
  panel->SetHelpContext(0);
  platform::qt::testkit::Click(*help, 10, 10);  // no context anywhere: an ordinary click
  EXPECT_EQ(clicks, 1);
  platform::qt::Application().OnHelp = nullptr;
}

TEST_F(BitBtnTest, AButtonWithoutCaptionCentresItsGlyph) {
  TkvBitBtn* b = Add<TkvBitBtn>(0, 0, 24, 22);
  b->SetkvKind(K::bkKEditUp);
  const TBitmap shot = Grab(form);
  int left = 24, right = -1;
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 24; ++x) {
      if (shot.Pixel(x, y) == common::RGB(0x40, 0x40, 0x40)) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  // A 12-pixel glyph in 24 pixels: 6 pixels on either side at most.
  EXPECT_GE(left, 6);
  EXPECT_LE(right, 17);
  EXPECT_GT(right, left);
}

TEST_F(BitBtnTest, AutoWidthFitsTheCaptionAndTheGlyph) {
  TkvBitBtn* b = Button(K::bkStat, 200);
  form.Canvas().Font = b->Font();
  const int text = form.Canvas().TextWidth("&Statistik");
  b->SetkvautoWidth(10);
  EXPECT_EQ(b->Width(), text + 10 + 24 + 4);
  Grab(form);  // the paint measures the caption
  ASSERT_GT(b->CaptionWidth(), 1);
  b->SetkvautoWidth(20);
  EXPECT_EQ(b->Width(), b->CaptionWidth() + 20 + 24 + 4);
  const int width = b->Width();
  b->SetkvautoWidth(0);  // off: the width stays
  EXPECT_EQ(b->Width(), width);
  EXPECT_EQ(b->kvautoWidth(), 0);
}

TEST(DimmedCopy, DividesEveryChannelOfEveryPixelAndKeepsAlpha) {
  platform::qt::TPngImage image;
  image.SetSize(6, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 6; ++x) image.SetPixel(x, y, common::RGB(90, 150, 240), 200);
  }
  const platform::qt::TPngImage dimmed = DimmedCopy(image);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(dimmed.Pixel(x, y), common::RGB(30, 50, 80)) << x << "," << y;
      EXPECT_EQ(dimmed.Alpha(x, y), 200) << x << "," << y;
    }
  }
}

TEST_F(BitBtnTest, ButtonsOfOneGlyphSizeShareAListThatGoesWithTheLastOfThem) {
  const int before = TGlyphCache::ListCount();
  TkvBitBtn* ok = Button(K::bkOK);
  TkvBitBtn* cancel = Button(K::bkCancel);
  Grab(form);
  EXPECT_EQ(TGlyphCache::ListCount(), before + 1);
  TkvBitBtn* large = Button(K::bkGNeu);
  Grab(form);
  EXPECT_EQ(TGlyphCache::ListCount(), before + 2);
  EXPECT_EQ(KindBitmap(K::bkOK).get(), KindBitmap(K::bkOK).get());
  delete ok;
  delete large;
  EXPECT_EQ(TGlyphCache::ListCount(), before + 1);
  delete cancel;
  EXPECT_EQ(TGlyphCache::ListCount(), before);
}

TEST(KindPictures, EveryNamedPictureIsRegisteredWithTwoStates) {
  for (int k = 0; k < kBitBtnKindCount; ++k) {
    const std::string name = KindBitmapName(static_cast<K>(k));
    if (name.empty()) continue;
    const auto bitmap = KindBitmap(static_cast<K>(k));
    EXPECT_TRUE(platform::qt::Application().Pictures().Contains(name)) << name;
    ASSERT_FALSE(bitmap->Empty()) << name;
    EXPECT_EQ(bitmap->Width(), 2 * bitmap->Height()) << name;
  }
  EXPECT_EQ(KindBitmapName(K::bkExportWeb), KindBitmapName(K::bkExport));
}

// Pixels of the look: a flat button has no frame until the mouse is over it.
TEST_F(BitBtnTest, TheFrameComesWithTheMouseAndTheArrowTurnsBlue) {
  const platform::qt::TColor face = platform::qt::ColorToRGB(platform::qt::clBtnFace);
  TkvBitBtn* b = Button(K::bkDruck, 140);
  TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10, 10), face);
  b->MouseEnter();
  shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10, 10), platform::qt::clWhite);  // raised inner: highlight
  EXPECT_EQ(shot.Pixel(10 + 139, 10 + 34), platform::qt::ColorToRGB(platform::qt::clBtnShadow));
  b->MouseLeave();
  shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10 + 139, 10 + 34), face);

  platform::qt::TPopupMenu menu(nullptr);
  b->SetkvMenue(&menu);
  b->OnClick = [](platform::qt::TComponent*) {};
  b->Font().SetColor(platform::qt::clBlack);
  const int arrow_x = 10 + 140 - 8;      // middle of the arrow's first row
  const int arrow_y = 10 + 35 / 2 - 2;  // two above the middle
  shot = Grab(form);
  EXPECT_EQ(shot.Pixel(arrow_x, arrow_y), platform::qt::clBlack);
  b->MouseEnter();
  shot = Grab(form);
  EXPECT_EQ(shot.Pixel(arrow_x, arrow_y), platform::qt::clBlue);
  EXPECT_EQ(shot.Pixel(arrow_x, arrow_y + 4), platform::qt::clBlue);  // the tip
  EXPECT_EQ(shot.Pixel(arrow_x - 1, arrow_y + 4), face);
}

TEST_F(BitBtnTest, PicturesReplaceTheGlyphAndDimWhenDisabled) {
  form.SetColor(platform::qt::clWhite);
  TkvBitBtn* b = Button(K::bkOK);
  platform::qt::TPngImage red;
  red.SetSize(12, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) red.SetPixel(x, y, platform::qt::clRed, 255);
  }
  b->SetImageNormal(red);
  auto count = [&](platform::qt::TColor colour) {
    const TBitmap shot = Grab(form);
    int n = 0;
    for (int y = 10; y < 45; ++y) {
      for (int x = 10; x < 130; ++x) n += shot.Pixel(x, y) == colour;
    }
    return n;
  };
  EXPECT_EQ(count(platform::qt::clRed), 144);
  b->SetEnabled(false);
  EXPECT_EQ(count(common::RGB(85, 0, 0)), 144);
  EXPECT_GT(count(platform::qt::clGray), 5);  // the caption
}

TEST_F(BitBtnTest, RoundedAndFramedLooks) {
  form.SetColor(platform::qt::clWhite);
  TkvBitBtn* round = Button(K::bkNeu);
  round->SetkvFlatround(true);
  TkvBitBtn* framed = Add<TkvBitBtn>(10, 60, 120, 35);
  framed->SetkvnichtTransparent(true);
  framed->SetkvnichtTransparentColor(0xE0FFE0);
  framed->SetkvnichtTransparentRahmenColor(platform::qt::clNavy);
  const TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10 + 60, 10 + 1), platform::qt::clSilver);
  EXPECT_EQ(shot.Pixel(10 + 3, 10 + 17), 0xAADFFFu);
  EXPECT_EQ(shot.Pixel(10 + 60, 60 + 2), platform::qt::clNavy);
  EXPECT_EQ(shot.Pixel(10 + 60, 60 + 6), 0xE0FFE0u);
}

// Kinds 1 to 12 as normal, hot, pressed, disabled and deactivated.
TEST_F(BitBtnTest, Screenshot_KindsInTheirStates) {
  form.SetClientSize(5 * 130 + 10, 13 * 40 + 10);
  form.Show();
  const char* states[] = {"normal", "Maus darauf", "gedrückt", "gesperrt", "kvDeaktiviert"};
  for (int column = 0; column < 5; ++column) {
    auto* label = Add<platform::qt::TLabel>(10 + column * 130, 10, 120, 16);
    label->SetCaption(states[column]);
  }
  std::vector<TkvBitBtn*> hot;
  std::vector<TkvBitBtn*> pressed;
  for (int k = 1; k <= 12; ++k) {
    for (int column = 0; column < 5; ++column) {
      auto* b = Add<TkvBitBtn>(10 + column * 130, 30 + (k - 1) * 40, 120, 35);
      b->SetkvKind(static_cast<K>(k));
      b->SetTabStop(false);
      if (column == 1) hot.push_back(b);
      if (column == 2) pressed.push_back(b);
      if (column == 3) b->SetEnabled(false);
      if (column == 4) b->SetkvDeaktiviert(true);
    }
  }
  // The window system's own enter and leave notices for the new buttons come first.
  platform::qt::Application().ProcessMessages();
  for (TkvBitBtn* b : hot) b->MouseEnter();
  for (TkvBitBtn* b : pressed) platform::qt::testkit::MouseDown(*b, 20, 10);
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(form, "bitbtn_kinds_1_to_12").empty());
}

TEST_F(BitBtnTest, Screenshot_SpecialLooks) {
  form.SetClientSize(660, 220);
  form.Show();
  platform::qt::TPopupMenu menu(nullptr);
  auto add = [&](int column, int row, K kind) {
    auto* b = Add<TkvBitBtn>(10 + column * 130, 10 + row * 45, 120, 40);
    b->SetkvKind(kind);
    b->SetTabStop(false);
    return b;
  };
  add(0, 0, K::bkZusatz);
  add(1, 0, K::bkSuche);
  add(2, 0, K::bkGDruck)->SetkvMenue(&menu);
  TkvBitBtn* split = add(3, 0, K::bkGDruck);
  split->SetkvMenue(&menu);
  split->OnClick = [](platform::qt::TComponent*) {};
  split->MouseEnter();
  add(4, 0, K::bkGNeu)->SetkvFlatround(true);
  TkvBitBtn* framed = add(0, 1, K::bkUebernahme);
  framed->SetkvnichtTransparent(true);
  framed->SetkvnichtTransparentRahmenColor(platform::qt::clNavy);
  add(1, 1, K::bkGAmpelrot);
  add(2, 1, K::bkGAmpelgruen);
  add(3, 1, K::bkGKarte)->SetLayout(platform::qt::TButtonLayout::blGlyphTop);
  add(4, 1, K::bkHTML)->SetkvnichtFlat(true);
  for (int k = 53; k <= 61; ++k) {
    auto* b = Add<TkvBitBtn>(10 + (k - 53) * 30, 110, 24, 22);
    b->SetkvKind(static_cast<K>(k));
    b->SetTabStop(false);
  }
  const K large[] = {K::bkGListe, K::bkGTabelle, K::bkGMatrix, K::bkGDiagramm, K::bkGLabel};
  for (int i = 0; i < 5; ++i) add(i, 3, large[i])->SetTop(145);
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(form, "bitbtn_special_looks").empty());
}

}  // namespace
}  // namespace ui
