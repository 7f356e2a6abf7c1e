// The score display of the log window: the entry panel's counters and multiplier board, and the
// evaluation panel's band columns and score line (contestlog/contest_log_std.h).
#include <array>
#include <string>
#include <vector>

#include "common/lang_text.h"
#include "common/number_mask.h"
#include "common/string_helpers.h"
#include "common/service.h"
#include "contest/claimed_score.h"
#include "contest/rule_helpers.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/multiplier_tables.h"
#include "logbook/reference/bands.h"
#include "platform/qt/colors.h"

namespace contestlog {
namespace {

using platform::qt::TLabel;

constexpr int kMaskDigits = 5;
constexpr int kBandPointsTenthsDigits = 4;

// Contests whose board shows values without bold: 'H' and 'k' always, 'p' until marked.
bool PlainBoard(char code) { return code == 'H' || code == 'k'; }

std::string Number(std::int64_t value) { return std::to_string(value); }
std::string Masked(std::int32_t value) { return common::IntToStrMask(value, kMaskDigits); }
// Contest 'R' counts points in tenths: one decimal in `digits` integer places, more where the
// number needs them (a mask too narrow would show only '*').
std::string Tenths(std::int64_t value, int digits) {
  return common::PadLeftBlank(common::FloatToStrMask(static_cast<double>(value) / 10.0, 0, 1, ','),
                              digits + 2);
}

}  // namespace

void TContestLogStd::ShowScore() {
  const char code = contest::ContestCodeOf(*Catalogue);
  const std::string band_name =
      common::Service<logbook::ToBaender>::Get().Band2Name(CurrentBand, false);
  const bool per_band = contest::CountsPerBand(Definition);
  lePunkte->SetCaption(common::LangText("Punkte ", "Score ") + band_name);
  lemulti->SetCaption(std::string(code == '5' || code == 'P' ? "Präfixe " : "Multi ") +
                      (per_band ? band_name : ""));
  leqso->SetCaption("QSO " + band_name);
  lPunkte->SetCaption(code == 'R' ? Tenths(TotalPoints, kMaskDigits) : Number(TotalPoints));
  lmulti->SetCaption(Number(TotalMultis));
  lqso->SetCaption(Number(CurrentBandQsos));
  lNummer->SetCaption(Number(NextQsoNumber));

  std::vector<TLabel*> board_labels;
  for (platform::qt::TComponent* c : panelmulties->Components()) {
    if (auto* label = dynamic_cast<TLabel*>(c)) board_labels.push_back(label);
  }
  const platform::qt::TFontStyles bold =
      PlainBoard(code) || code == 'p' ? 0 : platform::qt::fsBold;
  for (TLabel* label : board_labels) {
    label->SetCaption(".");
    label->Font().SetColor(platform::qt::clGray);
    label->Font().SetStyle(bold);
  }
  const std::vector<contest::WorkedMultiEntry> board = MergedBoard(WorkedMultis);
  for (std::size_t i = 0; i < board.size() && i < board_labels.size(); ++i) {
    TLabel* label = board_labels[i];
    label->SetCaption(board[i].text.str());
    label->SetVisible(true);
    if (board[i].mark == 2) {
      label->Font().SetColor(platform::qt::clGreen);
      label->Font().SetStyle(PlainBoard(code)
                                 ? platform::qt::fsUnderline
                                 : static_cast<platform::qt::TFontStyles>(
                                       platform::qt::fsBold | platform::qt::fsUnderline));
    } else if (board[i].mark == 1) {
      label->Font().SetColor(platform::qt::clRed);
      label->Font().SetStyle(PlainBoard(code) ? 0 : platform::qt::fsBold);
    }
  }
  ScoreSummaryText();
}

void TContestLogStd::LogRepaired() {
  ContestLogCore::LogRepaired();
  ShowScore();
}

void TContestLogStd::ScoreSummaryText() {
  const char code = contest::ContestCodeOf(*Catalogue);
  const contest::ScoreFlags flags = contest::ScoreFlagsOf(Definition);
  for (std::size_t i = 0; i < kBandRows; ++i) {
    const auto band = static_cast<unsigned char>(Definition.Bands[i]);
    leQSOBand[i]->SetCaption(Masked(BandQsos[band]));
    leMultiBand[i]->SetCaption(Masked(BandMultis[band]));
    if (flags.multipliers_as_score) {
      lePunkteBand[i]->SetCaption(Masked(BandMultis[band]));
    } else {
      lePunkteBand[i]->SetCaption(code == 'R' ? Tenths(BandPoints[band], kBandPointsTenthsDigits)
                                              : Masked(BandPoints[band]));
    }
  }
  if (flags.multipliers_as_score) {
    lePunkte->SetVisible(false);
    lPunkte->SetVisible(false);
    lemulti->SetCaption("Punkte");
  }
  // Over every band slot, the all-bands slot 1 included.
  const std::span<const std::int32_t> multis(BandMultis.begin() + 1, BandMultis.end());
  const std::span<const std::int32_t> points(BandPoints.begin() + 1, BandPoints.end());
  std::int64_t m = 0, p = 0, q = 0;
  for (std::size_t s = 1; s < kBandSlots; ++s) {
    m += BandMultis[s];
    p += BandPoints[s];
    q += BandQsos[s];
  }
  const std::int64_t score = contest::ClaimedScore(flags, multis, points);
  Label28->SetCaption(Number(q) + " QSO");
  std::string multis_text;
  if (!flags.no_multipliers) {
    const std::string_view first_slot = Definition.MultiplierNames[0].view();
    if (flags.points_only || flags.per_band_product) {
      multis_text = Number(m) + (first_slot == "PLZ"      ? " PLZ"
                                 : first_slot == "Prefix" ? " Prefixe"
                                                          : " Multi");
    } else {
      multis_text = Number(m) + (flags.multipliers_as_score ? "" : " Multi x");
    }
  }
  std::string points_text;
  if (flags.per_band_product) {
    points_text = Number(p) + " Punkte";
    Label20->SetVisible(false);
  } else if (!flags.no_multipliers) {
    if (flags.multipliers_as_score) multis_text.clear();
    points_text = Number(flags.multipliers_as_score ? m : p) + " Punkte =";
  }
  std::string score_text = Number(score) + " Pkt.";
  if (code == 'R') {
    points_text = Tenths(p, kMaskDigits) + " Punkte =";
    score_text = Tenths(score, kMaskDigits) + " Pkt.";
  }
  Label19->SetCaption(multis_text);
  Label20->SetCaption(points_text);
  Label21->SetCaption(score_text);
  for (std::size_t i = 0; i < kBandRows; ++i) {
    const bool current = Definition.Bands[i] != 0 && Definition.Bands[i] == CurrentBand;
    const platform::qt::TColor colour = current ? platform::qt::clYellow : platform::qt::clSilver;
    for (TLabel* label : {lQSOBand[i], leQSOBand[i], lMultiBand[i], leMultiBand[i],
                          lPunkteBand[i], lePunkteBand[i]}) {
      label->Font().SetColor(colour);
    }
  }
}

}  // namespace contestlog
