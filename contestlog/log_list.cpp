// The QSO list of the log window: Brow's events answered from the log (the texts come from
// log_rows.h), and the list's column widths kept before it changes its order.
#include "contestlog/column_places.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/log_grids.h"
#include "contestlog/log_rows.h"

namespace contestlog {

void TContestLogStd::BindLogListEvents() {
  Brow->OnSetHeaderFooter = [this] { BrowSetHeaderFooter(); };
  Brow->OnBuildRow = [this](ui::RowRec& row) { BrowBuildRow(row); };
  Brow->OnSortList2Key = [this](int order, common::TKeyStr& low, common::TKeyStr& high) {
    return BrowSortList2Key(order, low, high);
  };
  Brow->OnInitSortList = [this] { BrowInitSortList(); };
  Brow->OnBrowColWidths = [this](int column) {
    return ApplyGridColumns(column, *Brow, WindowScaled, *Catalogue, kLayoutCatalogue);
  };
  BindCorrectionEvents();
}

void TContestLogStd::BrowSetHeaderFooter() { SetLogHeaderFooter(*Brow); }

void TContestLogStd::SetLogHeaderFooter(ui::TkvBrow& grid) {
  grid.SetHeaderFooter(HeaderText(Definition), "", ui::TBrowColumnBytes{}, ui::TBrowColumnBytes{},
                       kLogListFields);
}

void TContestLogStd::BrowBuildRow(ui::RowRec& row) { BuildLogRow(row); }

void TContestLogStd::BuildLogRow(ui::RowRec& row) const {
  row.text = contestlog::BuildLogRow(row.ref, *this);
}

int TContestLogStd::BrowSortList2Key(int order, common::TKeyStr& low, common::TKeyStr& high) {
  StoreGridColumns(*Brow, kLayoutCatalogue, WindowScaled, *Catalogue);
  return LogListSortKey(order, CurrentBand, Brow->GetModus() == 0, low, high);
}

void TContestLogStd::BrowInitSortList() {}

}  // namespace contestlog
