// The score panel "Auswertung" of the contest setup form: the tallies the log window's
// recalculation stored for a log (output::ReadBandTallies), shown for the first seven bands of
// the contest with the totals and the claimed score (contest::ClaimedScore), so that the panel,
// the log window and the summary sheet state the same score.
//
// Contest 'R' counts points in tenths: its points show divided by 10 with one decimal and ","
// as the separator.
#pragma once

#include "app/eing_contest_view.h"
#include "contest/catalogue_record.h"
#include "contest/contest_data_record.h"
#include "contest/contest_definition.h"

namespace app {

// Needs the band table (Service<logbook::ToBaender>) for the band names.
ScorePanelView BuildScorePanel(char code, const contest::TContestRec& definition,
                               const contest::TContestKKRec& log,
                               const contest::TContestKZRec& contest_data);

}  // namespace app
