// TdbPrefixBase: a cursor over one prefix table, chosen by its kind (PrefixKind).
//
// It keeps a working record, which the getters read, the setters change and Update and Insert
// store, and a read copy as last fetched or stored. When the table of its kind is not open, the
// cursor opens it (ToDatPrefix::OpenFiles with that one bit) and closes it again when freed; a
// cursor that found its table open leaves it so. Without an open table every lookup finds
// nothing. Needs the ToDatPrefix service (and, for any file, the driver system) for its life.
//
// In the learnt and exact-call tables the record holds a whole call: its first 6 characters in
// Prefix ("Prefix1"), the next 8 in QSLBureau ("PrefixZus"); GetPrefix and SetPrefix read and
// write the call whole there, and those tables have no QSL bureau.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logbook/reference/prefix_record.h"
#include "storage/tables/table_base.h"

namespace logbook {

class TdbPrefixBase : public storage::TdbBase {
 public:
  explicit TdbPrefixBase(int kind, std::uint8_t key_form_flag = 0);
  ~TdbPrefixBase() override;

  int Kind() const { return kind_; }
  bool OpenedHere() const { return opened_here_; }

  // --- table-layer slots ---
  storage::TdbTreiber* GetTreiber() override;
  void FetchRecord(bool to_working, bool to_read, int number) override;
  // Key 0 walks in record-number order.
  bool First(int key) override;
  void GetAutoKeyText(std::string& text) override;
  int AutoKeyNo() override;  // 15 in the main table, 14 in the others

  // The record-number key text of the working record.
  std::string RecordNumberKey() const;

  // --- fields of the working record ---
  std::string GetPrefix() const;  // the whole call in the learnt and exact-call tables
  std::string GetDXCC() const { return working_.dxcc.str(); }
  std::string GetMenue() const { return working_.menue.str(); }
  std::string GetWAZ() const { return working_.waz.str(); }
  std::string GetITU() const { return working_.itu.str(); }
  std::string GetContinent() const { return working_.continent.str(); }
  std::string GetCountry() const { return working_.country.str(); }
  std::string GetQSLBureau() const;  // empty in the learnt and exact-call tables
  std::string GetLocator() const { return working_.locator.str(); }
  std::string GetRemark() const { return working_.remark.str(); }
  std::string GetDXCC2() const { return working_.dxcc2.str(); }
  std::string GetOldRef() const { return working_.old_ref.str(); }
  std::string GetWiePref() const { return working_.wie_pref.str(); }
  std::string GetWAE() const { return working_.wae.str(); }
  std::int32_t GetStartDate() const { return working_.start_date; }
  std::int32_t GetEndDate() const { return working_.end_date; }
  std::int32_t GetDXCC2Until() const { return working_.dxcc2_until; }
  std::int32_t GetOldUntil() const { return working_.old_until; }
  std::uint16_t GetADIFNr() const { return working_.adif_nr; }
  char GetRangeFrom() const;  // upper-cased
  char GetMark() const;       // upper-cased
  char GetSel() const { return working_.sel; }
  bool GetBracketed() const { return working_.bracketed > 0; }

  // Texts are cut to their field's capacity; in the learnt and exact-call tables SetPrefix splits
  // a call of up to 14 characters into Prefix1 and PrefixZus.
  void SetPrefix(std::string_view prefix);
  void SetCountry(std::string_view country) { working_.country = country; }
  void SetMenue(std::string_view menue) { working_.menue = menue; }
  void SetDXCC(std::string_view dxcc) { working_.dxcc = dxcc; }
  void SetADIFNr(std::uint16_t number) { working_.adif_nr = number; }

  // --- the record whole ---
  // Fills the working record with zero bytes.
  void ClearBuffer();
  // Copies a whole record into the working record and the read copy.
  void SetRecord(const TPrefixRec& record);
  const TPrefixRec& GetRecord() const { return working_; }
  // This cursor's working record becomes a copy of the source's.
  void AssignFrom(const TdbPrefixBase& source);

  // Stores the working record over the cursor's record (re-found by its record number when
  // another cursor of the table has moved since), with all keys; false when it cannot be re-found
  // or the driver refuses (another user changed or locked it). On success the read copy takes
  // the working record.
  bool Update();
  // Inserts the working record as a new record, which gets the next record number (also into the
  // working record); on success the read copy takes the working record.
  bool Insert();

 protected:
  // Called whenever the working record is replaced (a positioning's fetch, a whole-record copy or
  // clear); lookups that remember answers forget them here.
  virtual void WorkingRecordReplaced() {}

  TPrefixRec working_{};
  TPrefixRec read_{};

 private:
  bool HoldsWholeCall() const { return kind_ != kPrefixMain; }

  int kind_;
  bool opened_here_ = false;
};

}  // namespace logbook
