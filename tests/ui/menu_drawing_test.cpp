// The owner-drawn menus: the icon a caption stands for, the pictures behind the icons, item sizes,
// the colours of plain, selected, checked and disabled items, the QSL status swatches, nothing
// without the picture form, and one menu with every icon and swatch.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/grid_colours.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/colors.h"
#include "platform/qt/image.h"
#include "platform/qt/image_list.h"
#include "platform/qt/menus.h"
#include "platform/qt/popup_window.h"
#include "tests/ui/menu_shot.h"
#include "tests/ui/ui_fixture.h"
#include "ui/grafik.h"
#include "ui/layout.h"
#include "ui/menu_icons.h"
#include "ui/menu_pictures.h"
#include "ui/picture_form.h"
#include "ui/rounding.h"

namespace ui {
namespace {

using platform::qt::ColorToRGB;
using platform::qt::TBitmap;
using platform::qt::TMenuItem;
using platform::qt::TRect;

// One caption for each icon index, in index order.
constexpr const char* kOnePerIcon[kMenuIconCount] = {"Neu",
                                                     "Ändern",
                                                     "Löschen",
                                                     "erweiterte Suche",
                                                     "Drucken",
                                                     "Übernehmen",
                                                     "DXCC-Statistik",
                                                     "Hilfe",
                                                     "Abbrechen",
                                                     "Tabelle",
                                                     "HTML",
                                                     "Export",
                                                     "Liste",
                                                     "Einstellungen",
                                                     "Auswertung starten",
                                                     "Schließen",
                                                     "Zurück",
                                                     "Import",
                                                     "Auswahl",
                                                     "SAT",
                                                     "Label",
                                                     "Karte",
                                                     "Aktion für alle Einträge",
                                                     "Runde",
                                                     "DXCluster",
                                                     "Ausschneiden",
                                                     "Kopieren",
                                                     "Einfügen",
                                                     "Eingabefeld deaktivieren",
                                                     "Eintrag für nächste QSO behalten",
                                                     "Tabulatorreihenfolge",
                                                     "Feld tauschen",
                                                     "Rückgängig",
                                                     "QSO-Zusatzfenster",
                                                     "QuickCheck",
                                                     "Kalender",
                                                     "Webbrowser",
                                                     "EM2008",
                                                     "1.Zusatzfenster rechts",
                                                     "2.Zusatzfenster rechts",
                                                     "1.Zusatzfenster unten",
                                                     "2.Zusatzfenster unten",
                                                     "3.Zusatzfenster unten",
                                                     "DN-Log drucken",
                                                     "Email senden",
                                                     "Suche"};

struct IconRow {
  const char* caption;
  int index;
};

TEST(MenuIconTableTest, TheLastMatchingCaptionDecides) {
  for (int i = 0; i < kMenuIconCount; ++i) EXPECT_EQ(MenuIconIndex(kOnePerIcon[i]), i) << i;
  const IconRow rows[] = {
      {"Neu erstellen", 0},
      {"Keplerdaten", 1},
      {"Abmelden", 2},
      {"zurück", 16},
      {"Webbrowser 2", 36},
      {"Fenster \"Optionen\" öffnen", 13},
      {"Eintrag aus Liste holen", 12},
      {"Kopieren für Email", 44},
      {"suche", -1},
      {"Suche ", -1},
      {"", -1},
  };
  for (const IconRow& row : rows) EXPECT_EQ(MenuIconIndex(row.caption), row.index) << row.caption;
  // The new look takes a few from the image list, the close icon from its own image.
  EXPECT_TRUE(MenuIconFromImageList(3));
  EXPECT_TRUE(MenuIconFromImageList(42));
  EXPECT_FALSE(MenuIconFromImageList(45));
  EXPECT_FALSE(MenuIconFromImageList(15));
  EXPECT_EQ(MenuIconImageName(15), "imgbtnClose15");
  EXPECT_EQ(MenuIconImageName(44), "imgbtn15x15x44");
}

class MenuDrawingTest : public ::testing::Test {
 protected:
  MenuDrawingTest() { colours_->GridHighlightColor = 0x00C08040; }

  void SetLook(bool new_look) {
    logbook::ToSetupLayout layout = settings_->GetLayout();
    layout.layout_variant_switch = new_look ? 1 : 0;
    settings_->SetLayout(layout);
  }
  TColor Highlight() { return settings_->GetLayout().list_colours[0]; }
  TMenuItem& Item(const std::string& caption) {
    auto* item = new TMenuItem(&form_);
    item->SetCaption(caption);
    return *item;
  }
  // The item drawn at the left of a fresh bitmap of `kWidth` x `kHeight`.
  TBitmap Draw(TMenuItem& item, bool selected = false) {
    TBitmap bitmap(kWidth, kHeight);
    bitmap.Canvas().Brush.Color = platform::qt::clFuchsia;
    bitmap.Canvas().FillRect({0, 0, kWidth, kHeight});
    ToLayout::MenuDrawItem(item, bitmap.Canvas(), &form_, selected, {0, 0, kWidth, kHeight});
    return bitmap;
  }
  // Whether the picture shows at (x, y) of the bitmap: every pixel that is not the picture's
  // background has the picture's colour there.
  static bool Shows(const TBitmap& bitmap, const TBitmap& picture, int x, int y) {
    int inked = 0;
    for (int py = 0; py < picture.Height(); ++py) {
      for (int px = 0; px < picture.Width(); ++px) {
        const TColor p = picture.Pixel(px, py);
        if (p == ColorToRGB(kMenuPictureBackground)) continue;
        ++inked;
        if (bitmap.Pixel(x + px, y + py) != p) return false;
      }
    }
    return inked > 0;
  }
  // The columns that hold a pixel other than `background` in x from..to-1, over the full height.
  static std::set<int> InkedColumns(const TBitmap& bitmap, int from, int to, TColor background) {
    std::set<int> columns;
    for (int x = from; x < to; ++x) {
      for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.Pixel(x, y) != ColorToRGB(background)) columns.insert(x);
      }
    }
    return columns;
  }
  TColor Plain() { return ToGrafik::FarbeAbstufen(colours_->GridHighlightColor, 70); }
  // The new look centres the icon on a line of the menu font (Arial 9 by default).
  static int IconTop() {
    TBitmap probe(1, 1);
    probe.Canvas().Font.SetName("Arial");
    probe.Canvas().Font.SetSize(9);
    return (kHeight - probe.Canvas().TextHeight("X")) / 2 + 1;
  }

  static constexpr int kWidth = 220;
  static constexpr int kHeight = 22;
  testing::ScreenScope screen_{768, 96};
  common::ScopedService<logbook::ToSetups> settings_;
  common::ScopedService<common::GridColours> colours_;
  testing::SizedForm form_{300, 200, true, true};
  std::unique_ptr<TFormBildressourcen> pictures_ = std::make_unique<TFormBildressourcen>(nullptr);
};

TEST_F(MenuDrawingTest, ThePictureFormHoldsFortySixDifferentFifteenPixelIcons) {
  const platform::qt::TImageList& list = *pictures_->ImageListMenuek();
  EXPECT_EQ(list.Count(), kMenuIconCount);
  EXPECT_EQ(list.Width(), 15);
  EXPECT_EQ(list.Height(), 15);
  std::set<std::vector<TColor>> motifs;
  for (int i = 0; i < kMenuIconCount; ++i) {
    const platform::qt::TImage* image = pictures_->Image(MenuPictureName(i));
    ASSERT_NE(image, nullptr) << i;
    EXPECT_EQ(pictures_->FindComponent(MenuPictureName(i)), image) << i;
    EXPECT_EQ(image->Picture().Width(), 15) << i;
    EXPECT_EQ(image->Picture().Height(), 15) << i;
    std::vector<TColor> pixels;
    const TBitmap picture = list.Picture(i);
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 15; ++x) pixels.push_back(picture.Pixel(x, y));
    }
    motifs.insert(pixels);
  }
  EXPECT_EQ(motifs.size(), static_cast<std::size_t>(kMenuIconCount));  // one motif per index
  ASSERT_NE(pictures_->Image("imgbtnClose15"), nullptr);
  EXPECT_EQ(pictures_->Image("imgbtnClose15")->Picture().Height(), 15);
}

TEST_F(MenuDrawingTest, ItemsAreAtLeast120WideAndAnXAndAThirdHighAtBothResolutions) {
  for (const int dpi : {96, 120}) {
    SCOPED_TRACE(dpi);
    testing::ScreenScope screen(768, dpi);
    testing::SizedForm form(300, 200, true, true);
    TBitmap scratch(1, 1);
    int height = 0;
    int width = 0;
    ToLayout::MenuMeasureItem(Item("Neu"), scratch.Canvas(), &form, height, width);
    EXPECT_EQ(width, dpi == 96 ? 120 : 150);
    TBitmap probe(1, 1);
    probe.Canvas().Font.SetName("Arial");
    probe.Canvas().Font.SetSize(9);
    EXPECT_EQ(height, RoundEven(probe.Canvas().TextHeight("X") * 1.3));
    const std::string words = "Eintrag für nächste QSO behalten und noch viel mehr";
    ToLayout::MenuMeasureItem(Item(words), scratch.Canvas(), &form, height, width);
    EXPECT_EQ(width, (dpi == 96 ? 60 : 75) + probe.Canvas().TextWidth(words));
  }
}

TEST_F(MenuDrawingTest, SearchShowsIcon45AndExtendedSearchIcon3InBothLooks) {
  for (const bool new_look : {true, false}) {
    SCOPED_TRACE(new_look);
    SetLook(new_look);
    const TBitmap search = Draw(Item("Suche"));
    const TBitmap extended = Draw(Item("erweiterte Suche"));
    const int top = new_look ? IconTop() : 2;
    EXPECT_TRUE(Shows(search, MenuPicture(45), 20, top));
    EXPECT_FALSE(Shows(search, MenuPicture(3), 20, top));
    EXPECT_TRUE(Shows(extended, MenuPicture(3), 20, top));
    EXPECT_EQ(search.Pixel(20, top), ColorToRGB(Plain()));  // the picture's ground is see-through
  }
}

// Above 96 dpi only the icon's offsets are scaled, so an item further down keeps its icon.
TEST_F(MenuDrawingTest, AtHigherResolutionTheIconStaysInItsItem) {
  testing::ScreenScope screen(768, 120);
  testing::SizedForm form(300, 200, true, true);
  for (const char* caption : {"erweiterte Suche", "Suche"}) {  // image list and single image
    SCOPED_TRACE(caption);
    TBitmap bitmap(kWidth, 3 * kHeight);
    const TRect third{0, 2 * kHeight, kWidth, 3 * kHeight};
    ToLayout::MenuDrawItem(Item(caption), bitmap.Canvas(), &form, false, third);
    const TBitmap& icon = MenuPicture(MenuIconIndex(caption));
    EXPECT_TRUE(Shows(bitmap, icon, 25, third.Top + IconTop()));
  }
}

TEST_F(MenuDrawingTest, ACaptionWithoutIconHasNoneAndItsTextStarts42In) {
  SetLook(true);
  const TBitmap plain = Draw(Item("Unbekannt"));
  const TColor strip = ToGrafik::FarbeAbstufen(colours_->GridHighlightColor, 20);
  EXPECT_EQ(plain.Pixel(8, 10), ColorToRGB(strip));  // the icon strip from 3 to 15
  EXPECT_EQ(plain.Pixel(2, 10), ColorToRGB(Plain()));
  EXPECT_EQ(plain.Pixel(15, 10), ColorToRGB(Plain()));
  EXPECT_TRUE(InkedColumns(plain, 15, 42, Plain()).empty());  // no icon
  const std::set<int> text = InkedColumns(plain, 42, kWidth, Plain());
  ASSERT_FALSE(text.empty());
  EXPECT_GE(*text.begin(), 45);  // 3 into the caption's rectangle
  EXPECT_LE(*text.begin(), 47);
}

TEST_F(MenuDrawingTest, SelectedCheckedAndDisabledItemsTakeTheirColours) {
  const TColor highlight = Highlight();
  const TBitmap selected = Draw(Item("Unbekannt"), true);
  EXPECT_EQ(selected.Pixel(0, 0), ColorToRGB(ToGrafik::FarbeAbstufen(highlight, -20)));
  EXPECT_EQ(selected.Pixel(kWidth - 1, kHeight - 1),
            ColorToRGB(ToGrafik::FarbeAbstufen(highlight, -20)));
  EXPECT_EQ(selected.Pixel(8, 10), ColorToRGB(ToGrafik::FarbeAbstufen(highlight, 30)));

  TMenuItem& item = Item("Unbekannt");
  item.SetChecked(true);
  item.SetEnabled(false);
  const TBitmap checked = Draw(item);
  const TColor check = ToGrafik::FarbeAbstufen(highlight, 50);
  EXPECT_EQ(checked.Pixel(8, 10), ColorToRGB(check));  // no icon strip on a checked item
  const std::set<int> text = InkedColumns(checked, 42, kWidth, check);
  ASSERT_FALSE(text.empty());
  std::set<TColor> ink;
  for (int x : text) {
    for (int y = 0; y < kHeight; ++y) ink.insert(checked.Pixel(x, y));
  }
  EXPECT_EQ(ink, (std::set<TColor>{ColorToRGB(check), 0x00808080}));
}

TEST_F(MenuDrawingTest, EachQslSwatchIsDrawnInItsStatusColour) {
  logbook::ToSetupQSL qsl = settings_->GetQSL();
  qsl.letter_groups[0] = {'J', 'L', 'E', 'Q', 'R'};
  qsl.letter_groups[1] = {'J', 'B', 0, 0, 'D'};
  qsl.letter_groups[2] = {'S', 'L', 'E', 0, 0};
  qsl.colours = {0x000000C0, 0x0000C000, 0x00C00000, 0x0000C0C0, 0x00C000C0};
  settings_->SetQSL(qsl);
  struct Swatch {
    const char* caption;
    TColor outer_frame;  // clNone: the item's own colour
    TColor outer_fill;
    TColor inner;
  };
  const TColor none = platform::qt::clNone;
  const TColor black = 0x00000000;
  const Swatch swatches[] = {
      {"QSLr = \"L \"", black, 0x0000C000, 0x0000C000},  // received 2: filled
      {"QSLr = \"R \"", black, 0x00C000C0, 0x00C000C0},  // received 5
      {"QSLs = \"D \"", 0x00C000C0, none, none},         // sent set 1, status 5: framed
      {"QSLs = \"B \"", 0x0000C000, none, none},         // sent set 1, status 2
      {"QSLs = \"E \"", black, none, 0x00C00000},        // sent set 2, status 3: inner square
      {"QSLr = \"N \"", black, none, none},              // not received
      {"QSLs = \"N \"", black, none, 0x00808080},        // not sent
  };
  for (const Swatch& s : swatches) {
    SCOPED_TRACE(s.caption);
    const TBitmap b = Draw(Item(s.caption));
    const auto expect = [&](TColor c) { return ColorToRGB(c == none ? Plain() : c); };
    EXPECT_EQ(b.Pixel(20, 2), expect(s.outer_frame));  // outer square 20..34 x 2..16
    EXPECT_EQ(b.Pixel(34, 16), expect(s.outer_frame));
    EXPECT_EQ(b.Pixel(22, 4), expect(s.outer_fill));
    EXPECT_EQ(b.Pixel(27, 9), expect(s.inner));  // inner square 24..30 x 6..12
    EXPECT_EQ(b.Pixel(36, 9), expect(none));     // nothing beside it
  }
  EXPECT_TRUE(InkedColumns(Draw(Item("QSLr = \"X \"")), 15, 42, Plain()).empty());
}

TEST_F(MenuDrawingTest, WithoutThePictureFormThereIsNoIconAndNoSwatch) {
  pictures_.reset();
  for (const char* caption : {"Suche", "Drucken", "QSLr = \"J \""}) {
    EXPECT_TRUE(InkedColumns(Draw(Item(caption)), 15, 42, Plain()).empty()) << caption;
  }
}

TEST_F(MenuDrawingTest, DisabledItemsGreyTheIconsOfTheImageList) {
  SetLook(false);
  TMenuItem& item = Item("Einfügen");
  EXPECT_TRUE(Shows(Draw(item), MenuPicture(27), 20, 2));
  item.SetEnabled(false);
  EXPECT_FALSE(Shows(Draw(item), MenuPicture(27), 20, 2));
  EXPECT_FALSE(InkedColumns(Draw(item), 20, 35, Plain()).empty());  // greyed, not gone
}

// A window's menu with every icon and the QSL swatches, in the new look.
TEST_F(MenuDrawingTest, OneMenuWithEveryIconAndTheSwatches) {
  SetLook(true);
  form_.Show();
  platform::qt::TPopupMenu menu(&form_);
  std::vector<std::string> captions(std::begin(kOnePerIcon), std::end(kOnePerIcon));
  for (const char* more : {"-", "QSLr = \"J \"", "QSLr = \"L \"", "QSLr = \"N \"", "QSLs = \"J \"",
                           "QSLs = \"S \"", "QSLs = \"N \""}) {
    captions.push_back(more);
  }
  int i = 0;
  for (const std::string& caption : captions) {
    TMenuItem& item = Item(caption);
    if (i > 0 && i % 18 == 0) item.SetBreak(platform::qt::TMenuBreak::mbBarBreak);
    if (i == 5) item.SetChecked(true);
    if (i == 8) item.SetEnabled(false);
    menu.Items()->Add(&item);
    ++i;
  }
  ToLayout::OwnerDrawMenu(menu, &form_);
  EXPECT_TRUE(menu.OwnerDraw());
  EXPECT_FALSE(menu.Items()->Items(46)->OnDrawItem);  // the separator keeps the layer's line
  menu.Popup(10, 10);
  ASSERT_TRUE(menu.IsShowing());
  menu.Window()->Select(menu.Items()->Items(3));
  EXPECT_FALSE(testing::SaveWithMenu(form_, menu, "menu_icons_and_swatches").empty());
  menu.CloseMenu();

  logbook::ToSetupLayout layout = settings_->GetLayout();
  layout.popup_menu_switch = 1;  // the standard menus
  settings_->SetLayout(layout);
  ToLayout::OwnerDrawMenu(menu, &form_);
  EXPECT_FALSE(menu.OwnerDraw());
}

}  // namespace
}  // namespace ui
