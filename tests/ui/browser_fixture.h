// A list window with one grid browser bound to the club database's station file (key 2: the
// call padded to 10 characters; key 1: the record number), as the program's list windows bind
// theirs: rows "call;name" (in the views "Liste" and "Miniaturansicht" the field markup), two
// columns, sorted by call or by number.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/record_text.h"
#include "common/string_helpers.h"
#include "platform/qt/types.h"
#include "tests/storage/tables/table_fixture.h"
#include "tests/ui/ui_fixture.h"
#include "ui/browser.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/browser_select.h"
#include "ui/mouse_grid.h"

namespace ui::testing {

using storage_test::StationRec;
using storage_test::TdbStation;
using storage_test::ToDatClub;

inline constexpr int kNumberKey = 1;
inline constexpr int kCallKey = 2;

inline common::TKeyStr Key(const std::string& text) { return common::ShortToLenArray(text); }

class BrowserForm : public SizedForm {
 public:
  BrowserForm(int width, int height) : SizedForm(width, height, true, true) {
    brow = new TkvBrow(this);
    brow->SetName("Brow");
    brow->SetCaption("Stationen");
    brow->SetAlign(platform::qt::TAlign::alClient);
    Show();
  }
  TkvBrow* brow;
};

class BrowserTest : public storage_test::TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    Club().shared = false;
    screen_ = std::make_unique<ScreenScope>(768, dpi_);
    cursor_ = std::make_unique<TdbStation>();
    form_ = std::make_unique<BrowserForm>(width_, height_);
  }
  void TearDown() override {
    form_.reset();
    cursor_.reset();
    screen_.reset();
  }

  TkvBrow& Brow() { return *form_->brow; }
  TkvMouseGrid& Grid() { return Brow().GetGrid(); }
  TkvBrowStringGridCtrl& Ctrl() { return Brow().Controller(); }

  // Calls that sort in the order they are made: "DLAA", "DLAB", ...
  static std::string Call(int i) {
    return std::string("DL") + static_cast<char>('A' + i / 26) + static_cast<char>('A' + i % 26);
  }
  std::vector<std::int32_t> Fill(int count) {
    std::vector<std::int32_t> refs;
    for (int i = 0; i < count; ++i) refs.push_back(AddStation(Call(i), "Name " + Call(i)));
    return refs;
  }
  // The form's usual events; `sorts` adds the two sort entries (call, number).
  void Assign(bool sorts = true) {
    Brow().OnBuildRow = [this](RowRec& row) {
      StationRec r;
      std::memcpy(&r, Club().Treiber(ToDatClub::kStations)->RecordBuffer(), sizeof r);
      row.text = Brow().View() == TBrowserView::kDetails
                     ? r.call.str() + ";" + r.name.str()
                     : r.call.str() + "[8]" + r.name.str() + "[12]";
    };
    Brow().OnSetHeaderFooter = [this] {
      TBrowColumnBytes cols{};
      cols[0] = kCallKey;
      cols[1] = kNumberKey;
      const bool details = Brow().View() == TBrowserView::kDetails;
      Brow().SetHeaderFooter(details ? "Rufzeichen;Name" : "Rufzeichen und Name", "", cols, {},
                             "");
    };
    if (!sorts) return;
    Brow().OnInitSortList = [this] {
      Brow().ClearSortlist();
      Brow().AddSortlist("Rufzeichen");
      Brow().AddSortlist("Nummer");
    };
    Brow().OnSortList2Key = [](int entry, common::TKeyStr&, common::TKeyStr&) {
      return entry == 0 ? kCallKey : entry == 1 ? kNumberKey : 0;
    };
  }
  void Bind(int list_nr = 0, const std::string& low = "", const std::string& high = "\xFF") {
    Brow().Init(list_nr, cursor_.get(), kCallKey, 0, 0, Key(low), Key(high), nullptr, 0, 0);
  }
  // The calls the grid shows, top to bottom (column 0 of "Details").
  std::vector<std::string> Shown() {
    std::vector<std::string> calls;
    for (int r = Grid().FixedRows(); r < Grid().RowCount(); ++r) {
      const std::string call = common::Trim(Grid().Cells(0, r));
      if (!call.empty()) calls.push_back(call);
    }
    return calls;
  }
  std::string Current() { return common::Trim(Brow().Page()->CurrentKey()); }

  int width_ = 480;
  int height_ = 360;
  int dpi_ = 96;
  std::unique_ptr<ScreenScope> screen_;
  std::unique_ptr<TdbStation> cursor_;
  std::unique_ptr<BrowserForm> form_;
};

}  // namespace ui::testing
