#include "contestlog/log_grids.h"

#include <algorithm>
#include <string>

#include "common/key_text.h"
#include "common/protocol.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contestlog/column_places.h"
#include "logbook/settings/setups.h"
#include "platform/qt/panel.h"
#include "platform/qt/speed_button.h"
#include "ui/mouse_grid.h"
#include "ui/rounding.h"
#include "ui/winskal.h"

namespace contestlog {
namespace {

constexpr int kKeyNummer = 4;
constexpr std::int32_t kFirstNumber = 1;
constexpr std::int32_t kLastNumber = 999999999;
constexpr int kClusterExtra = 5;

logbook::ToSetups& Settings() { return common::Service<logbook::ToSetups>::Get(); }

}  // namespace

void SetupLogGrid(ui::TkvBrow& grid, int list_nr, std::uint8_t option, storage::TdbBase& table,
                  ui::TkvForm* scale_owner) {
  const bool key_form = table.IsFlagSet() == 0;
  const common::TKeyStr low =
      common::ShortToLenArray(key_form ? common::KeyIntToStr(kFirstNumber, true) : "");
  const common::TKeyStr high =
      common::ShortToLenArray(key_form ? common::KeyIntToStr(kLastNumber, true) : "");
  grid.Init(list_nr, &table, kKeyNummer, 0, 0, low, high, scale_owner, option, 0);
  grid.GetGrid().SetTabStop(false);
  grid.CloseButton1()->SetVisible(false);
  grid.CloseButton2()->SetVisible(false);
  grid.EditButton()->SetVisible(false);
  grid.ShowSortlist(false);
  const platform::qt::TColor panel_colour = Settings().GetLayout().panel_colour;
  grid.TopPanel()->SetColor(panel_colour);
  grid.BottomBar()->SetColor(panel_colour);
  grid.SetAlign(platform::qt::TAlign::alClient);
}

void StoreGridColumns(ui::TkvBrow& grid, std::uint8_t layout_number, bool scaled,
                      contest::TdbContestBase& catalogue) {
  // Only the widths change: the rest of the record stays as stored, another station's claim
  // among it.
  if (layout_number == kLayoutCatalogue) catalogue.ReRead();
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  logbook::ToSetupLayout layout = Settings().GetLayout();
  const int key_nr = grid.GetKeyNr();
  for (int column = 0; column < grid.GetGridColCount(); ++column) {
    const int unscaled = ui::ToWinskal::UnscaleValue(scaled, grid.GetColWidth(column, false));
    const int width = std::clamp(ui::RoundEven(unscaled / grid.FontFactor()), 0, 0xFFFF);
    KeepColumnWidth(log, layout, layout_number, key_nr, column, static_cast<std::uint16_t>(width));
  }
  if (layout_number == kLayoutCatalogue) {
    catalogue.SetKKRec(log);
    catalogue.UpdateRec();
  } else if (!(layout == Settings().GetLayout())) {
    // Written only when a width changed: the grid stores its widths each time it is left.
    Settings().SetLayout(layout);
    Settings().Keep();
  }
}

int ApplyGridColumns(int column, const ui::TkvBrow& grid, bool scaled,
                     const contest::TdbContestBase& catalogue, std::uint8_t layout_number) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  const int kept =
      KeptColumnWidth(log, Settings().GetLayout(), layout_number, grid.GetKeyNr(), column);
  return ui::RoundEven(ui::ToWinskal::ScaleValue(scaled, kept) * grid.FontFactor());
}

int ClusterGridLayout(ui::TkvBrow& grid) {
  ui::TkvMouseGrid& cells = grid.GetGrid();
  const int char_width = std::max(grid.XWidth(), 1);
  std::string line = "GRC " + std::to_string(grid.ListNr()) + ":";
  int total = kClusterExtra;
  for (int column = 0; column < cells.ColCount(); ++column) {
    const int by_title = (static_cast<int>(cells.Cells(column, 0).size()) + 1) * char_width;
    int width = by_title;
    if (grid.OnBrowColWidths) {
      width = grid.OnBrowColWidths(column);
      if (width == 0) width = by_title;
    } else if (const int stored = grid.StoredWidth(grid.GetKeyNr(), column);
               stored > 0 && stored < cells.ClientWidth()) {
      width = ui::RoundEven(stored * grid.FontFactor());
    }
    cells.SetColWidths(column, width);
    line += std::to_string(width) + ";";
    total += width + cells.GridLineWidth();
  }
  common::Protocol::AppendLine(line);
  return total;
}

}  // namespace contestlog
