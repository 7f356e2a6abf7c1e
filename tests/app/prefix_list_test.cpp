// The DXCC prefix list on a small table: its two short sort orders and the extended view of the
// two station calls, headings and rows of every index and view, bearing and distance, the marker
// column, deleting, and choosing an entity for the QSO edit dialog.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/daten_liste_form.h"
#include "app/prefix_brow_ctrl.h"
#include "app/prefix_list.h"
#include "common/number_text.h"
#include "common/string_helpers.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/app/prefix_list_fixture.h"
#include "ui/browser_select.h"
#include "ui/kv_edit.h"

namespace app {
namespace {

using app_test::Entry;
using logbook::testing::Row;
using platform::qt::testkit::PressKey;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(';', from)) != std::string::npos; from = at + 1) {
    parts.push_back(common::Trim(text.substr(from, at - from)));
  }
  parts.push_back(common::Trim(text.substr(from)));
  return parts;
}

class PrefixListWindowTest : public app_test::PrefixListTest {
 protected:
  void SetUp() override {
    PrefixListTest::SetUp();
    const std::int32_t ended = logbook::testing::kToday - 400;
    refs_ = AddEntries({
        Entry{Row{.prefix = "DL", .dxcc = "DL", .country = "Fed. Rep. of Germany", .waz = "14",
                  .itu = "28", .adif = 230},
              'H', "JO51"},
        Entry{Row{.prefix = "DA", .dxcc = "DL", .country = "Fed. Rep. of Germany", .adif = 230},
              0, "JO51"},
        Entry{Row{.prefix = "DR", .dxcc = "DL", .country = "Fed. Rep. of Germany",
                  .range_from = 'a', .adif = 230},
              0},
        Entry{Row{.prefix = "DN", .dxcc = "DL", .country = "Fed. Rep. of Germany", .wie = "DL"}},
        Entry{Row{.prefix = "F", .dxcc = "F", .country = "France", .waz = "14", .itu = "27",
                  .adif = 227},
              'H', "JN06"},
        Entry{Row{.prefix = "Y2", .dxcc = "Y2", .country = "GDR", .end = ended, .adif = 229}, 'H',
              "JO62", 1},
        Entry{Row{.prefix = "9M0", .dxcc = "1S", .country = "Spratly Islands", .adif = 247},
              'H'},
    });
  }
  std::int32_t Ref(const std::string& prefix) const {
    static const char* const kOrder[] = {"DL", "DA", "DR", "DN", "F", "Y2", "9M0"};
    for (std::size_t i = 0; i < std::size(kOrder); ++i) {
      if (prefix == kOrder[i]) return refs_[i];
    }
    return 0;
  }
  static std::unique_ptr<logbook::TdbPrefix> Found(std::int32_t ref) {
    auto c = std::make_unique<logbook::TdbPrefix>(logbook::kPrefixMain);
    EXPECT_TRUE(c->SeekRef(ref));
    return c;
  }
  static TDatenPrefixBrowCtrl& Ctrl(const TDatenListeCtrl& list) {
    return dynamic_cast<TDatenPrefixBrowCtrl&>(*list.BrowCtrl());
  }
  void SetOwnCall(const std::string& call) { settings_->SetOwnCall(call); }
  void SetMarkerColumn(bool on) {
    logbook::ToSetupFlags16 flags = settings_->GetFlags16();
    flags[7] = on ? 1 : 0;
    settings_->SetFlags16(flags);
  }
  static void ChooseSort(TDatenListeForm& w, int entry) {
    ASSERT_NE(w.Brow->SortMenu(), nullptr);
    w.Brow->SortMenu()->Items()->Items(entry)->Click();
  }

  std::vector<std::int32_t> refs_;
};

TEST_F(PrefixListWindowTest, ShortViewSortsMainEntriesByDxccFromH1AndEveryEntryByCountryFromA) {
  TDatenPrefixListeCtrl list(nullptr, true, "dl", kPrefixIndexSelDxcc, 0);
  EXPECT_EQ(list.Caption, "Prefix");
  EXPECT_EQ(list.HelpContext, 300060001);
  Then<TDatenListeForm>([&list](TDatenListeForm& w) {
    ui::TkvBrow& b = *w.Brow;
    EXPECT_EQ(Ctrl(list).ListNr(), 52);
    EXPECT_EQ(Ctrl(list).StartText(), "dl");
    EXPECT_EQ(b.AnsichtCount(), 3);
    EXPECT_EQ(b.GetKeyNr(), kPrefixIndexSelDxcc);
    EXPECT_EQ(b.Page()->LKey().view(), "H1");
    EXPECT_EQ(Column(b, 0), (std::vector<std::string>{"1S", "DL", "F", "(Y2)"}));
    EXPECT_EQ(b.SortlistCount(), 2);

    // The quick search runs on the main entries' key.
    b.SearchField()->SetText("9a");
    EXPECT_EQ(common::LenArrayToShort(b.OnSuchFeld2KeyStr()), "H9A");
    b.SearchField()->SetText("");

    ChooseSort(w, 1);
    EXPECT_EQ(b.GetKeyNr(), kPrefixIndexCountry);
    EXPECT_EQ(b.Page()->LKey().view(), "A");
    EXPECT_EQ(Column(b, 0), (std::vector<std::string>{"Fed. Rep. of Germany",
                                                      "Fed. Rep. of Germany", "wie DL",
                                                      "Fed. Rep. of Germany", "France", "GDR",
                                                      "Spratly Islands"}));
    EXPECT_EQ(Split(w.Brow->GetGrid().Cells(0, 0) + ";" + w.Brow->GetGrid().Cells(1, 0)),
              (std::vector<std::string>{"Land", "Land, deutsch"}));
    b.SearchField()->SetText("fr");
    EXPECT_EQ(common::LenArrayToShort(b.OnSuchFeld2KeyStr()), "FR");
    w.SetModalResult(platform::qt::mrCancel);
  });
  EXPECT_FALSE(list.Execute());
}

TEST_F(PrefixListWindowTest, TheTwoStationCallsGetTheExtendedViewOnlyQJ5TRVEmptiesTheBounds) {
  struct Case {
    const char* call;
    bool extended;
    bool bounds_emptied;
  };
  for (const Case c : {Case{"QJ5TRV", true, true}, Case{"QJ7WPL", true, false},
                       Case{"DL1ABC", false, false}}) {
    SCOPED_TRACE(c.call);
    SetOwnCall(c.call);
    EXPECT_EQ(UseExtendedPrefixView(), c.extended);
    TDatenPrefixListeCtrl list(nullptr, false, "", kPrefixIndexSelDxcc, 0);
    Then<TDatenListeForm>([&list, c](TDatenListeForm& w) {
      TDatenPrefixBrowCtrl& ctrl = Ctrl(list);
      EXPECT_EQ(ctrl.ListNr(), 51);
      ASSERT_EQ(w.Brow->SortlistCount(), c.extended ? 8 : 2);
      const std::vector<int> indexes =
          c.extended ? std::vector<int>{1, 2, 3, 4, 5, 6, 7, 9} : std::vector<int>{14, 7, 3};
      for (std::size_t e = 0; e < indexes.size(); ++e) {
        common::TKeyStr low = common::ShortToLenArray("A");
        common::TKeyStr high = common::ShortToLenArray("Z");
        EXPECT_EQ(ctrl.SortList2Key(static_cast<int>(e), low, high), indexes[e]) << e;
        if (!c.extended) continue;
        EXPECT_EQ(common::LenArrayToShort(low), c.bounds_emptied ? "" : "A") << e;
        EXPECT_EQ(common::LenArrayToShort(high), c.bounds_emptied ? "" : "Z") << e;
      }
      if (c.extended) {
        // Chosen in the menu, every order pages through the whole table by its index.
        for (int e = 0; e < 8; ++e) {
          ChooseSort(w, e);
          w.Brow->GotoFirst();
          EXPECT_EQ(w.Brow->GetKeyNr(), indexes[static_cast<std::size_t>(e)]);
          EXPECT_EQ(w.Brow->Page()->LKey().view(), "");
          EXPECT_EQ(RowsShown(*w.Brow), 7);
        }
      }
      w.SetModalResult(platform::qt::mrCancel);
    });
    list.Execute();
  }
}

struct HeadingRow {
  const char* name;
  int index;
  int view;
  bool extended;
  bool marker;
  std::vector<std::string> titles;
};
void PrintTo(const HeadingRow& row, std::ostream* os) { *os << row.name; }

const HeadingRow kHeadings[] = {
    {"ByDxccShort", 14, 0, false, false,
     {"DXCC", "Land", "Land, deutsch", "CQ", "IT", "Co", "Loc", "Richtung", "Entfernung"}},
    {"ByDxccExtended", 14, 0, true, false,
     {"DXCC", "Land", "Land, deutsch", "CQ", "IT", "Co", "Loc", "", "Richtung", "Entfernung"}},
    {"ByDxccPrefixExtended", 2, 0, true, false,
     {"DXCC", "Prefix", "bis", "QSL-Büro", "Land", "Land, deutsch", "CQ", "IT", "Co", "Loc", "",
      "ADIF", "Richtung", "Entfernung"}},
    {"ByPrefix", 1, 0, true, false,
     {"Prefix", "bis", "DXCC", "QSL-Büro", "CQ", "IT", "Co", "Loc", "", "Land", "Land, deutsch"}},
    {"ByMenuCode", 3, 0, false, false,
     {"Prefix", "bis", "", "DXCC", "Land", "Land, deutsch", "CQ", "IT", "Co"}},
    {"ByContinent", 6, 0, true, false,
     {"Co", "Land", "Land, deutsch", "Prefix", "bis", "DXCC", "CQ", "IT", "Loc", ""}},
    {"ByCountryExtendedWithMarker", 7, 0, true, true,
     {".", "Land", "Land, deutsch", "Prefix", "bis", "DXCC", "QSL-Büro", "CQ", "IT", "Co", "Loc",
      "", "Richtung", "Entfernung"}},
    {"ByWae", 9, 0, true, false,
     {"WAE", "Prefix", "bis", "DXCC", "CQ", "IT", "Co", "", "Land", "Land, deutsch"}},
    {"ListeByCq", 4, 1, true, false, {"CQ  " + common::SetLen("Land", 30, true)}},
    {"ListeByCountry", 7, 1, false, false, {common::SetLen("Land", 30, true)}},
    {"MiniaturByPrefixCutTo30", 1, 3, true, true,
     {common::LeftStr("Prefixbis " + common::SetLen("Land", 30, true), 30)}},
};

class PrefixHeading : public PrefixListWindowTest, public ::testing::WithParamInterface<HeadingRow> {};

TEST_P(PrefixHeading, TitlesFollowTheIndexAndViewAndEachRowHasACellPerTitle) {
  const HeadingRow& h = GetParam();
  const std::string heading = TDatenPrefixBrowCtrl::Heading(h.index, h.view, h.extended, h.marker);
  if (h.view == 0) {
    EXPECT_EQ(Split(heading), h.titles);
    // Every record's row lines up with the titles.
    for (const std::int32_t ref : refs_) {
      const std::string row =
          TDatenPrefixBrowCtrl::RowText(*Found(ref), h.index, h.view, h.extended, h.marker);
      EXPECT_EQ(Split(row).size(), h.titles.size()) << row;
    }
  } else {
    EXPECT_EQ(std::vector<std::string>{heading}, h.titles);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, PrefixHeading, ::testing::ValuesIn(kHeadings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrefixListWindowTest, RowsShowRangesBracketsLikePrefixesAndEntriesOutOfDate) {
  const auto cells = [](const std::string& prefix, std::int32_t ref, bool marker = false) {
    (void)prefix;
    return Split(TDatenPrefixBrowCtrl::RowText(*Found(ref), 1, 0, false, marker));
  };
  // By prefix: prefix, bis, DXCC, QSL bureau, CQ, IT, Co, Loc, menu code, Land pair.
  std::vector<std::string> dl = cells("DL", Ref("DL"));
  EXPECT_EQ(dl[0], "DL");
  EXPECT_EQ(dl[1], "");
  EXPECT_EQ(dl[7], "JO51");
  EXPECT_EQ(dl[9], "Fed. Rep. of Germany");
  EXPECT_EQ(dl[10], logbook::ToPrefix::TranslateCountryName("Fed. Rep. of Germany"));
  EXPECT_NE(dl[10], dl[9]);

  const std::vector<std::string> range = cells("DR", Ref("DR"));  // "DA" to "DR"
  EXPECT_EQ(range[0], "DA");
  EXPECT_EQ(range[1], "R");
  const std::vector<std::string> bracketed = cells("Y2", Ref("Y2"));
  EXPECT_EQ(bracketed[0], "(Y2)");
  EXPECT_EQ(bracketed[2], "(Y2)");
  const std::vector<std::string> like = cells("DN", Ref("DN"));
  EXPECT_EQ(like[9], "wie DL");
  EXPECT_EQ(like[10], "");

  // The marker column: the ADIF number, its blank turned "-" for an entry no longer valid.
  EXPECT_EQ(TDatenPrefixBrowCtrl::RowText(*Found(Ref("DL")), 1, 0, false, true).substr(0, 5),
            " 230;");
  EXPECT_EQ(TDatenPrefixBrowCtrl::RowText(*Found(Ref("Y2")), 1, 0, false, true).substr(0, 5),
            "-229;");

  // The one-column views put the sort field, the prefix and the German name between cell codes.
  const std::string german = logbook::ToPrefix::TranslateCountryName("Fed. Rep. of Germany");
  EXPECT_EQ(TDatenPrefixBrowCtrl::RowText(*Found(Ref("DL")), 4, 1, false, false),
            "14[2] DL[8] " + german);
  EXPECT_EQ(TDatenPrefixBrowCtrl::RowText(*Found(Ref("DL")), 14, 1, false, true),
            " 230[0]DL[8] " + german);
  EXPECT_EQ(TDatenPrefixBrowCtrl::RowText(*Found(Ref("Y2")), 1, 3, false, true),
            "Y2[7]Y2[7] 229[0]" + logbook::ToPrefix::TranslateCountryName("GDR") + "[15]Y2[7]");
  // In the extended view the menu code carries the selection character.
  EXPECT_EQ(Split(TDatenPrefixBrowCtrl::RowText(*Found(Ref("DL")), 3, 0, true, false))[2], "-H");
}

TEST_F(PrefixListWindowTest, BearingAndDistanceRunFromTheOwnLocatorAndNeedBothLocators) {
  const auto dl_cursor = Found(Ref("DL"));
  const logbook::TdbPrefix& dl = *dl_cursor;  // JO51, south-west of JO62QM
  const double bearing =
      std::stod(common::ReplaceChar(TDatenPrefixBrowCtrl::CalcField("Richtung", dl), ',', '.'));
  const int distance = common::StrToIntNoComma(TDatenPrefixBrowCtrl::CalcField("Entfernung", dl));
  EXPECT_GT(bearing, 180.0);
  EXPECT_LT(bearing, 270.0);
  EXPECT_GT(distance, 150);
  EXPECT_LT(distance, 400);
  EXPECT_NE(TDatenPrefixBrowCtrl::CalcField("Richtung", dl).find(','), std::string::npos);

  const auto spratly_cursor = Found(Ref("9M0"));
  const logbook::TdbPrefix& spratly = *spratly_cursor;  // no locator
  EXPECT_EQ(TDatenPrefixBrowCtrl::CalcField("Richtung", spratly), "");
  EXPECT_EQ(TDatenPrefixBrowCtrl::CalcField("Entfernung", spratly), "");
  EXPECT_EQ(TDatenPrefixBrowCtrl::CalcField("Bemerkung", dl), "");

  logbook::ToSetupOwnStation station = settings_->GetOwnStation();
  station.own_locator = "";
  settings_->SetOwnStation(station);
  EXPECT_EQ(TDatenPrefixBrowCtrl::CalcField("Entfernung", dl), "");
}

TEST_F(PrefixListWindowTest, TheMarkerColumnIsWhiteAndCrossedOutInRedForAnEntryOutOfDate) {
  SetMarkerColumn(true);
  TDatenPrefixListeCtrl list(nullptr, false, "", kPrefixIndexSelDxcc, 0);
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    ui::TkvMouseGrid& g = w.Brow->GetGrid();
    EXPECT_EQ(common::Trim(g.Cells(0, 0)), ".");
    const platform::qt::TBitmap shot = platform::qt::testkit::Grab(g);
    // Rows by DXCC: 1S, DL, F, (Y2); Y2 is no longer valid.
    const auto reds = [&](int row) {
      const platform::qt::TRect cell = g.CellRect(0, row);
      int n = 0;
      for (int x = cell.Left; x < cell.Right; ++x) {
        for (int y = cell.Top; y < cell.Bottom; ++y) n += shot.Pixel(x, y) == platform::qt::clRed;
      }
      return n;
    };
    const int y2 = g.FixedRows() + 3;
    ASSERT_EQ(common::Trim(g.Cells(1, y2)), "(Y2)");
    EXPECT_GT(reds(y2), 10);
    EXPECT_EQ(reds(y2 - 1), 0);
    const platform::qt::TRect face = g.CellRect(0, y2 - 1);
    EXPECT_EQ(shot.Pixel(face.Left + 3, face.Top + 3), platform::qt::clWhite);
    // The cross runs corner to corner, two pixels inside.
    const platform::qt::TRect crossed = g.CellRect(0, y2);
    EXPECT_EQ(shot.Pixel(crossed.Left + 2, crossed.Top + 2), platform::qt::clRed);
    EXPECT_NE(shot.Pixel(crossed.Left + 1, crossed.Top + 1), platform::qt::clRed);
    platform::qt::testkit::SaveScreenshot(w, "prefix_list_fixture_marker");
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();
}

TEST_F(PrefixListWindowTest, DeletingAsksOnceForSeveralByNameForOneAndSkipsStaleReferences) {
  TDatenPrefixFkt& fkt = TDatenPrefixFkt::Instance();
  platform::qt::TStringList refs;
  EXPECT_FALSE(fkt.DeleteSelection(refs));
  EXPECT_TRUE(presenter_->calls.empty());

  refs.Add(std::to_string(Ref("DL")));
  presenter_->answers = {false};
  EXPECT_FALSE(fkt.DeleteSelection(refs));
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].title, "Sicherheitsabfrage");
  EXPECT_EQ(presenter_->calls[0].text, "Prefix DL löschen?");
  EXPECT_TRUE(presenter_->calls[0].default_yes);
  EXPECT_EQ(logbook::TdbPrefix(logbook::kPrefixMain).UsedRecs(), 7);

  refs.Add(std::to_string(Ref("DA")));
  presenter_->calls.clear();
  EXPECT_TRUE(fkt.DeleteSelection(refs));
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].text, "alle selektierten Einträge löschen?");
  logbook::TdbPrefix check(logbook::kPrefixMain);
  EXPECT_FALSE(check.FindExact("DL"));
  EXPECT_FALSE(check.FindExact("DA"));
  EXPECT_EQ(check.UsedRecs(), 5);

  // The rows are gone already (another user): nothing else goes with them.
  presenter_->calls.clear();
  EXPECT_FALSE(fkt.DeleteSelection(refs));
  platform::qt::TStringList stale;
  stale.Add(std::to_string(Ref("DL")));
  EXPECT_FALSE(fkt.DeleteSelection(stale));
  EXPECT_EQ(presenter_->calls.size(), 1u);  // the one question for the pair
  EXPECT_EQ(check.UsedRecs(), 5);
  EXPECT_EQ(Check(logbook::kPrefixMain), "");
}

TEST_F(PrefixListWindowTest, LoeschenInTheListDeletesTheSelectedRowsAfterOneQuestion) {
  TDatenPrefixListeCtrl list(nullptr, false, "", kPrefixIndexSelDxcc, 0);
  Then<TDatenListeForm>([this](TDatenListeForm& w) {
    w.Brow->Selection().SetSelected(Ref("F"), 1);
    w.Brow->Selection().SetSelected(Ref("9M0"), 1);
    w.MenuItemLoeschen->Click();
    EXPECT_EQ(logbook::TdbPrefix(logbook::kPrefixMain).UsedRecs(), 5);
    EXPECT_EQ(Column(*w.Brow, 0), (std::vector<std::string>{"DL", "(Y2)"}));
    w.SetModalResult(platform::qt::mrCancel);
  });
  list.Execute();
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].text, "alle selektierten Einträge löschen?");
}

TEST_F(PrefixListWindowTest, ChoosingAnEntityGivesItsPrefixAndDxccEscapeGivesNothing) {
  std::string dxcc = "alt";
  std::string prefix = "alt";
  Then<TDatenListeForm>([](TDatenListeForm& w) {
    PressKey(*w.Brow->SearchField(), platform::qt::VK_ESCAPE);
  });
  TDatenPrefixFkt::ChooseDXCC(dxcc, "DL", prefix);
  EXPECT_EQ(dxcc, "");
  EXPECT_EQ(prefix, "");

  Then<TDatenListeForm>([](TDatenListeForm& w) {
    EXPECT_EQ(Column(*w.Brow, 0).front(), "1S");  // the start text does not position the list
    platform::qt::testkit::Click(*w.btnEndeho4, 5, 5);
  });
  TDatenPrefixFkt::ChooseDXCC(dxcc, "DL", prefix);
  EXPECT_EQ(dxcc, "1S");
  EXPECT_EQ(prefix, "9M0");
}

}  // namespace
}  // namespace app
