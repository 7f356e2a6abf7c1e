#include "logbook/reference/prefix_cursor.h"

#include <cstdio>
#include <utility>

#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"

namespace logbook {
namespace {

std::string Padded(std::string_view text, int width) { return common::SetLen(text, width, true); }

// Old DXCC prefixes and their replacements, in the order they are applied: "E5" is replaced only
// after "ZK1N" and "ZK1/N" became "E5/N", so those are not touched twice.
constexpr std::pair<std::string_view, std::string_view> kOutdatedDxcc[] = {
    {"4O3", "4O"},  {"T9", "E7"},     {"ZK1N", "E5/N"},  {"ZK1/N", "E5/N"},
    {"E5", "E5/N"}, {"ZK1S", "E5/S"}, {"ZK1/S", "E5/S"}, {"E50", "E5/S"},
    {"ST0", "Z8"},  {"ZK2", "E6"},    {"TX0", "FK/C"},
};

std::int32_t Today() { return common::Service<common::ToDates>::Get().TodayUtc(); }

}  // namespace

TdbPrefix::TdbPrefix(int kind, std::uint8_t key_form_flag) : TdbPrefixBase(kind, key_form_flag) {}

bool TdbPrefix::Remembered(std::string_view mark, std::string_view text1,
                           std::string_view text2) const {
  return memory_.mark == mark && memory_.text1 == text1 && memory_.text2 == text2;
}

void TdbPrefix::Remember(std::string mark, std::string_view text1, std::string_view text2,
                         int answer) {
  memory_ = Memory{};
  memory_.mark = std::move(mark);
  memory_.text1 = text1;
  memory_.text2 = text2;
  memory_.answer = answer;
}

bool TdbPrefix::FindExact(std::string_view prefix) {
  if (Kind() == kPrefixMain) return Find(InitKeyText() + Padded(prefix, 6), kKeyPrefix, true);
  return Find(InitKeyText() + Padded(prefix, 14), kKeyWholeCall, true);
}

bool TdbPrefix::NearestPrefix(std::string_view text) {
  if (Kind() == kPrefixMain) return Search(InitKeyText() + Padded(text, 6), kKeyPrefix);
  return Search(InitKeyText() + Padded(text, 14), kKeyWholeCall);
}

bool TdbPrefix::FindByPrefixAndKey(std::string_view prefix, std::string_view menue) {
  if (Remembered("FDM", prefix, menue)) return memory_.answer != 0;
  const bool found = FindPrefixMenue(prefix, menue, false);
  Remember("FDM", prefix, menue, found ? 1 : 0);
  return found;
}

bool TdbPrefix::FindByDXCC(std::string_view dxcc, std::string_view prefix) {
  if (Remembered("FDP", dxcc, prefix)) return memory_.answer != 0;
  const bool found =
      Find(InitKeyText() + Padded(dxcc, 6) + Padded(prefix, 6), kKeyDxccPrefix, true);
  Remember("FDP", dxcc, prefix, found ? 1 : 0);
  return found;
}

bool TdbPrefix::FindPrefixMenue(std::string_view prefix, std::string_view menue, bool nearest) {
  const std::string text = InitKeyText() + Padded(prefix, 6) + Padded(menue, 3);
  return nearest ? Search(text, kKeyPrefixMenue) : Find(text, kKeyPrefixMenue, true);
}

bool TdbPrefix::IsOutsideValidity() const {
  const std::int32_t today = Today();
  return (GetEndDate() > 0 && GetEndDate() < today) || GetStartDate() > today;
}

int TdbPrefix::FindDXCCAllTables(std::string_view dxcc_text) {
  const std::string dxcc = common::Trim(dxcc_text);
  if (Remembered("FD", dxcc, "")) return memory_.answer;
  auto same_dxcc = [&dxcc](const TdbPrefix& c) { return common::Trim(c.GetDXCC()) == dxcc; };
  int answer = 1;
  if (Search(InitKeyText() + Padded(dxcc, 6), kKeyDxccPrefix) && same_dxcc(*this)) answer = 0;
  // The supplementary tables: first an entry of the entity under its own main prefix, then any.
  for (int pass = 0; answer != 0 && pass < 2; ++pass) {
    for (const int kind : {kPrefixLearnt, kPrefixExact}) {
      TdbPrefix other(kind);
      const bool found = pass == 0
                             ? other.FindByDXCC(dxcc, dxcc)
                             : other.Search(Padded(dxcc, 6), kKeyDxccPrefix) && same_dxcc(other);
      if (found) {
        ClearBuffer();
        AssignFrom(other);
        answer = 0;
        break;
      }
    }
  }
  Remember("FD", dxcc, "", answer);
  return answer;
}

std::string TdbPrefix::DXCCForPrefix(std::string_view dxcc) {
  if (FindDXCCAllTables(dxcc) != 0) return {};
  char text[8];
  std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(GetADIFNr()));
  return text;
}

std::string TdbPrefix::ReferenceAtDate(std::int32_t date) const {
  const std::string old_ref = common::Trim(GetOldRef());
  if (!old_ref.empty() && date >= GetStartDate() && date <= GetOldUntil()) return old_ref;
  const std::string dxcc2 = common::Trim(GetDXCC2());
  if (!dxcc2.empty() && date <= GetDXCC2Until()) return dxcc2;
  // A like-prefix names its entry whatever the date it is tested at ("-NT") and whatever the
  // pattern ("#") it applies to.
  std::string wie = common::Trim(GetWiePref());
  if (const auto nt = wie.find("-NT"); nt != std::string::npos) wie.resize(nt);
  if (const auto hash = wie.find('#'); hash != std::string::npos) wie.resize(hash);
  return wie;
}

bool TdbPrefix::MoveToReference(const std::string& reference, std::int32_t date) {
  if (reference.find("RA") != std::string::npos) {
    return ResolveCall(reference, date, false) == ResolveResult::kResolved;
  }
  return FindDXCCAllTables(reference) == 0;
}

std::string TdbPrefix::DXCCAtDate(std::int32_t date) {
  const std::string reference = ReferenceAtDate(date);
  if (reference.empty()) return common::Trim(GetDXCC());
  return MoveToReference(reference, date) ? common::Trim(GetDXCC()) : std::string();
}

void TdbPrefix::NextValidAtDate(std::int32_t date) {
  const TPrefixRec entry = working_;
  const std::string reference = ReferenceAtDate(date);
  if (!reference.empty() && !MoveToReference(reference, date)) {
    working_ = entry;
    ResetCache();
  }
  if (date > 0 && entry.start_date > 0 && date < entry.start_date) SetCountry("not current");
}

int TdbPrefix::RenameOutdatedPrefixes() {
  int rewritten = 0;
  if (Kind() == kPrefixMain) return rewritten;
  for (const auto& [old_dxcc, new_dxcc] : kOutdatedDxcc) {
    while (Search(InitKeyText() + Padded(old_dxcc, 6), kKeyDxccPrefix) &&
           common::Trim(GetDXCC()) == old_dxcc) {
      SetDXCC(new_dxcc);
      // Without this end a record that stays locked would be found and tried again for ever.
      if (!Update()) return rewritten;
      ++rewritten;
    }
  }
  return rewritten;
}

}  // namespace logbook
