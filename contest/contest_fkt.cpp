#include "contest/contest_fkt.h"

#include <fstream>
#include <iterator>

#include "common/current_folder.h"
#include "common/date_mask.h"
#include "common/file_paths.h"
#include "common/local_clock.h"
#include "common/messages.h"
#include "common/number_mask.h"
#include "common/protocol.h"
#include "common/service.h"
#include "contest/contest_tables.h"
#include "contest/definition_loader.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"

namespace contest {
namespace {

// An operator's file is small; anything larger is not one.
constexpr std::streamsize kOverrideLimit = 4 << 20;

// The file's bytes; nothing when it does not exist or cannot be read.
std::optional<std::string> ReadOverride(const std::string& path, DefinitionProblems& problems) {
  std::ifstream in(common::OsPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<std::size_t>(kOverrideLimit) + 1, '\0');
  in.read(text.data(), kOverrideLimit + 1);
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.gcount() > kOverrideLimit) {
    problems.push_back({path, 0, "Datei größer als 4 MB"});
    return std::nullopt;
  }
  return text;
}

void Report(const DefinitionProblems& problems) {
  if (problems.empty()) return;
  for (const DefinitionProblem& p : problems) common::Protocol::AppendLine(p.Text());
  std::string text = "Die Contestdaten in " + problems.front().file +
                     " sind fehlerhaft; für die betroffenen Angaben gelten die eingebauten "
                     "Werte.\r\n" +
                     problems.front().Text();
  if (problems.size() > 1) {
    text += "\r\n(" + std::to_string(problems.size()) + " Fehler insgesamt)";
  }
  common::Service<common::ToMessages>::Get().Achtung("Contestdaten", text);
}

}  // namespace

const DefinitionSet& TContestFkt::Definitions() {
  if (set_) return *set_;
  DefinitionProblems problems;
  set_ = ParseDefinitionSet(BuiltInDefinitionText(), kBuiltInDefinitionName, problems);
  const std::string path = common::AddBackslash(StartDir()) + std::string(kOverrideFileName);
  if (std::optional<std::string> text = ReadOverride(path, problems)) {
    ApplyDefinitionOverride(*set_, *text, path, problems);
  }
  Report(problems);
  return *set_;
}

void TContestFkt::LoadContestDefinition(TContestRec& definition, TContestKKRec& catalogue,
                                        char code) {
  const logbook::ToSetupOwnStation own = common::Service<logbook::ToSetups>::Get().GetOwnStation();
  LoadContext context;
  context.set = &Definitions();
  context.bands = &common::Service<logbook::ToBaender>::Get();
  context.own_locator = own.own_locator.str();
  context.own_name = own.station_text2.str();
  context.today = TodayText();
  context.log_year = LogYearText(catalogue);
  // Truncated toward zero: the offset's whole hours.
  context.utc_offset_hours = common::UtcBiasMinutes() / 60;
  context.station_folder = common::AddBackslash(StartDir());
  FillContestDefinition(context, code, catalogue, definition);
}

void TContestFkt::LoadContestDefinition(TContestRec& definition, TdbContestBase& catalogue,
                                        char code, bool update_file) {
  TContestKKRec record{};
  catalogue.GetKKRec(record);
  LoadContestDefinition(definition, record, code);
  catalogue.SetKKRec(record);
  if (update_file) catalogue.UpdateRec();
}

std::string TContestFkt::LogYearText(const TContestKKRec& catalogue) {
  const std::int32_t start = catalogue.DatumVon;
  return common::DateToDateString(start < 1 ? common::Today() : start, "yyyy", {});
}

std::string TContestFkt::LogNumberText(const TContestKKRec& catalogue) {
  return common::IntToStrAt(static_cast<std::int32_t>(catalogue.OperatorNumber.get()), 5);
}

std::string TContestFkt::TodayText() {
  return common::DateToDateString(common::Today(), "dd.mm.yyyy", {});
}

}  // namespace contest
