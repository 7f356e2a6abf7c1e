// ToDatPrefix: the data object of the prefix database, one per process
// (common::Service<ToDatPrefix>, made at start-up; no table is opened then).
//
// It owns the three tables "PXPREFIX" (kind 0), "PXPREFEE" (kind 2) and "PXPREFES" (kind 3), of
// 181-byte TPrefixRec records, opened shared from the data folder by bit value (1, 4, 8) in that
// order. The first opening of a learnt or exact-call table in this process (not a shared one)
// replaces outdated DXCC prefixes in it (TdbPrefix::RenameOutdatedPrefixes); CloseFiles with
// update does the same for both before closing.
//
// It also holds what the DXCC selection needs from above the prefix layer: the window port that
// shows the candidates and the store of the window's position (the current project's), and the
// depth counters that bound one resolution with all its nested resolutions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "logbook/reference/dxcc_selection.h"
#include "logbook/reference/prefix_record.h"
#include "storage/tables/table_dat_base.h"
#include "storage/tables/table_treiber.h"

namespace logbook {

class ToDatPrefix final : public storage::ToDatBase {
 public:
  static constexpr unsigned kBitMain = 1;
  static constexpr unsigned kBitLearnt = 4;
  static constexpr unsigned kBitExact = 8;
  // What the main window opens at start-up and closes at shutdown (bits it does not know are
  // ignored).
  static constexpr unsigned kStartupBits = 0x3D;

  ToDatPrefix();
  ~ToDatPrefix() override;

  // Opens the tables of `bits` in the order 1, 4, 8 and stops at the first one that is not
  // opened; true when every table asked for is open (opened or shared). With `skip` nothing is
  // opened (false). The placeholder argument of the table layer is accepted and not used.
  bool OpenFiles(unsigned bits, bool skip, storage::TdbTreiber* unused = nullptr);
  // With `update`, runs the replacement of outdated DXCC prefixes in the open learnt and
  // exact-call tables first; then closes one use of each table of `bits`.
  void CloseFiles(unsigned bits, bool update, bool skip = false);

  // The TdbTreiber of a kind while its table is open and the driver system is ready, else
  // nullptr.
  storage::TdbTreiber* Treiber(int kind) const;
  // Whether the table of `kind` is open in this process.
  bool IsOpen(int kind) const;

  static std::string FileName(int kind);  // "PXPREFIX", "PXPREFEE", "PXPREFES"; else empty
  static unsigned BitOf(int kind);        // 1, 4, 8; else 0
  // The key builders: of the main table (15 keys) and of the learnt and exact-call tables (14
  // keys). Also the oracle of the checker.
  static void MainKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);
  static void CallKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);

  // The window of the DXCC selection; nullptr: none can be shown, and the selection takes the
  // default entry as with the interactive flag off. Answers the port it replaces.
  std::unique_ptr<DxccSelectionPort> SetSelectionPort(std::unique_ptr<DxccSelectionPort> port);
  DxccSelectionPort* SelectionPort() const { return port_.get(); }
  // Where the selection window's position is kept; a store that keeps nothing by default.
  void SetWindowPlace(std::unique_ptr<SelectionWindowPlace> place);
  SelectionWindowPlace& WindowPlace() const { return *place_; }

  // The depth counters of the resolution running now (TdbPrefix::ResolveCall): one set for the
  // outermost resolution and everything it runs, also on other cursors.
  struct ResolutionDepth {
    int nesting = 0;   // resolutions under way
    int searches = 0;  // longest-prefix searches so far
    int follows = 0;   // entries followed so far
  };
  ResolutionDepth& Depth() { return depth_; }

  // How many records the replacements of outdated DXCC prefixes in this process have rewritten.
  int RenamedRecords() const { return renamed_records_; }

 private:
  // The replacement run on a fresh cursor of `kind`, guarded against re-entry.
  void RenameOutdated(int kind, bool skip);

  std::unique_ptr<storage::TdbTreiber> slots_[3];  // main, learnt, exact calls
  bool renaming_ = false;
  int renamed_records_ = 0;
  std::unique_ptr<DxccSelectionPort> port_;
  std::unique_ptr<SelectionWindowPlace> place_;
  ResolutionDepth depth_;
};

}  // namespace logbook
