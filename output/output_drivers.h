// The drivers that turn one contest log into one output through the open output channel: the
// summary sheet run, the export of the QSOs in the channel's format (one pass, or one section
// per band: the band list), and the multiplier check list (output/multi_check_list.h). The
// output dispatcher opens the channel, runs the drivers of the output kind, shows the written
// file's notice when a file driver answers false, and closes the channel.
//
// The drivers decide which QSOs are written and in which order: the log is read by date and
// time; a QSO outside the periods, of another band than the section's, or a QSY marker is never
// written. The lines come from the list writers (output/qso_list.h) and the sheet
// (output/summary_sheet.h) and the Cabrillo, STF, ADIF and EDI writers (output/cabrillo.h,
// output/stf.h, output/adif.h, output/edi.h), which plug into the header and QSO steps of
// LogExport.
//
// The catalogue and contest-data tables are positioned on the log; each driver opens the log's
// QSO table itself and lets it go before it returns. Every walk over the log reads it to its end
// or throws LogNotRead (output/log_walk.h), so that no driver writes from a part of the log; the
// output dispatcher then drops what was written.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contest/log_record.h"
#include "logbook/reference/prefix_cursor.h"
#include "output/alle_rout.h"
#include "output/period_set.h"
#include "output/score_tallies.h"

namespace output {

// Values a caller may put into the Cabrillo and EDI file heads in place of the log's own; no
// caller sets them so far.
struct HeaderOverrides {
  bool set = false;
  std::array<std::string, 5> texts;
};

// The summary sheet of the log; always false.
bool WriteSummarySheet(TAlleRout& channel, const contest::TContestRec& definition,
                       const PeriodSet& periods, const contest::TdbContestBase& catalogue,
                       const contest::TdbContestBase& contest_data);

// The QSO export: the channel's header and QSO lines, in one pass with the score lines under a
// printed or E-Log list, or with `by_band` one section per used band slot, a section break
// before every slot after the first. False when the log was written (one pass always; by band
// once a section was written).
bool ExportContestLog(TAlleRout& channel, const contest::TContestRec& definition,
                      const PeriodSet& periods, const contest::TdbContestBase& catalogue,
                      const contest::TdbContestBase& contest_data,
                      const HeaderOverrides& overrides, bool by_band);
// The band list: ExportContestLog by band without overrides.
bool ExportContestLogByBand(TAlleRout& channel, const contest::TContestRec& definition,
                            const PeriodSet& periods, const contest::TdbContestBase& catalogue,
                            const contest::TdbContestBase& contest_data);

// The steps of one export over the log's QSO table.
class LogExport {
 public:
  // Keeps references: all must outlive the object. `one_pass` writes the score lines.
  LogExport(TAlleRout& channel, const contest::TContestRec& definition, const PeriodSet& periods,
            const contest::TdbContestBase& catalogue, const BandSlotTallies& tallies,
            contest::TdbContestBase& log, const HeaderOverrides& overrides, bool one_pass);

  // From the top of the page, the header of the channel's format for the band (0: all); the
  // EDI head first asks the participant data. Always true.
  bool WriteFormatHeader(char band);
  // The QSOs of the band (0: all) inside the periods, each a line, the header again on every
  // new printer page; then the trailer of the format. An ADIF export first asks whether only
  // the reports of the exchanges are written (output/adif.h). Always true.
  bool ExportQSOs(char band);
  // Between two band sections: a new page on paper, four blank lines in an E-Log file.
  void SectionBreak();

 private:
  // The QSO's line in the channel's format; `ordinal` counts the QSOs written, from 1.
  std::string QsoLine(std::int32_t ordinal, const contest::TContestLKRec& qso);

  TAlleRout& channel_;
  const contest::TContestRec& definition_;
  const PeriodSet& periods_;
  const contest::TdbContestBase& catalogue_;
  const BandSlotTallies& tallies_;
  contest::TdbContestBase& log_;
  const HeaderOverrides& overrides_;
  bool one_pass_;
  contest::TContestKKRec record_{};
  bool report_only_ = true;                       // the ADIF question's answer
  std::unique_ptr<logbook::TdbPrefix> prefixes_;  // the ADIF export's DXCC numbers
};

}  // namespace output
