// The DXCC selection: which entity a prefix entry with a menu code stands for.
//
// RunPrefAuswahl decides from the prefix table whether a choice is needed at all and leaves the
// chosen entry in the caller's cursor. Only showing the candidates and letting the user pick
// goes through a port (DxccSelectionPort: the window in the program, a script in tests); the
// window's position is kept in the current project through SelectionWindowPlace. Both are held by
// ToDatPrefix.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace logbook {

class TdbPrefix;

// One row of the selection: an entry of the prefix, as it applies at the QSO date.
struct DxccCandidate {
  int number = 0;  // 1 to 30, the entry's place among the prefix's entries from menu code "1"
  std::string dxcc;
  std::string country;
  std::string waz;
  std::string itu;
  std::string remark;  // ends in "  (deleted)" when the entry is not valid at the QSO date

  friend bool operator==(const DxccCandidate&, const DxccCandidate&) = default;
};

struct DxccSelectionRequest {
  std::string prefix;  // the ambiguous prefix
  std::string call;    // empty when the selection is for a bare prefix
  std::string name;    // the QSO's name and QTH texts, shown with the call
  std::string qth;
  std::int32_t date = 0;  // day number
  std::vector<DxccCandidate> candidates;
  bool placed = false;  // whether left and top are a stored position
  int left = 0;
  int top = 0;
};

struct DxccSelectionAnswer {
  int chosen = 0;  // the candidate's number; 0 when the user cancelled
  int left = 0;    // where the window was when it closed
  int top = 0;
};

class DxccSelectionPort {
 public:
  virtual ~DxccSelectionPort() = default;
  // Shows the candidates modally and answers the user's choice.
  virtual DxccSelectionAnswer Choose(const DxccSelectionRequest& request) = 0;
};

// The selection window's position, kept in the current project (its two selection values and an
// update of the project record). The default keeps nothing.
class SelectionWindowPlace {
 public:
  virtual ~SelectionWindowPlace() = default;
  // The stored left and top; false when none is stored (a left of 0 or below counts as none).
  virtual bool Load(int& /*left*/, int& /*top*/) { return false; }
  virtual void Store(int /*left*/, int /*top*/) {}
};

// The QSO texts the selection compares and shows: call (2), name (19), DXCC prefix (3) and QTH
// (20) by content kind. The logbook's QSO table answers them for its current QSO.
class QsoFieldTexts {
 public:
  static constexpr int kCall = 2;
  static constexpr int kDxcc = 3;
  static constexpr int kName = 19;
  static constexpr int kQth = 20;

  virtual ~QsoFieldTexts() = default;
  virtual std::string QsoFieldText(int content_kind) const = 0;
};

// The selection for the entry the cursor holds (a main-table cursor), at the QSO date (already
// defaulted to today by the caller; `date_defaulted` says so). Steps:
// 1. A QSO DXCC text naming one of the prefix's entries (directly, or as the entity it is at the
//    date) takes that entry: 1.
// 2. Without the interactive flag of ToPrefix (or without a port) the entry of menu code "-",
//    else "1", else the first of the prefix is taken: 0.
// 3. Otherwise the candidates are collected; those not valid at the date do not count (unless
//    the date was defaulted) and those equal to the first counted in DXCC, country and zones
//    count once. None: 0 and the cursor's record cleared. One: it is taken without asking, 1.
//    More: the port asks; a choice is taken (1) and, for a call of more than 3 characters,
//    learnt into "PXPREFEE"; a cancel clears the cursor's record (0).
std::uint8_t RunPrefAuswahl(TdbPrefix& cursor, std::string_view call, std::string_view name,
                            std::string_view dxcc, std::string_view qth, std::int32_t date,
                            bool date_defaulted);

}  // namespace logbook
