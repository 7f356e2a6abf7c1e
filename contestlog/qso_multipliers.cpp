// The worked-multiplier tables of the log window: the evaluation of a QSO against them and the
// taking back of the QSO in hand (contestlog/log_core.h).
#include <algorithm>
#include <array>
#include <string>

#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contest/contest_keys.h"
#include "contest/rule_helpers.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_core.h"
#include "contestlog/multiplier_tables.h"

namespace contestlog {
namespace {

using contest::TContLogAlle;

struct KindStep {
  int kind;
  int width;  // the value is blank-padded or cut to it
};

// The order in which a QSO's values are evaluated.
constexpr std::array<KindStep, 11> kEvaluationOrder = {{
    {2, 8},
    {1, 4},
    {22, 4},
    {12, 8},
    {15, 8},
    {16, 8},
    {19, 8},
    {4, 8},
    {18, 8},
    {10, 14},
    {5, 4},
}};

// The order in which the QSO in hand gives its values back (kind 2 first, on its own terms).
constexpr std::array<int, 10> kRemovalOrder = {4, 18, 5, 10, 1, 22, 12, 15, 16, 19};

// Codes whose log keeps the second call field (a member number, a club) as entered.
constexpr std::string_view kCall2Codes = "7fwiknpv";
// Codes under which a second call "0" means none.
constexpr std::string_view kCall2ZeroCodes = "7nif8k";

bool KindEvaluated(const contest::TContestRec& definition, int kind) {
  const contest::ContestSet& kinds = definition.MultiplierKinds;
  if (kind == 4) return kinds[4] || kinds[8] || kinds[17];
  return kinds[static_cast<std::size_t>(kind)];
}

// The '6' member number: the two characters after the report, neither missing nor "NM".
bool HasMemberNumber(const contest::TContestLKRec& record) {
  const std::string number =
      common::Trim(common::Copy(contest::TContestFkt::RcvdExchangeText(record), 4, 2));
  return !number.empty() && number != "NM";
}

// A call as the tables hold it: the base call the recount reads (the form of the call keys),
// so that every partial call the entry evaluates is the one its removal finds again.
std::string CallTableForm(std::string_view call) {
  return TableForm(contest::ReducedCall(common::Trim(call)));
}

}  // namespace

// One QSO under evaluation: the record, the log that says what was worked before, the holder of
// the record for the rules (it opens no file) and the values of the kinds.
struct ContestLogCore::Evaluation {
  Evaluation(contest::TContestLKRec& r, const contest::TdbContestBase& walked)
      : record(r), walked_log(walked) {}

  contest::TContestLKRec& record;
  const contest::TdbContestBase& walked_log;
  contest::TdbContestBase holder{contest::kTableLKTemp, 0, 1};
  std::array<std::string, kMultiplierKindSlots + 1> value;
};

void ContestLogCore::UpdateQsoMultipliers(contest::TContestLKRec& record) {
  UpdateQsoMultipliers(record, *LogTable);
}

void ContestLogCore::UpdateQsoMultipliers(contest::TContestLKRec& record,
                                          const contest::TdbContestBase& walked_log) {
  Evaluation e(record, walked_log);
  record.CMulti = "";
  record.Info = "";
  const char code = contest::ContestCodeOf(*Catalogue);
  if (Definition.SWL == 0 && kCall2Codes.find(code) == std::string_view::npos) record.Call2 = "";
  if (kCall2ZeroCodes.find(code) != std::string_view::npos && record.Call2.view() == "0") {
    record.Call2 = "";
  }
  auto& value = e.value;
  value[2] = record.DXCC.str();
  value[1] = value[22] = record.Prefix.str();
  value[12] = value[15] = record.WAZ_USStaat.str();
  value[16] = value[19] = record.Call2.str();
  if (code == 'Z' && !common::Trim(record.WAZ_USStaat.view()).empty()) {
    value[2].clear();
    record.DXCC = "";
  }
  if (code == '6' && !HasMemberNumber(record)) value[2].clear();
  if (Definition.MultiplierKinds[9] && record.Continent.view() != "EU") value[2].clear();
  value[10] = record.Call.str();
  value[4] = common::LeftStr(record.DOK1.str() + record.DOK2.str(), 8);
  if (value[4] == "NM") value[4].clear();
  if (value[16] == "NM") value[16].clear();
  value[5] = common::LeftStr(record.Loc.view(), 4);
  if (LocatorOffBand(code, record.Bandcode)) value[5].clear();
  value[18] = common::LeftStr(value[4], 1);
  e.holder.SetLKWorkingCopy(record);
  for (const KindStep& step : kEvaluationOrder) {
    if (KindEvaluated(Definition, step.kind)) AddQsoMultipliers(e, step.kind, step.width);
  }
}

bool ContestLogCore::WorkedBefore(const Evaluation& e, int kind, const std::string& value) {
  if (kind == 4 && contest::ContestCodeOf(*Catalogue) == 'L') return false;  // a DOK is always new
  const auto ask = [&](char band) {
    contest::RecountRequest request(kind, band, value);
    const std::string band_text(1, e.record.Bandcode);
    request.compare_text = band_text;
    return Service->RecountMultipliers(request, e.walked_log, *Catalogue, Definition) == 1;
  };
  if (contest::CountsPerBand(Definition)) return ask(e.record.Bandcode);
  return std::any_of(Definition.Bands.begin(), Definition.Bands.end(),
                     [&](char band) { return band != 0 && ask(band); });
}

void ContestLogCore::AddQsoMultipliers(Evaluation& e, int kind, int width) {
  const std::string tested = common::Trim(kind == 18 ? e.value[4] : e.value[kind]);
  if (!Service->QsoCountsForKind(kind, tested, e.holder, *Catalogue, Definition)) return;
  auto& table = WorkedMultis[static_cast<std::size_t>(kind)];
  if (WorkedBefore(e, kind, tested)) {
    contestlog::MarkWorkedMulti(table, kind == 10 ? CallTableForm(tested) : e.value[kind]);
    return;
  }
  const std::string padded = contest::PaddedKeyPart(e.value[kind], width);
  StoreMultiFields(e, kind, padded);
  const std::string table_value = kind == 10 ? CallTableForm(tested) : padded;
  AddedMulti& added = added_[static_cast<std::size_t>(kind)];
  added.stored = contestlog::InsertMultiplier(table, table_value);
  CurrentMultiValue[static_cast<std::size_t>(kind)] = table_value;
  added.amount = Service->MultiplierWeight(kind, e.record, *Catalogue) + 1;
  added.slot = TContLogAlle::BandSlot(CurrentBand, Definition.Flag31, true);
  TotalMultis += added.amount;
  BandMultis[static_cast<std::size_t>(added.slot)] += added.amount;
}

void ContestLogCore::StoreMultiFields(Evaluation& e, int kind, const std::string& padded) {
  for (int slot = 1; slot <= contest::kExchangeSlots; ++slot) {
    if (!TContLogAlle::MultiplierSlotIsKind(kind, slot, Definition)) continue;
    const bool whole_dok =
        kind == 18 && Definition.MultiplierNames[static_cast<std::size_t>(slot - 1)] == "DOK";
    const std::string& text = whole_dok ? e.value[4] : padded;
    if (slot == 1) e.record.CMulti = text;
    if (slot == 2) e.record.Info = text;
    if (slot == 3) e.record.Call2 = text;
  }
}

void ContestLogCore::RefreshEntryMultipliers() {
  for (const KindStep& step : kEvaluationOrder) {
    ClearMarks(WorkedMultis[static_cast<std::size_t>(step.kind)]);
  }
  std::string& dok = CurrentMultiValue[4];
  if (common::Trim(dok) == "NM") dok.clear();
  const std::string dxcc = common::Trim(CurrentMultiValue[2]);
  // A DXCC "DL" that the contest does not count as a multiplier stays where it is.
  if (!dxcc.empty() && (dxcc != "DL" || Definition.MultiplierKinds[3])) RemoveQsoMultipliers(2);
  for (const int kind : kRemovalOrder) {
    if (!CurrentMultiValue[static_cast<std::size_t>(kind)].empty()) RemoveQsoMultipliers(kind);
  }
}

void ContestLogCore::RemoveQsoMultipliers(int kind) {
  const auto k = static_cast<std::size_t>(kind);
  if (added_[k].stored) contestlog::RemoveMultiValue(WorkedMultis[k], CurrentMultiValue[k]);
  DecrementMultiCounts(kind);
  CurrentMultiValue[k].clear();
  added_[k] = {};
}

void ContestLogCore::DecrementMultiCounts(int kind) {
  const AddedMulti& added = added_[static_cast<std::size_t>(kind)];
  const auto lower = [&added](std::int32_t& counter) {
    counter = std::max(0, counter - added.amount);
  };
  lower(TotalMultis);
  lower(BandMultis[static_cast<std::size_t>(added.slot)]);
}

void ContestLogCore::EvaluateEntryMultipliers() {
  RefreshEntryMultipliers();
  contest::TContestLKRec entry{};
  LogTable->GetLKRec(entry);
  UpdateQsoMultipliers(entry);
  LogTable->ClearRec();
  LogTable->SetLKRec(entry);
}

void ContestLogCore::ForgetEntryMultipliers() {
  for (std::string& value : CurrentMultiValue) value.clear();
  std::fill(added_.begin(), added_.end(), AddedMulti{});
  for (const KindStep& step : kEvaluationOrder) {
    ClearMarks(WorkedMultis[static_cast<std::size_t>(step.kind)]);
  }
}

}  // namespace contestlog
