#include "logbook/reference/dxcc_selection.h"

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"

namespace logbook {
namespace {

constexpr int kMaxCandidates = 30;
constexpr std::string_view kDeletedMark = "  (deleted)";
constexpr int kRemarkWidth = 50;

// Calls visit(number) for the prefix's entries from menu code "1" on, numbered from 1, at most
// 30, while the walker holds one; stops early when visit answers false. The walker re-finds its
// own entry before each step, since visit may move other cursors of the table.
template <typename Visit>
void WalkEntries(TdbPrefix& walker, const std::string& prefix, Visit visit) {
  if (!walker.FindPrefixMenue(prefix, "1", true)) return;
  for (int n = 1; n <= kMaxCandidates && walker.GetPrefix() == prefix; ++n) {
    if (!visit(n) || !walker.Next(true, true)) return;
  }
}

// The entry numbered `number` as it applies at the date, into `cursor`; false when there is none.
bool TakeEntry(TdbPrefix& cursor, const std::string& prefix, int number, std::int32_t date) {
  TdbPrefix walker(kPrefixMain);
  bool taken = false;
  WalkEntries(walker, prefix, [&](int n) {
    if (n != number) return true;
    TdbPrefix copy(kPrefixMain);
    copy.SetRecord(walker.GetRecord());
    copy.NextValidAtDate(date);
    cursor.SetRecord(copy.GetRecord());
    taken = true;
    return false;
  });
  return taken;
}

std::vector<DxccCandidate> CollectCandidates(const std::string& prefix, std::int32_t date) {
  std::vector<DxccCandidate> candidates;
  TdbPrefix walker(kPrefixMain);
  TdbPrefix copy(kPrefixMain);
  WalkEntries(walker, prefix, [&](int n) {
    copy.SetRecord(walker.GetRecord());
    copy.NextValidAtDate(date);
    DxccCandidate c{
        n, copy.GetDXCC(), copy.GetCountry(), copy.GetWAZ(), copy.GetITU(), copy.GetRemark()};
    const bool ended = copy.GetEndDate() > 0 && copy.GetEndDate() < date;
    const bool not_begun = date >= 1 && copy.GetStartDate() > date;
    if (ended || not_begun)
      c.remark = common::LeftStr(c.remark + std::string(kDeletedMark), kRemarkWidth);
    candidates.push_back(std::move(c));
    return true;
  });
  return candidates;
}

// How many candidates are a real choice: not deleted, and not alike the first counted one in
// DXCC, country and zones. `remembered` receives the first counted candidate's number.
int CountDistinct(const std::vector<DxccCandidate>& candidates, int& remembered) {
  int distinct = 0;
  const DxccCandidate* first = nullptr;
  remembered = 0;
  for (const DxccCandidate& c : candidates) {
    if (c.remark.find("(deleted)") != std::string::npos) continue;
    if (first == nullptr) {
      first = &c;
      remembered = c.number;
      distinct = 1;
    } else if (c.dxcc + c.country + c.waz + c.itu !=
               first->dxcc + first->country + first->waz + first->itu) {
      ++distinct;
    }
  }
  return distinct;
}

// The QSO's DXCC prefix names an entry of the prefix: directly, or as the entity an entry is at
// the date.
bool TakeQsoDxcc(TdbPrefix& cursor, const std::string& prefix, const std::string& dxcc,
                 std::int32_t date) {
  if (cursor.FindByDXCC(dxcc, prefix)) return true;
  const std::string prefix6 = common::SetLen(prefix, 6, true);
  TdbPrefix copy(kPrefixMain);
  for (bool ok = cursor.FindPrefixMenue(prefix, "", true);
       ok && common::SetLen(cursor.GetPrefix(), 6, true) == prefix6; ok = cursor.Next(true, true)) {
    copy.SetRecord(cursor.GetRecord());
    if (copy.DXCCAtDate(date) == dxcc) return true;
  }
  return false;
}

// Without asking: the entry of menu code "-", else "1", else the prefix's first.
void TakeDefault(TdbPrefix& cursor, const std::string& prefix) {
  if (cursor.FindByPrefixAndKey(prefix, "-") || cursor.FindByPrefixAndKey(prefix, "1")) return;
  cursor.FindPrefixMenue(prefix, "", true);
}

// A choice the user made for a call is kept under the call in "PXPREFEE", unless it has one.
void Learn(const TdbPrefix& chosen, const std::string& call) {
  TdbPrefix learnt(kPrefixLearnt);
  if (learnt.FindExact(call)) return;
  learnt.ClearBuffer();
  learnt.AssignFrom(chosen);
  learnt.SetPrefix(call);
  learnt.Insert();
}

}  // namespace

std::uint8_t RunPrefAuswahl(TdbPrefix& cursor, std::string_view call, std::string_view name,
                            std::string_view dxcc_text, std::string_view qth, std::int32_t date,
                            bool date_defaulted) {
  const std::string prefix = cursor.GetPrefix();
  const std::string dxcc = common::Trim(dxcc_text);
  if (!dxcc.empty() && TakeQsoDxcc(cursor, prefix, dxcc, date)) return 1;

  ToPrefix& analysis = common::Service<ToPrefix>::Get();
  ToDatPrefix& files = common::Service<ToDatPrefix>::Get();
  DxccSelectionPort* port = files.SelectionPort();
  if (analysis.Interactive() == 0 || port == nullptr) {
    TakeDefault(cursor, prefix);
    return 0;
  }

  // No second selection may start while the candidates are collected.
  analysis.SetInteractive(0);
  DxccSelectionRequest request;
  request.candidates = CollectCandidates(prefix, date);
  analysis.SetInteractive(1);

  int remembered = 0;
  int distinct = CountDistinct(request.candidates, remembered);
  const int total = static_cast<int>(request.candidates.size());
  if (date_defaulted && total > distinct) {
    distinct = total;
    if (remembered == 0) remembered = 1;
  }

  std::uint8_t result = 0;
  bool shown = false;
  if (distinct == 1) {
    result = TakeEntry(cursor, prefix, remembered, date) ? 1 : 0;
  } else if (distinct > 1) {
    request.prefix = prefix;
    request.call = std::string(call);
    request.name = std::string(name);
    request.qth = std::string(qth);
    request.date = date;
    request.placed = files.WindowPlace().Load(request.left, request.top) && request.left > 0;
    const DxccSelectionAnswer answer = port->Choose(request);
    shown = true;
    files.WindowPlace().Store(answer.left, answer.top);
    if (answer.chosen >= 1 && answer.chosen <= total) {
      result = TakeEntry(cursor, prefix, answer.chosen, date) ? 1 : 0;
    }
  }
  if (result == 0) {
    cursor.ClearBuffer();
    return 0;
  }
  const std::string learnt_call = common::UpperCase(common::Trim(call));
  if (shown && learnt_call.size() > 3) Learn(cursor, learnt_call);
  return result;
}

}  // namespace logbook
