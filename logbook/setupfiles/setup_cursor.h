// TdbSetupBase and TdbSetup: a cursor on one setup table, chosen by its kind (SetupKind).
//
// For every kind the cursor keeps two copies of a record: the saved copy (as last fetched or
// stored; its record number re-finds the record) and the current copy (what GetRecord0/1 give
// and Update and Insert store). Positionings fetch into the saved copy of the cursor's kind, and
// into the current copy too when the base asks for the working record.
//
// When the table of its kind is not open, the cursor opens it (ToDatSetup::OpenFiles with that
// one bit) and closes it again when freed; a cursor that found its table open leaves it so. A
// cursor lives for one load or save. Needs the ToDatSetup service (and, for any file, the driver
// system) for its life. Lookups answer false, and change nothing, without an open table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "logbook/setupfiles/setup_files.h"
#include "storage/tables/table_base.h"

namespace logbook {

class TdbSetupBase : public storage::TdbBase {
 public:
  // key_form_flag: the table layer's flag; with it set nothing is opened.
  explicit TdbSetupBase(int kind, std::uint8_t key_form_flag = 0);
  ~TdbSetupBase() override;

  int Kind() const { return kind_; }
  bool OpenedHere() const { return opened_here_; }

  // --- table-layer slots ---
  storage::TdbTreiber* GetTreiber() override;
  // to_read: into the saved copy of the kind; to_working: also into the current copy.
  void FetchRecord(bool to_working, bool to_read, int number) override;
  // The record number of the saved copy as key text (the decimal number after "||" when the
  // key-form flag is set); empty while the saved copy has none, so that nothing is re-found by
  // chance.
  void GetAutoKeyText(std::string& text) override;
  int AutoKeyNo() override { return kSetupAutoreKey; }

  // Re-finds the record by the saved copy's record number and writes the current copy over it;
  // the link and record number stay those of the record found. On success the current copy
  // becomes the saved copy. False when the record cannot be re-found or the driver refuses (for
  // instance another user changed it in between).
  virtual bool Update();
  // Adds the current copy as a new record; on success its new record number is stored into the
  // current copy, which becomes the saved copy.
  virtual bool Insert();

  // Clears the driver buffer and fills both copies of the kind with zero bytes.
  void Clear();

  // The current PXSETUP / PXSETUP2 copy (whatever the cursor's kind).
  void GetRecord0(PxSetupRecord& record) const;
  void GetRecord1(PxSetup2Record& record) const;
  // Copy a caller's record into both copies, only on a cursor of kind 0 / kind 1.
  void PutRecord0(const PxSetupRecord& record);
  void PutRecord1(const PxSetup2Record& record);

 private:
  std::vector<std::uint8_t>& Saved() { return saved_[kind_]; }
  std::vector<std::uint8_t>& Current() { return current_[kind_]; }

  int kind_;
  bool opened_here_ = false;
  std::array<std::vector<std::uint8_t>, kSetupKinds> saved_;
  std::array<std::vector<std::uint8_t>, kSetupKinds> current_;
};

// The cursor the settings load and save use.
class TdbSetup final : public TdbSetupBase {
 public:
  using TdbSetupBase::TdbSetupBase;
};

}  // namespace logbook
