// TdbPrefix::ResolveCall: the longest-prefix search over the prefix table, the patterns of its
// entries (wildcards "#", "?" and "~", ranges, entries addressed by menu code) and the references
// an entry makes (OldRef, DXCC2, wiePref), with the DXCC selection for entries with a menu code.
#include <optional>
#include <string>

#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"

namespace logbook {
namespace {

// From this many searches or follows on, one resolution answers "not found": references that
// lead round in a circle end here.
constexpr int kMaxDepth = 6;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsWildcard(char c) { return c == '#' || c == '?' || c == '~'; }
bool Below(char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); }
bool StartsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

std::int32_t Today() { return common::Service<common::ToDates>::Get().TodayUtc(); }

// The first digit of a call that follows its letters, appended to a prefix of letters only:
// "DL" of "DL1ABC" becomes "DL1", "K" of "K1ABC" "K1".
void AppendAreaDigit(std::string& prefix, std::string_view call) {
  if (call.size() < 3) return;
  const bool letters_only = (prefix.size() == 2 && IsLetter(prefix[0]) && IsLetter(prefix[1])) ||
                            (prefix.size() == 1 && IsLetter(prefix[0]));
  if (!letters_only) return;
  if (IsLetter(call[0]) && IsLetter(call[1]) && IsDigit(call[2])) {
    prefix += call[2];
  } else if (IsLetter(call[0]) && IsDigit(call[1])) {
    prefix += call[1];
  } else if (IsDigit(call[0]) && IsLetter(call[1]) && IsDigit(call[2])) {
    prefix += call[2];
  }
}

// The concrete prefix of the call from the entry's stored prefix: a trailing "-" dropped, the
// first wildcard filled in from the call, the area digit appended.
std::string ConcretePrefix(std::string prefix, std::string_view call) {
  if (!prefix.empty() && prefix.back() == '-') prefix.pop_back();
  auto k = prefix.find('?');
  if (k == std::string::npos) k = prefix.find('#');
  if (k == std::string::npos) k = prefix.find('~');
  if (k != std::string::npos && k < call.size()) prefix[k] = call[k];
  AppendAreaDigit(prefix, call);
  return prefix;
}

// A call held by a learnt or exact-call table: as an entry of its own, or under an entry marked
// "J" that covers every call beginning with its text.
bool HeldBy(TdbPrefix& table, const std::string& call) {
  if (table.NearestPrefix(call) && common::Trim(table.GetPrefix()) == call) return true;
  for (std::size_t n = call.size(); n >= 2; --n) {
    if (table.FindExact(call.substr(0, n)) && table.GetMark() == 'J') return true;
  }
  return false;
}

// The part of a call written with "/" that names its entity ("EA8" of "DK1RI/EA8", "UA2" of
// "UA3TT/2", the call itself of "DL1ABC/P", "FR5XX/G" of itself), as the prefix analysis weighs
// the parts; the base call when the weighing leaves no prefix part. Empty for a maritime or
// aeronautical mobile ("/MM", "/AM"), which belongs to no entity.
std::string EntityPartOf(const std::string& call) {
  for (std::size_t slash = call.find('/'); slash != std::string::npos;) {
    const std::size_t end = call.find('/', slash + 1);
    const std::string_view part = std::string_view(call).substr(slash + 1, end - slash - 1);
    if (part == "MM" || part == "AM") return {};
    slash = end;
  }
  const ToPrefix& analysis = common::Service<ToPrefix>::Get();
  std::string part = analysis.GetPrefixPlain(call);
  if (part.empty()) part = analysis.GetPrefix(call);
  return part.empty() ? call : part;
}

// Counts one resolution and everything it runs as one: the outermost resets the counters.
class ResolutionScope {
 public:
  explicit ResolutionScope(ToDatPrefix::ResolutionDepth& depth) : depth_(depth) {
    if (depth_.nesting++ == 0) depth_.searches = depth_.follows = 0;
  }
  ~ResolutionScope() { --depth_.nesting; }
  ResolutionScope(const ResolutionScope&) = delete;
  ResolutionScope& operator=(const ResolutionScope&) = delete;

 private:
  ToDatPrefix::ResolutionDepth& depth_;
};

// One entry lookup's answer: found, and the wildcard that matched where the text ends (0: none).
struct Lookup {
  bool found = false;
  char wildcard = 0;
};

// The walk of one resolution on one cursor.
class Resolver {
 public:
  Resolver(TdbPrefix& cursor, ToDatPrefix::ResolutionDepth& depth, bool date_defaulted,
           const QsoFieldTexts* qso)
      : cursor_(cursor), depth_(depth), date_defaulted_(date_defaulted), qso_(qso) {}

  std::uint8_t Chosen() const { return chosen_; }

  // The longest leading part of the call that names an entry, followed.
  ResolveResult Search(const std::string& call, std::int32_t date) {
    if (++depth_.searches >= kMaxDepth) return ResolveResult::kNotFound;
    std::string pattern = call;  // the call with the wildcards of the entries met written in
    std::string s = pattern;
    while (!s.empty()) {
      const Lookup lookup = LookupEntry(s);
      if (!lookup.found) {
        s.pop_back();
        continue;
      }
      if (lookup.wildcard == 0) return Follow(call, date, false);
      // A wildcard where the text ends: look again with it written into the call. Where the call
      // holds that wildcard already nothing would change, and the search would go round for ever.
      char& at = pattern[s.size() - 1];
      if (at == lookup.wildcard) return ResolveResult::kNotFound;
      at = lookup.wildcard;
      s = pattern;
    }
    return ResolveResult::kNotFound;
  }

 private:
  // The entry of a text: addressed by its menu code ("VP8-1"), equal to it, a range entry
  // covering its last character, or an entry with a wildcard where the text ends.
  Lookup LookupEntry(const std::string& s) {
    cursor_.ResetCache();
    const auto dash = s.find('-');
    if (dash != std::string::npos && dash + 1 < s.size() && IsDigit(s[dash + 1])) {
      if (!cursor_.FindByPrefixAndKey(s.substr(0, dash), s.substr(dash + 1))) return {};
      cursor_.SetMenue("");  // addressed by its code: no selection
      return {true, 0};
    }
    if (!cursor_.NearestPrefix(s)) return {};
    std::string p = cursor_.GetPrefix();
    if (p == s) return {true, 0};
    const std::size_t last = s.size() - 1;
    if (p.size() == s.size() && p.compare(0, last, s, 0, last) == 0 && !Below(p[last], s[last])) {
      const char from = cursor_.GetRangeFrom();
      if (IsDigit(from) || IsLetter(from)) {
        if (Below(s[last], from)) return {};
        p[last] = s[last];  // the range covers it
        cursor_.SetPrefix(p);
        return {true, 0};
      }
      if (IsWildcard(p[last])) return {true, p[last]};
      return {};
    }
    if (p.size() > s.size() && IsWildcard(p[last]) && p.compare(0, last, s, 0, last) == 0) {
      return {true, IsWildcard(s[last]) ? s[last] : p[last]};
    }
    return {};
  }

  // The entry of an OldRef or DXCC2 by "DXCC,Prefix" (main prefix and prefix alike).
  bool LookupExact(const std::string& text) {
    std::string dxcc = text;
    if (!dxcc.empty() && dxcc.back() == '-' && !StartsWith(dxcc, "PJ")) dxcc.pop_back();
    std::string prefix = text;
    if (StartsWith(prefix, "FT5")) prefix.replace(0, 3, "FT?");
    return cursor_.FindByDXCC(dxcc, prefix);
  }

  // Follows a reference of the entry; the answer keeps the starting entry's prefix.
  ResolveResult FollowReference(const std::string& reference, const std::string& call,
                                std::int32_t date, const std::string& start_prefix) {
    const bool found = reference.find("RA") != std::string::npos ? LookupEntry(reference).found
                                                                 : LookupExact(reference);
    if (!found || Follow(call, date, true) != ResolveResult::kResolved) {
      return ResolveResult::kNotFound;
    }
    cursor_.SetPrefix(start_prefix);
    return ResolveResult::kResolved;
  }

  // The entry the cursor holds, at the date: its selection, references, validity and like-prefix.
  ResolveResult Follow(const std::string& call, std::int32_t date, bool following) {
    if (++depth_.follows >= kMaxDepth) return ResolveResult::kNotFound;
    const std::string start_prefix = cursor_.GetPrefix();
    if (!common::Trim(cursor_.GetMenue()).empty()) RunSelection(date);
    if (!following) {
      const TPrefixRec& r = cursor_.GetRecord();
      const std::string old_ref = common::Trim(r.old_ref.view());
      if (date <= r.old_until && !old_ref.empty()) {
        return FollowReference(old_ref, call, date, start_prefix);
      }
      std::string dxcc2 = common::Trim(r.dxcc2.view());
      if (date <= r.dxcc2_until && !dxcc2.empty()) {
        if (dxcc2 == "RA" && call.size() > 2 && IsDigit(call[2])) dxcc2 += call[2];
        return FollowReference(dxcc2, call, date, start_prefix);
      }
      if ((date > 0 && date < r.start_date) || (r.end_date > 0 && r.end_date < date)) {
        return ResolveResult::kNotValid;
      }
    }
    return FollowLikePrefix(call, date, following, start_prefix);
  }

  // The entry behaves like the entry of its wiePref: the same pattern under another prefix
  // (same length), that entry itself (optionally at today, "-NT"), or the call's rest after a
  // head ("#").
  ResolveResult FollowLikePrefix(const std::string& call, std::int32_t date, bool following,
                                 const std::string& start_prefix) {
    const std::string wie = common::Trim(cursor_.GetWiePref());
    if (wie.empty()) return ResolveResult::kResolved;
    const std::string entry_prefix = cursor_.GetPrefix();
    if (wie.size() == entry_prefix.size() && wie.find('#') == std::string::npos) {
      const std::string rest = call.size() > wie.size() ? call.substr(wie.size()) : "";
      return SearchAndReplaceHead(wie + rest, date, wie, start_prefix);
    }
    if (wie.back() != '#') {
      std::string w = wie;
      const auto nt = w.find("-NT");
      if (nt != std::string::npos) w.resize(nt);
      if (!LookupEntry(w).found) return ResolveResult::kNotFound;
      const bool at_today = nt != std::string::npos || following;
      const ResolveResult result = Follow(call, at_today ? Today() : date, false);
      cursor_.SetPrefix(start_prefix);
      return result;
    }
    const std::string head = wie.substr(0, wie.find('#'));
    const auto k = entry_prefix.find_first_of("?#~");
    const std::size_t cut = k != std::string::npos ? k : entry_prefix.size();
    const std::string rest = call.size() > cut ? call.substr(cut) : "";
    return SearchAndReplaceHead(head + rest, date, head, entry_prefix.substr(0, cut));
  }

  // Searches `text`; a prefix found that starts with `head` gets `replacement` in its place.
  ResolveResult SearchAndReplaceHead(const std::string& text, std::int32_t date,
                                     const std::string& head, const std::string& replacement) {
    if (Search(text, date) != ResolveResult::kResolved) return ResolveResult::kNotFound;
    const std::string found = cursor_.GetPrefix();
    if (StartsWith(found, head)) cursor_.SetPrefix(replacement + found.substr(head.size()));
    return ResolveResult::kResolved;
  }

  void RunSelection(std::int32_t date) {
    auto text = [this](int kind) { return qso_ != nullptr ? qso_->QsoFieldText(kind) : ""; };
    chosen_ = RunPrefAuswahl(cursor_, text(QsoFieldTexts::kCall), text(QsoFieldTexts::kName),
                             text(QsoFieldTexts::kDxcc), text(QsoFieldTexts::kQth), date,
                             date_defaulted_);
  }

  TdbPrefix& cursor_;
  ToDatPrefix::ResolutionDepth& depth_;
  bool date_defaulted_;
  const QsoFieldTexts* qso_;
  std::uint8_t chosen_ = 0;
};

}  // namespace

ResolveResult TdbPrefix::ResolveCall(std::string_view call, std::int32_t date,
                                     bool look_supplementary) {
  std::uint8_t chosen = 0;
  return ResolveCall(call, date, look_supplementary, nullptr, nullptr, chosen, nullptr);
}

ResolveResult TdbPrefix::ResolveCall(std::string_view call_text, std::int32_t date,
                                     bool look_supplementary, TdbPrefix* learnt, TdbPrefix* exact,
                                     std::uint8_t& chosen, const QsoFieldTexts* qso) {
  std::string call = common::UpperCase(common::Trim(call_text));
  const std::uint8_t mode = common::Service<ToPrefix>::Get().Interactive();
  if (memory_.mark == "FP" && memory_.text1 == call && memory_.date == date &&
      memory_.mode == mode) {
    chosen = memory_.chosen;
    return static_cast<ResolveResult>(memory_.answer);
  }
  chosen = 0;
  ResolveResult result = ResolveResult::kNotFound;
  ToDatPrefix& files = common::Service<ToDatPrefix>::Get();
  const ResolutionScope scope(files.Depth());
  // Defaulted before anything else, so that a call without a date is never answered from
  // memory, whatever found it.
  const bool date_defaulted = date <= 0;
  if (date_defaulted) date = Today();

  const bool held = look_supplementary && TakeHeldCall(call, learnt, exact);
  if (held) result = ResolveResult::kResolved;
  // A portable call is resolved by its part that carries the prefix, after the exact-call
  // tables had their look at the whole call.
  std::string entity_call = call;
  if (!held && call.find('/') != std::string::npos) entity_call = EntityPartOf(call);
  if (!held && !entity_call.empty()) {
    if (const auto slash = entity_call.find('/'); slash != std::string::npos) {
      const std::string after = entity_call.substr(slash + 1);
      int head = 0;
      if (ToPrefix::IsSpecialEntity(entity_call, after, head)) {
        entity_call = entity_call.substr(0, head) + "/" + after;
      }
    }
    Resolver resolver(*this, files.Depth(), date_defaulted, qso);
    result = resolver.Search(entity_call, date);
    if (result == ResolveResult::kResolved) {
      SetPrefix(ConcretePrefix(GetPrefix(), entity_call));
      chosen = resolver.Chosen();
    }
  }
  // Remembered under the call as asked: different calls may share their prefix part.
  memory_ = Memory{"FP", call, "", date, mode, static_cast<int>(result), chosen};
  return result;
}

bool TdbPrefix::TakeHeldCall(std::string_view call_text, TdbPrefix* learnt, TdbPrefix* exact) {
  const std::string call = common::UpperCase(common::Trim(call_text));
  if (call.empty()) return false;
  for (const int kind : {kPrefixLearnt, kPrefixExact}) {
    TdbPrefix* given = kind == kPrefixLearnt ? learnt : exact;
    std::optional<TdbPrefix> own;
    TdbPrefix& table = given != nullptr ? *given : own.emplace(kind);
    if (!HeldBy(table, call)) continue;
    AssignFrom(table);
    SetADIFNr(
        static_cast<std::uint16_t>(common::Service<ToPrefix>::Get().DXCCNumberOfPrefix(GetDXCC())));
    return true;
  }
  return false;
}

}  // namespace logbook
