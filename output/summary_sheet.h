// The summary sheet (cover page, "Deckblatt") of a contest log: the station and its address, the
// contest and the category, contest-specific participant data, the periods, the points table per
// band with its sums, the final score with its formula, a station description and the
// operator's declaration. The run that writes the sections in order is WriteSummarySheet
// (output/output_drivers.h); each section writes whole lines through the channel (x reset,
// y advanced).
//
// Texts come in German and English pairs chosen by the channel's English flag; the older VHF
// block and the words of the score text follow the program language (common::LangText).
// Which variant a section writes follows the contest code of the log's catalogue record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "output/alle_rout.h"
#include "output/log_lists.h"
#include "output/own_station.h"
#include "output/period_set.h"
#include "output/score_tallies.h"

namespace output {

// What the sheet prints besides the records: the settings, the clock, the maker and what was
// gathered from the QSOs.
struct SheetFacts {
  OwnStationTexts station;
  std::string today;       // "dd.mm.yyyy"
  std::string maker_page;  // the maker's web address for the footer; empty: none
  LogLists lists;
  PerBandCounts per_band;          // contest code 'i'
  std::string joined_multipliers;  // contest code 'o'
  std::string station_file;        // the station description file of 'b' and 'j'; empty: none
};

class SummarySheet {
 public:
  // Keeps references: all must outlive the sheet. The channel's totals are those of
  // SumBandTotals (and SumPointsInPeriods).
  SummarySheet(TAlleRout& channel, const contest::TContestRec& definition,
               const contest::TContestKKRec& log, const BandSlotTallies& tallies,
               const SheetFacts& facts);

  void WriteAddress();
  void WriteTitle();
  void WriteStationLines();
  void WriteCategory();
  void WriteParticipantDetails();
  // One line per period with a start or end given; nothing for the others.
  void WriteContestPeriod(const PeriodSet& periods);

  // The points table: heading and a row per used band slot (not for contest code 0), the rule
  // line, and unless the contest has the total column the sum row and another rule line.
  void WritePointsTable();
  void WritePointsHeading();
  void WriteBandRow(int slot);  // slot 1..100
  void WriteRuleLine();
  void WriteSumRow();

  // The final score line, after a blank line (not for contest code 0). A general score of
  // points without multipliers counts with, and leaves in the channel, a multiplier total of 1.
  void WriteFinalScore();
  // The text after the label; `score` is the claimed score.
  std::string FinalScoreText(std::int64_t score) const;

  void WriteStationDescription();
  void WriteDeclaration();

 private:
  void Line(std::string_view text);
  // The German or the English text by the channel's English flag.
  std::string Pair(std::string_view german, std::string_view english) const;
  char Code() const { return log_.Typ; }
  std::string OwnCall() const { return log_.OwnCall.str(); }
  bool Listener() const { return definition_.SWL != 0; }
  // Appends `part` to `line` unless the line would reach `limit` characters: then the line is
  // written, a blank line follows, and the new line is `wrapped`.
  void AppendOrWrap(std::string& line, const std::string& part, const std::string& wrapped,
                    std::size_t limit);
  void WriteGermanDeclaration();
  void WriteEnglishDeclaration();
  void WriteStationFile();
  void WriteOlderVhfBlock();

  TAlleRout& channel_;
  const contest::TContestRec& definition_;
  const contest::TContestKKRec& log_;
  const BandSlotTallies& tallies_;
  const SheetFacts& facts_;
};

}  // namespace output
