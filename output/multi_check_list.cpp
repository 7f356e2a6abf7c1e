#include "output/multi_check_list.h"

#include <array>
#include <string>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_lookups.h"
#include "contest/contest_tables.h"
#include "logbook/reference/bands.h"
#include "output/log_walk.h"
#include "output/own_station.h"
#include "output/sheet_text.h"
#include "platform/qt/printer.h"

namespace output {
namespace {

// The width a value is compared and written in.
constexpr int kValueWidth = 8;
constexpr int kCellWidth = 13;
constexpr int kCallWidth = 12;

// One pass over the log: the value of the current line and, per band code, the call of its
// first QSO on that band.
class CheckListPass {
 public:
  CheckListPass(TAlleRout& channel, const contest::TContestRec& definition,
                const contest::TContestKKRec& log)
      : channel_(channel), definition_(definition), log_(log) {}

  void Take(std::string_view value, const contest::TContestLKRec& qso) {
    const std::string cut = common::LeftStr(value, kValueWidth);
    std::string& cell = cells_[static_cast<unsigned char>(qso.Bandcode)];
    if (cut != current_) {
      WriteCurrent();
      current_ = cut;
      if (!cut.empty()) cell = common::LeftStr(qso.Call.view(), kCallWidth);
    } else if (!cut.empty() && cell.empty()) {
      cell = common::LeftStr(qso.Call.view(), kCallWidth);
    }
  }

  void Finish() {
    for (const std::string& cell : cells_) {
      if (!cell.empty()) {
        WriteCurrent();
        return;
      }
    }
  }

 private:
  void WriteCurrent() {
    std::string line = Fit(current_, kValueWidth);
    for (const char band : definition_.Bands) {
      if (band != 0) line += Fit(cells_[static_cast<unsigned char>(band)], kCellWidth);
    }
    if (channel_.NewPageIfFull()) WriteBandListHeading(channel_, definition_, log_);
    channel_.WriteLine(line, true, true);
    cells_.fill({});
  }

  TAlleRout& channel_;
  const contest::TContestRec& definition_;
  const contest::TContestKKRec& log_;
  std::string current_;
  std::array<std::string, 256> cells_;
};

bool HasBand(const contest::TContestLKRec& qso) { return qso.Bandcode != 0 && qso.Bandcode != ' '; }

}  // namespace

bool WriteMultiCheckList(TAlleRout& channel, const contest::TContestRec& definition,
                         const contest::TdbContestBase& catalogue,
                         const contest::TdbContestBase& /*contest_data*/) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  contest::TdbContest table(contest::kTableLK, log.Nummer);
  WriteBandListHeading(channel, definition, log);
  const contest::ContestSet& kinds = definition.MultiplierKinds;
  if (kinds.test(4) || kinds.test(8) || kinds.test(17)) {
    CheckListPass pass(channel, definition, log);
    ForEachQsoOfWholeLog(table, kKeyDok, [&](const contest::TContestLKRec& qso) {
      if (HasBand(qso)) pass.Take(common::Trim(qso.DOK1.str() + qso.DOK2.str()), qso);
    });
    pass.Finish();
  }
  if (kinds.test(2)) {
    CheckListPass pass(channel, definition, log);
    ForEachQsoOfWholeLog(table, kKeyDxcc, [&](const contest::TContestLKRec& qso) {
      const std::string dxcc = common::Trim(qso.DXCC.view());
      if (!HasBand(qso)) return;
      if (dxcc == "DL" && !kinds.test(3)) return;
      if (kinds.test(9) && qso.Continent.view() != "EU") return;
      pass.Take(dxcc, qso);
    });
    pass.Finish();
  }
  return false;
}

bool WriteBandListHeading(TAlleRout& channel, const contest::TContestRec& definition,
                          const contest::TContestKKRec& log) {
  channel.ResetPosition();
  const std::string identification =
      definition.SWL != 0 ? OwnStationFromSettings().swl_number : log.OwnCall.str();
  std::string title = Fit(definition.Title.str() + " Multiplier Check List   " + identification, 65);
  if (channel.GetChannel() == Channel::kPrinter) {
    title += "Page : " + Number(platform::qt::Printer().PageNumber());
  }
  channel.BoldOn();
  channel.WriteLine(title, true, true);
  channel.BoldOff();
  channel.WriteLine(" ", true, true);
  channel.WriteLine(" ", true, true);
  std::string columns = Fit("Multi", kValueWidth);
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  for (const char band : definition.Bands) {
    if (band != 0) columns += Fit(bands.Band2Name(band, false), kCellWidth);
  }
  channel.WriteLine(columns, true, true);
  channel.WriteLine(" ", true, true);
  return true;
}

}  // namespace output
