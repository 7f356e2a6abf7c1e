// The EDI file of a contest log in the REG1TEST layout of the VHF/UHF contests (output kind 15,
// extension "EDI"): a version line and a few lines before the first section, the file head
// "[REG1TEST;1]" with the participant, the responsible operator, the station and the claimed
// counts, "[Remarks]", then "[QSORecords;N]" and one record of 15 fields per QSO. The channel
// writes the lines as they are, each with CR LF.
//
// The counts of the head describe the records the file holds: the QSOs the export writes (inside
// the periods, of the section's band; never a QSY marker), their distinct locator squares and
// DXCC entities (an empty one is no entity), and the longest distance among them.
//
// A contest that adds a bonus to a QSO's points for a locator square new on its band ('N') writes
// it as REG1TEST declares such a bonus, so that a reader recomputes each record from its
// locators: the record holds the QSO's points without the bonus and is marked as a new square,
// the head claims the bonus per square and in all ("CWWLs=", "CWWLB="). Other bonuses of a
// contest (the DOKs of 'e', which reward every such QSO, not a new one) stay in the points.
// "CQSOP=" is the sum of the records; "CToSc=" the claimed score of the summary sheet.
#pragma once

#include <cstdint>
#include <string>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contest/log_record.h"
#include "output/alle_rout.h"
#include "output/period_set.h"
#include "output/uhfteilnehmer_ctrl.h"

namespace output {

// What the head counts of the QSOs the file holds.
struct EdiStatistics {
  int qsos = 0;             // the records written
  int squares = 0;          // distinct first four characters of the locators
  int new_squares = 0;      // records marked as a new square
  int entities = 0;         // distinct DXCC entities
  std::int64_t points = 0;  // the records' points
  std::string odx;  // call;locator;km of the first QSO with the longest distance; empty for none
};

// The QSOs of `log` the export writes: inside the periods and, unless `band` is 0, of the band;
// `code` is the log's contest code. The walk moves the log object; it throws LogNotRead
// (output/log_walk.h) when the log cannot be read to its end.
EdiStatistics CollectEdiStatistics(contest::TdbContestBase& log, char code,
                                   const PeriodSet& periods, char band);

// The file head of the export: counts the QSOs it will write, asks the participant data
// (TAlleRout::AskParticipant, filled by FillParticipantForm), writes the head lines and keeps
// the answers (KeepParticipantAnswers). `claimed_score` is the summary sheet's.
void WriteEDIFile(TAlleRout& channel, const contest::TContestRec& definition,
                  const contest::TContestKKRec& log, contest::TdbContestBase& table,
                  const PeriodSet& periods, char band, std::int64_t claimed_score);

// The head lines from the version line to "[QSORecords;N]", from the participant data, the
// counts and the claimed score. A remarks line beginning with "[" gets a blank in front, so that
// it opens no section.
void WriteEDIHead(TAlleRout& channel, const contest::TContestRec& definition,
                  const contest::TContestKKRec& log, const TuhfteilnehmerParams& participant,
                  const EdiStatistics& statistics, std::int64_t claimed_score);

// The record of a QSO (the caller writes it): date, time, call, mode code, sent report and
// number, received report and number (a number only from a serial of digits, else empty),
// received exchange (the part after the first '/'; for 'e' the DOK), locator (empty, 4 or 6
// characters), points (the QSO's points as the log scored them, without a new square's bonus),
// no new exchange, "N" for a new square, no new entity, no dupe mark.
std::string WriteEDIQSO(const contest::TContestKKRec& log, const contest::TContestLKRec& qso);

}  // namespace output
