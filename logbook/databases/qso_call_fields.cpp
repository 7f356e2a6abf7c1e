#include "logbook/databases/qso_call_fields.h"

#include <array>
#include <utility>

#include "common/service.h"
#include "logbook/reference/prefix.h"

namespace logbook {
namespace {

constexpr auto kByKind = std::to_array<std::pair<int, CallField>>({
    {23, CallField::kExCall}, {24, CallField::kDIG}, {25, CallField::kAGCW},
    {26, CallField::kMF},     {27, CallField::kCallComment}, {51, CallField::kM1},
    {52, CallField::kM2},     {53, CallField::kM3},  {54, CallField::kM4},
    {55, CallField::kM5},     {56, CallField::kM6},  {79, CallField::kM7},
    {80, CallField::kM8},     {81, CallField::kM9},  {82, CallField::kM10},
});

constexpr auto kBy293 = std::to_array<std::pair<int, CallField>>({
    {33, CallField::kAGCW}, {34, CallField::kDIG}, {35, CallField::kExCall},
    {36, CallField::kMF},   {37, CallField::kCallComment}, {38, CallField::kM1},
    {39, CallField::kM2},   {40, CallField::kM3},  {41, CallField::kM4},
    {42, CallField::kM5},   {43, CallField::kM6},
});

template <std::size_t N>
std::optional<CallField> Lookup(const std::array<std::pair<int, CallField>, N>& table, int n) {
  for (const auto& [key, field] : table) {
    if (key == n) return field;
  }
  return std::nullopt;
}

bool HaveCallDatabase() { return common::Service<ToDatCall>::Exists(); }

std::string BaseCall(std::string_view call) {
  return common::Service<ToPrefix>::Get().GetPrefix(call);
}

// Positions the cursor on the record of the base call: a key of the call's first 10 characters
// may belong to a longer call, so the found record's own call must be it.
bool OnCall(TdbCall& cursor, const std::string& base) {
  return !base.empty() && cursor.FindCall(base) && cursor.GetCall() == base;
}

}  // namespace

std::optional<CallField> CallFieldOfKind(int kind) { return Lookup(kByKind, kind); }
std::optional<CallField> CallFieldOf293(int field) { return Lookup(kBy293, field); }

std::string CallDatabaseValue(std::string_view qso_call, CallField field, TdbCall* calls,
                              std::uint8_t flag) {
  if (!HaveCallDatabase()) return {};
  const std::string base = BaseCall(qso_call);
  if (calls != nullptr) {
    if (calls->GetCall() != base && !OnCall(*calls, base)) return {};
    return calls->GetField(field);
  }
  TdbCall own(kCallBook, 1, flag);
  return OnCall(own, base) ? own.GetField(field) : std::string();
}

bool SetCallDatabaseValue(std::string_view qso_call, CallField field, std::string_view value,
                          TdbCall* calls) {
  if (calls != nullptr) {
    calls->SetField(field, value);
    return true;
  }
  if (!HaveCallDatabase()) return false;
  TdbCall own(kCallBook, 1, 0);
  if (!OnCall(own, BaseCall(qso_call))) return false;
  own.SetField(field, value);
  return own.Update();
}

std::string CallNoteOf(std::string_view qso_call, std::uint8_t flag, int most) {
  if (!HaveCallDatabase()) return {};
  const std::string base = BaseCall(qso_call);
  TdbCall notes(kCallNote, 1, flag);
  return !base.empty() && notes.FindCall(base) && notes.GetCall() == base ? notes.GetNote(most)
                                                                           : std::string();
}

std::string QSLRouteOf(std::string_view call, std::int32_t /*date*/, std::int32_t /*time*/,
                       bool ask_call_database) {
  if (!ask_call_database || !HaveCallDatabase()) return {};
  TdbCall book(kCallBook, 1, 0);
  return OnCall(book, BaseCall(call)) ? book.GetQSLVia() : std::string();
}

}  // namespace logbook
