// The ADIF import's controller: reads the chosen file into records, offers the log fields to
// assign, runs the dialog "ADIF-Import" (contestlog/adif_import_form.h) and keeps what the user
// assigned. It lives for one click of the log window's import button; the window's entry does
// the rest (contestlog/adif_import.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/adif_reader.h"
#include "contest/contest_definition.h"
#include "contestlog/adif_import.h"
#include "platform/qt/component.h"

namespace contestlog {

// What the controller and the dialog hand each other.
struct AdifImportTransfer {
  std::uint8_t check = 1;               // 1: mode and band of each record checked
  std::vector<std::string> log_fields;  // the extra log fields the dialog offers
  AdifMapping mapping;                  // the dialog's "Felder im Log" after Start
};

class TContestAdifimportCtrl {
 public:
  // `owner` (may be null) owns the dialog; the definition is copied.
  TContestAdifimportCtrl(platform::qt::TComponent* owner, const contest::TContestRec& definition);
  ~TContestAdifimportCtrl();

  // Shows the dialog modally; on Start takes the check flag and the mapping. True only when
  // Start was pressed and a file was read.
  bool Execute();

  // Reads the file's records (an earlier file's are replaced) and puts the names of their
  // fields, in the order of their first occurrence, into `field_names`. A file that does not
  // exist or cannot be read gives the notice "Datei existiert nicht" and leaves the records as
  // they were; `field_names` is emptied in every case.
  void ReadAdifFile(const std::string& file_name, std::vector<std::string>& field_names);
  // The captions of received exchange fields 2 to 4 that are not empty, then "SRX",
  // "SRX_STRING", "STX", "STX_STRING".
  std::vector<std::string> LogFieldList() const;
  void TakeMapping(std::uint8_t check, const AdifMapping& mapping);

  // The records read; null until a file was read.
  const std::vector<common::AdifRecord>* Records() const { return records_ ? &*records_ : nullptr; }
  // The records of the file read that lost their end (common::AdifFile::unended_records).
  std::size_t UnendedRecords() const { return unended_records_; }
  const AdifMapping& Mapping() const { return mapping_; }
  bool Check() const { return check_ != 0; }

 private:
  platform::qt::TComponent* owner_;
  std::unique_ptr<contest::TContestRec> definition_;
  std::optional<std::vector<common::AdifRecord>> records_;
  std::size_t unended_records_ = 0;
  AdifMapping mapping_;
  std::uint8_t check_ = 1;
};

}  // namespace contestlog
