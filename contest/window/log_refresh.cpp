#include "contest/window/log_refresh.h"

namespace contest::window {

void RefreshAfterEdit(char band, ui::TkvBrow& grid, TdbContest& log) {
  // Key 12 holds the numbers descending, so number 0 finds the band's highest first; a miss
  // lands on the next band's QSOs, hence the band test.
  if (log.FindBandWagNrIntern(band, 0) && log.GetBandcode() == band) {
    TContestLKRec newest{};
    log.GetLKRec(newest);
    log.SeekBandWagNrIntern(band, static_cast<std::int32_t>(newest.wagBandNrIntern));
  }
  grid.GotoDatensatz(0, 0, 0);
  log.ClearRec();
  TContestLKRec empty{};
  empty.Datum = -1;
  empty.Zeit = -1;
  log.SetLKRec(empty);
}

}  // namespace contest::window
