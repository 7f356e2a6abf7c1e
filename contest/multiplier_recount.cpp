// The multiplier walks of the rule object: is a value worked before (mode A), and the recount of
// a kind over the log (mode B) (contest/cont_log_alle.h).
#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_keys.h"
#include "contest/contest_lookups.h"
#include "contest/progress_window.h"
#include "contest/rule_helpers.h"
#include "logbook/reference/modes.h"

namespace contest {
namespace {

// The progress window's maximum while a log is recounted.
constexpr int kProgressMaximum = 500;

// The indexes a kind is walked by: per band and over the whole log, the width of the value's
// part in them (the part that makes a run of equal values), and the value's width in the
// log window's table.
struct KindIndex {
  int kind;
  int band_key;
  int all_key;
  int width;
  int table_width;
};

constexpr std::array<KindIndex, 11> kKindIndexes = {{
    {1, 22, 28, 6, 4},   // Bandcode,Prefix / Prefix
    {2, 10, 5, 6, 6},    // Bandcode,DXCC / DXCC
    {4, 21, 18, 8, 8},   // Bandcode,DOK1,DOK2 / DOK1,DOK2
    {5, 23, 3, 4, 4},    // Bandcode,Loc / Loc,Datum,Zeit: the square
    {10, 9, 2, 14, 14},  // Bandcode,Call,Mode / Call,Datum,Zeit: the base call
    {12, 25, 26, 2, 2},  // Bandcode,WAZ_USStaat / WAZ_USStaat
    {15, 25, 26, 2, 2},  //
    {16, 27, 20, 6, 4},  // Bandcode,Call2 / Call2
    {18, 21, 18, 1, 1},  // the DOK keys: the district letter
    {19, 27, 20, 6, 6},  //
    {22, 22, 28, 6, 4},  // the prefix keys
}};

const KindIndex* IndexOf(int kind) {
  for (const KindIndex& index : kKindIndexes) {
    if (index.kind == kind) return &index;
  }
  return nullptr;
}

// What a QSO's key holds where the kind's value stands.
std::string KeyField(int kind, const TContestLKRec& qso) {
  switch (kind) {
    case 1:
    case 22:
      return qso.Prefix.str();
    case 2:
      return qso.DXCC.str();
    case 4:
    case 18:
      return DokOf(qso);
    case 5:
      return qso.Loc.str();
    case 10:
      return ReducedCall(qso.Call.view());
    case 16:
    case 19:
      return qso.Call2.str();
    default:  // 12, 15
      return qso.WAZ_USStaat.str();
  }
}

// The smallest text above every text that begins with `prefix` (byte order, as the index
// compares); empty when there is none.
std::string Successor(std::string prefix) {
  while (!prefix.empty()) {
    auto& last = reinterpret_cast<unsigned char&>(prefix.back());
    if (last != 0xFF) {
      ++last;
      return prefix;
    }
    prefix.pop_back();
  }
  return prefix;
}

bool KindInUse(int kind, const TContestRec& definition, bool tallies) {
  const ContestSet& kinds = definition.MultiplierKinds;
  return kinds[static_cast<std::size_t>(kind)] || (kind == 4 && (kinds[8] || kinds[17])) ||
         (kind == 2 && tallies);
}

// One walk along a kind's index, on an object of its own on the log's file. Nothing else
// positions that file while a walk runs, so it moves on without re-finding its record.
class KindWalk {
 public:
  KindWalk(const TdbContestBase& log, const KindIndex& index, bool per_band, char band)
      // A log being renumbered is asked about itself: its QSOs so far are the earlier ones.
      : table_(log.TableNo() == kTableLKNew ? kTableLKNew : kTableLK, log.FileSetNo()),
        index_(index),
        key_(per_band ? index.band_key : index.all_key),
        per_band_(per_band),
        band_(per_band ? std::string(1, band) : std::string()) {}

  // From the first record of the run of `value` (the band's or the index's first without one).
  bool Start(std::string_view value) {
    if (value.empty() && band_.empty()) return Fetch(table_.First(key_));
    return Fetch(table_.Search(band_ + (value.empty() ? "" : Part(value)), key_));
  }
  bool Next() { return Fetch(table_.Next(false, true)); }
  // To the first record after the current record's run.
  bool SkipRun() {
    const std::string after = Successor(Run());
    return !after.empty() && Fetch(table_.Search(after, key_));
  }
  const TContestLKRec& Qso() const { return qso_; }
  // The band (when walking per band) and the value's part of the current record's key.
  std::string Run() const {
    return (per_band_ ? std::string(1, qso_.Bandcode) : std::string()) +
           Part(KeyField(index_.kind, qso_));
  }
  std::string RunOf(std::string_view value) const { return band_ + Part(value); }

 private:
  std::string Part(std::string_view text) const { return PaddedKeyPart(text, index_.width); }
  bool Fetch(bool found) {
    if (found) table_.GetLKRec(qso_);
    return found;
  }

  TdbContest table_;
  const KindIndex& index_;
  int key_;
  bool per_band_;
  std::string band_;
  TContestLKRec qso_{};
};

// A given value as the walk compares it.
std::string WantedValue(int kind, std::string_view value) {
  const std::string trimmed = common::Trim(value);
  if (kind == 10) return ReducedCall(trimmed);
  if (kind == 18) return common::LeftStr(trimmed, 1);
  if (kind == 5) return common::LeftStr(trimmed, 4);
  return trimmed;
}

// Whether a QSO that does not count may be followed by one of the same value that does: then a
// recount must read the rest of the run.
bool CountingDependsOnQso(int kind, const TContestRec& definition, char code) {
  return !definition.FilterText.empty() || kind == 18 || kind == 22 ||
         (kind == 2 && (code == '6' || definition.MultiplierKinds[9]));
}

std::uint32_t ModeClassBit(const TContestLKRec& qso) {
  const char letter = common::Service<logbook::ToModi>::Get().ModeClass(qso.Mode.view());
  return letter >= 'a' && letter <= 'z' ? 1u << (letter - 'a') : 1u << 31;
}

// Whether slot 1-3 names a kind that the recount walks for the contest.
bool SlotNamesCountedKind(int slot, const TContestRec& definition) {
  return std::any_of(kKindIndexes.begin(), kKindIndexes.end(), [&](const KindIndex& index) {
    return KindInUse(index.kind, definition, false) &&
           TContLogAlle::MultiplierSlotIsKind(index.kind, slot, definition);
  });
}

}  // namespace

int TContLogAlle::TallySlotOfKind(int kind, const TContestRec& definition) {
  for (int slot = 1; slot <= kExchangeSlots; ++slot) {
    if (MultiplierSlotIsKind(kind, slot, definition)) return slot;
  }
  for (int slot = 1; slot <= kExchangeSlots; ++slot) {
    if (!SlotNamesCountedKind(slot, definition)) return slot;
  }
  return 1;
}

std::int32_t TContLogAlle::RecountMultipliers(const RecountRequest& request,
                                              const TdbContestBase& log,
                                              const TdbContestBase& catalogue,
                                              const TContestRec& definition) {
  const KindIndex* index = IndexOf(request.kind);
  if (index == nullptr || !KindInUse(request.kind, definition, request.tallies != nullptr)) {
    return 0;
  }
  const char code = ContestCodeOf(catalogue);
  const int kind = request.kind;

  if (!request.value.empty()) {
    // Mode A. Every code but 'i' asks about the band; its QSOs are found by the band's index.
    KindWalk walk(log, *index, CountsPerBand(definition) || code != 'i', request.band);
    const std::string wanted = WantedValue(kind, request.value);
    if (wanted.empty()) return 0;
    const std::string run = walk.RunOf(wanted);
    for (bool found = walk.Start(wanted); found && walk.Run() == run; found = walk.Next()) {
      const TContestLKRec& qso = walk.Qso();
      if (qso.SkipMark != 0 || WalkValue(kind, qso) != wanted) continue;
      if (definition.Flag31 == 2 && std::string_view(&qso.Bandcode, 1) != request.compare_text) {
        continue;
      }
      if (WalkQsoCountsForKind(kind, qso, catalogue, definition)) return 1;
    }
    return 0;
  }

  // Mode B.
  const bool per_band = CountsPerBand(definition);
  const bool count_again = kind == 4 && (code == 'L' || definition.Flag31 == 2);
  const bool every_record = request.tallies != nullptr || code == '6' || count_again;
  const bool depends_on_qso = CountingDependsOnQso(kind, definition, code);
  const auto tally_slot = static_cast<std::size_t>(TallySlotOfKind(kind, definition) - 1);
  KindWalk walk(log, *index, per_band, request.band);
  std::map<std::string, std::uint32_t> counted;  // value -> mode classes it was counted in
  std::int32_t count = 0;
  std::size_t written = 0;
  int steps = 0;
  bool cancelled = false;
  for (bool found = walk.Start({}); found;) {
    const TContestLKRec& qso = walk.Qso();
    // 'L' counts its multipliers on from the band to the end of the log; its QSOs still
    // count on their own band only.
    const bool other_band = per_band && qso.Bandcode != request.band;
    if (other_band && code != 'L') break;
    bool step = every_record || qso.SkipMark != 0;
    if (qso.SkipMark == 0) {
      if (request.tallies != nullptr && kind == 2 && !other_band) ++request.tallies->kind2_qsos;
      const std::string value = WalkValue(kind, qso);
      if (!value.empty() && WalkQsoCountsForKind(kind, qso, catalogue, definition)) {
        const std::uint32_t mode_class = definition.Flag31 == 2 ? ModeClassBit(qso) : 0;
        const auto [it, fresh] = counted.try_emplace(value, 0u);
        const bool again = count_again && (code == 'L' || (it->second & mode_class) == 0);
        it->second |= mode_class;
        if (fresh || again) {
          const std::int32_t add = MultiplierWeight(kind, qso, catalogue) + 1;
          count += add;
          if (request.tallies != nullptr) request.tallies->slots[tally_slot] += add;
        }
        if (fresh && request.table != nullptr && written < request.table->size()) {
          WorkedMultiEntry& entry = (*request.table)[written++];
          entry.text = PaddedKeyPart(value, index->table_width);  // cut to 8
          entry.mark = 0;
        }
        // The index holds only the first characters of a longer value.
        step = step || static_cast<int>(value.size()) > index->width;
      } else {
        step = step || depends_on_qso;
      }
    }
    if (request.tallies != nullptr && request.progress != nullptr && !cancelled &&
        ++steps % 10 == 0) {
      // The bar wraps at the window's maximum; a position of 0 would leave it alone.
      const int position = (steps - 1) % kProgressMaximum + 1;
      request.progress->Step("", position, 0, cancelled);
    }
    found = step ? walk.Next() : walk.SkipRun();
  }
  return count;
}

}  // namespace contest
