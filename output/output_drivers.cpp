#include "output/output_drivers.h"

#include <algorithm>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/contest_tables.h"
#include "output/adif.h"
#include "output/cabrillo.h"
#include "output/edi.h"
#include "output/log_lists.h"
#include "output/log_walk.h"
#include "output/qso_list.h"
#include "output/station_file.h"
#include "output/stf.h"
#include "output/summary_sheet.h"
#include "platform/qt/printer.h"

namespace output {
namespace {

contest::TContestKKRec CatalogueRecord(const contest::TdbContestBase& catalogue) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  return log;
}

BandSlotTallies StoredTallies(const contest::TContestKKRec& log,
                              const contest::TdbContestBase& contest_data) {
  contest::TContestKZRec data{};
  contest_data.GetKZRec(data);
  return ReadBandTallies(log, data);
}

SheetFacts GatherSheetFacts(const contest::TContestKKRec& log, contest::TdbContestBase& table) {
  contest::TContestFkt& fkt = common::Service<contest::TContestFkt>::Get();
  SheetFacts facts;
  facts.station = OwnStationFromSettings();
  facts.today = contest::TContestFkt::TodayText();
  facts.maker_page = fkt.Definitions().Program().MakerPage;
  facts.lists = CollectLogLists(table);
  if (log.Typ == 'o') facts.joined_multipliers = JoinLogField(table);
  if (log.Typ == 'i') facts.per_band = CountPerBand(table);
  if (log.Typ == 'b' || log.Typ == 'j') facts.station_file = StationFileName(log.Typ, log.Nummer);
  return facts;
}

}  // namespace

bool WriteSummarySheet(TAlleRout& channel, const contest::TContestRec& definition,
                       const PeriodSet& periods, const contest::TdbContestBase& catalogue,
                       const contest::TdbContestBase& contest_data) {
  channel.ResetPosition();
  const contest::TContestKKRec log = CatalogueRecord(catalogue);
  contest::TdbContest table(contest::kTableLK, log.Nummer);
  const SheetFacts facts = GatherSheetFacts(log, table);
  const BandSlotTallies tallies = StoredTallies(log, contest_data);
  SummarySheet sheet(channel, definition, log, tallies, facts);
  sheet.WriteAddress();
  sheet.WriteTitle();
  sheet.WriteStationLines();
  sheet.WriteCategory();
  sheet.WriteParticipantDetails();
  SumBandTotals(channel, log, tallies);
  if (PeriodsGiven(periods)) {
    SumPointsInPeriods(channel, table, periods);
    sheet.WriteContestPeriod(periods);
  }
  if (contest::CountsPerBand(definition) || log.Typ == 'i') sheet.WritePointsTable();
  sheet.WriteFinalScore();
  sheet.WriteRuleLine();
  channel.WriteLine(" ", true, true);
  sheet.WriteStationDescription();
  sheet.WriteDeclaration();
  return false;
}

bool ExportContestLog(TAlleRout& channel, const contest::TContestRec& definition,
                      const PeriodSet& periods, const contest::TdbContestBase& catalogue,
                      const contest::TdbContestBase& contest_data, const HeaderOverrides& overrides,
                      bool by_band) {
  const contest::TContestKKRec log = CatalogueRecord(catalogue);
  const BandSlotTallies tallies = StoredTallies(log, contest_data);
  SumBandTotals(channel, log, tallies);
  contest::TdbContest table(contest::kTableLK, log.Nummer);
  if (periods.start_times[0] > 0 && periods.end_times[0] > 0) {
    SumPointsInPeriods(channel, table, periods);
  }
  MeasureColumns(channel, definition, log.Typ, table);
  LogExport exporter(channel, definition, periods, catalogue, tallies, table, overrides, !by_band);
  if (!by_band) return !(exporter.WriteFormatHeader(0) && exporter.ExportQSOs(0));
  bool result = true;
  for (int slot = 1; slot <= contest::kBandCodeSlots; ++slot) {
    const char band = definition.Bands[slot - 1];
    if (band == 0) continue;
    // The break comes before every slot after the first, also when the first is not used.
    if (slot > 1) exporter.SectionBreak();
    if (exporter.WriteFormatHeader(band) && exporter.ExportQSOs(band)) result = false;
  }
  return result;
}

bool ExportContestLogByBand(TAlleRout& channel, const contest::TContestRec& definition,
                            const PeriodSet& periods, const contest::TdbContestBase& catalogue,
                            const contest::TdbContestBase& contest_data) {
  return ExportContestLog(channel, definition, periods, catalogue, contest_data, {}, true);
}

LogExport::LogExport(TAlleRout& channel, const contest::TContestRec& definition,
                     const PeriodSet& periods, const contest::TdbContestBase& catalogue,
                     const BandSlotTallies& tallies, contest::TdbContestBase& log,
                     const HeaderOverrides& overrides, bool one_pass)
    : channel_(channel),
      definition_(definition),
      periods_(periods),
      catalogue_(catalogue),
      tallies_(tallies),
      log_(log),
      overrides_(overrides),
      one_pass_(one_pass),
      record_(CatalogueRecord(catalogue)) {}

bool LogExport::WriteFormatHeader(char band) {
  channel_.ResetPosition();
  switch (channel_.GetChannel()) {
    case Channel::kStf:
      WriteSTFHeader(channel_, definition_, record_, tallies_);
      break;
    case Channel::kAdif:
      WriteADIFHeader(channel_, definition_);
      break;
    case Channel::kEdi:
      WriteEDIFile(channel_, definition_, record_, log_, periods_, band,
                   ClaimedScoreOf(channel_, definition_, tallies_));
      break;
    case Channel::kCabrillo:
      WriteCabrilloHeader(channel_, definition_, record_, tallies_);
      break;
    case Channel::kPrinter:
    case Channel::kText:
    case Channel::kCsv:
      WriteListHeader(channel_, definition_, record_, band);
      break;
  }
  return true;
}

std::string LogExport::QsoLine(std::int32_t ordinal, const contest::TContestLKRec& qso) {
  switch (channel_.GetChannel()) {
    case Channel::kStf:
      return WriteSTFQSO(channel_, definition_, record_, qso);
    case Channel::kAdif:
      return WriteADIFQSO(report_only_, definition_, record_, qso, *prefixes_);
    case Channel::kEdi:
      return WriteEDIQSO(record_, qso);
    case Channel::kCabrillo:
      return WriteCabrilloQSO(channel_, definition_, record_, qso);
    case Channel::kPrinter:
    case Channel::kText:
    case Channel::kCsv:
      break;
  }
  return WriteListQSO(channel_, ordinal, definition_, catalogue_, qso);
}

bool LogExport::ExportQSOs(char band) {
  const Channel c = channel_.GetChannel();
  if (c == Channel::kAdif) {
    report_only_ = AskReportOnly(record_.Typ);
    // One cursor looks up the DXCC numbers of the whole export.
    if (!prefixes_) prefixes_ = std::make_unique<logbook::TdbPrefix>();
  }
  if (channel_.NewPageIfFull()) WriteFormatHeader(band);
  std::int32_t written = 0;
  int longest = 0;
  ForEachQsoOfWholeLog(log_, kKeyDateTime, [&](const contest::TContestLKRec& qso) {
    if (channel_.NewPageIfFull()) WriteFormatHeader(band);
    if (!InPeriod(periods_, qso.Datum, qso.Zeit)) return;
    if (band != 0 && qso.Bandcode != band) return;
    ++written;
    const std::string line = QsoLine(written, qso);
    channel_.WriteLine(line, true, true);
    longest = std::max(longest, static_cast<int>(common::Trim(line).size()));
  });
  if (c == Channel::kStf) WriteSTFTrailer(channel_);
  if (c == Channel::kCabrillo) WriteCabrilloTrailer(channel_);
  if ((c == Channel::kPrinter || c == Channel::kText) && one_pass_) {
    if (channel_.NewPageIfFull()) WriteFormatHeader(band);
    WriteScoreLine(channel_, longest, definition_, tallies_, record_);
  }
  return true;
}

void LogExport::SectionBreak() {
  if (channel_.GetChannel() == Channel::kPrinter) {
    platform::qt::Printer().NewPage();
  } else if (channel_.GetChannel() == Channel::kText) {
    for (int i = 0; i < 4; ++i) channel_.WriteLine(" ", true, true);
  }
}

}  // namespace output
