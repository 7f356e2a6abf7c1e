// The project database: one record per QSO logbook in "PX5PRO", saying which fields its QSOs
// hold, in which order, how wide, how the QSO record stores them (the layout kind), and the key
// lists and counters of its logbook files. Record layout: project_record.h.
//
// ToDatProject (common::Service<ToDatProject>) owns "PX5PRO" (mask 1, folder entry 1 of the
// settings' folder list, 14699..54699 bytes, shared). Keys: 1 "autore AUTOKEY" (5, unique: the
// number at offset 4 in the 5-character key form), 2 "Name" (name to 20), 3 "LL_Importdatei"
// (the logbook file at offset 29 to 8), 4 "Bemerkung" (the remark to 20); 2 to 4 with duplicates.
//
// TdbProjectBase is a cursor with a working copy (what the accessors read and write, what Insert
// and Update store) and a read copy (as last fetched or stored). TdbProject adds the write mode,
// the mapping of content kinds to field slots (FieldOfKind), the column names of the logbook
// exports, and the per-process area in which the logbook files keep the slots of the current
// project's logbook tables.
//
// The cursor's table of the project's 100 QSO field descriptors is built from its own working
// copy, and again after every fetch, so it always describes the project the cursor stands on.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "logbook/databases/project_record.h"
#include "storage/driver/driver.h"
#include "storage/tables/table_base.h"
#include "storage/tables/table_dat_base.h"
#include "storage/tables/table_keys.h"

namespace logbook {

class ToDatProject final : public storage::ToDatBase {
 public:
  static constexpr unsigned kProjectBit = 1;

  // With bit 1, opens "PX5PRO"; true when it is open or shared. After a fresh open the driver
  // stands on project 1, else on the first project, else its buffer is cleared.
  bool OpenFiles(unsigned mask, bool skip);
  int OpenFile(bool skip);  // a TdbTreiber::OpenResult
  void CloseFiles(unsigned mask, bool skip, bool force = false);
  storage::TdbTreiber* Treiber() const;  // nullptr while not open

  static std::string FilePath();
  static void ProjectKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);
  static storage::ToKeys KeyList();

 private:
  std::unique_ptr<storage::TdbTreiber> slot_;
};

class TdbProjectBase : public storage::TdbBase {
 public:
  static constexpr int kFirstSlot = 1;
  static constexpr int kLastSlot = 60;
  static constexpr int kDescriptorTableSize = 100;

  // Opens "PX5PRO" when it is not open (and closes it again when freed).
  explicit TdbProjectBase(std::uint8_t table = 0, std::uint8_t flag = 0);
  ~TdbProjectBase() override;

  storage::TdbTreiber* GetTreiber() override;
  void FetchRecord(bool to_working, bool to_read, int number) override;
  void GetAutoKeyText(std::string& text) override;  // the number of the read copy, key form
  int AutoKeyNo() override { return 1; }

  // Store the working copy (Update re-finds the record first); on success it becomes the read
  // copy, and Insert takes the new project number into both.
  virtual bool Update();
  virtual bool Insert();
  // Clears the driver buffer and both copies.
  virtual void Clear();
  // Stores a list block into the working copy.
  virtual void StoreListBlock(const std::array<std::uint8_t, kListBlockSize>& block);

  std::uint8_t Table() const { return table_; }
  bool OpenedHere() const { return opened_here_; }
  std::int32_t GetGroupValue() const { return working_->number; }  // the project number
  std::string GetName() const { return working_->name.str(); }
  TProjectBlock GetBlock() const { return working_->block; }
  void SetBlock(const TProjectBlock& block) { working_->block = block; }
  std::uint8_t GetLayoutKind() const { return working_->block.layout_kind; }
  std::string GetVersionTag() const { return working_->block.version_tag.str(); }
  std::string GetLogbookFile() const { return working_->block.logbook_file.str(); }
  std::int32_t GetQSOCounter1() const { return working_->block.qso_counter1; }
  void SetQSOCounter1(std::int32_t n) { working_->block.qso_counter1 = n; }
  std::int32_t GetQSOCounter2() const { return working_->block.qso_counter2; }
  void SetQSOCounter2(std::int32_t n) { working_->block.qso_counter2 = n; }
  // The DXCC selection window's position: left (1) and top (2).
  std::int32_t GetSelValue1() const { return working_->sel_left; }
  void SetSelValue1(std::int32_t left) { working_->sel_left = left; }
  std::int32_t GetSelValue2() const { return working_->sel_top; }
  void SetSelValue2(std::int32_t top) { working_->sel_top = top; }
  std::array<std::uint8_t, kListBlockSize> GetListBlock() const;

  // The descriptor of slot 1..60: the project's own, or the catalogue's of that number when the
  // project's has content kind 0. An all-zero descriptor outside 1..60.
  TQSOFieldDescriptor GetSlotDescriptor(int slot) const;
  // The first slot 1..60 whose descriptor has the kind; -1 when none.
  int SlotOfKindCode(int kind) const;

  TProjectRec& Record() { return *working_; }
  const TProjectRec& Record() const { return *working_; }
  const TProjectRec& ReadCopy() const { return *read_; }

 protected:
  // The project's 100 descriptors (entry 0 is slot 1): slots 1 to 50 and 51 to 60 from the
  // working copy, 51 to 60 from the catalogue when the project's descriptor 51 has kind 0.
  const std::array<TQSOFieldDescriptor, kDescriptorTableSize>& Descriptors();

 private:
  std::uint8_t table_;
  bool opened_here_ = false;
  std::unique_ptr<TProjectRec> working_;
  std::unique_ptr<TProjectRec> read_;
  std::unique_ptr<std::array<TQSOFieldDescriptor, kDescriptorTableSize>> descriptors_;
  bool descriptors_built_ = false;
};

// Option bits of the column names.
inline constexpr unsigned kColumnCapitalise = 1;  // capitalised (unless padded)
inline constexpr unsigned kColumnExportName = 2;  // the export name, not the German caption
inline constexpr unsigned kColumnPadDots = 8;     // padded with "." to the column's width
inline constexpr unsigned kColumnShortNames = 64;

class TdbProject : public TdbProjectBase {
 public:
  // write_mode: 0 flush after every write, 1 buffered, while this cursor stores or deletes.
  explicit TdbProject(std::uint8_t table = 0, std::uint8_t flag = 0, std::uint8_t write_mode = 0);

  bool Delete(bool keep_position) override;
  bool Update() override;
  bool Insert() override;
  // A successful Next and Clear zero the slot area; so does every fetch of another project.
  bool Next(bool reposition, bool fetch) override;
  void Clear() override;
  void FetchRecord(bool to_working, bool to_read, int number) override;
  // Copies the block into the working copy; answers the table number.
  std::uint8_t PutListBlock(const std::array<std::uint8_t, kListBlockSize>& block);

  std::uint8_t GetCursorWriteMode() const { return write_mode_; }
  void SetCursorWriteMode(std::uint8_t mode) { write_mode_ = mode; }

  // The project with number n (key 1), fetched.
  bool FindNumber(std::int32_t n);

  // The logbook files' slot numbers of the current project's logbook tables 0, 1 and 3 (values
  // 1, 7 and 8 of the eight-value area); 0 for other tables, and a set does nothing there.
  std::int32_t GetFileSlot(int logbook_table) const;
  void SetFileSlot(int logbook_table, std::int32_t slot);

  // The first of the 100 descriptors with the kind (1-based); 0 when none.
  int SlotOfKind(int kind);
  // Layout kind 9: 4 + the descriptors in use before the one with the kind, -1 when none;
  // other layout kinds: 4.
  int ColumnOfKind(int kind);

  // The field slot of a QSO content kind in the current project, 0 when it has no such field:
  // layout kind 9 the kind itself, layout kind 5 a fixed map, other layouts the project's slot
  // cell of the kind, then for some kinds a field-list entry found by name. A slot cell outside
  // the field list (1..52) reads as no field.
  int FieldOfKind(int kind) const;

  // The export column's name of a kind (is_kind) or slot of the current project, dressed by the
  // option bits (kColumn...). Needs the settings (ToSetups).
  std::string ColumnName(int kind_or_slot, bool is_kind, unsigned options);

 private:
  template <typename Op>
  bool WithWriteMode(Op op);
  std::string Layout9ColumnName(int kind, unsigned options);

  std::uint8_t write_mode_;
  std::array<std::int32_t, 8> slot_area_ = {};
  std::int32_t area_project_ = 0;  // the project the slot area belongs to
};

// Writes the slot cell of a content kind in a project block (what FieldOfKind reads for layouts
// other than 5 and 9), as the project editor places a field; false for a kind without a cell or
// a slot outside 0..52.
bool SetSlotCell(TProjectBlock& block, int kind, int slot);

// The name of slot 1..49 of the fixed column list of layout kind 5 (empty for 38 to 43 and other
// numbers): the export name with kColumnExportName, else the German caption; slot 6 is "WKD"
// when `wkd` is set. Dressed by the option bits with the column's width.
std::string FixedColumnName(int slot, unsigned options, bool wkd);

// The export name of a content kind (layout kind 9), dressed by the option bits; empty for kinds
// without one. Kinds 7 and 69 are the settings' short region captions.
std::string KindExportName(int kind, unsigned options);

// A column name dressed by the option bits: kColumnPadDots pads with "." to `width`, else
// kColumnCapitalise upper-cases the first letter and every letter after a separator and
// lower-cases the others.
std::string DressColumnName(std::string_view name, int width, unsigned options);

}  // namespace logbook
