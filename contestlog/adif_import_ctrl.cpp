#include "contestlog/adif_import_ctrl.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "common/current_folder.h"
#include "common/messages.h"
#include "common/service.h"
#include "contestlog/adif_import_form.h"

namespace contestlog {

TContestAdifimportCtrl::TContestAdifimportCtrl(platform::qt::TComponent* owner,
                                               const contest::TContestRec& definition)
    : owner_(owner), definition_(std::make_unique<contest::TContestRec>(definition)) {}

TContestAdifimportCtrl::~TContestAdifimportCtrl() = default;

bool TContestAdifimportCtrl::Execute() {
  TContestAdifimportForm form(owner_, *this);
  AdifImportTransfer transfer;
  transfer.log_fields = LogFieldList();
  form.SetLogFields(transfer.log_fields);
  if (form.ShowModal() != 1) return false;
  form.GetMapping(transfer);
  TakeMapping(transfer.check, transfer.mapping);
  return records_.has_value();
}

void TContestAdifimportCtrl::ReadAdifFile(const std::string& file_name,
                                          std::vector<std::string>& field_names) {
  field_names.clear();
  std::ifstream in(common::OsPath(file_name), std::ios::binary);
  std::string bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    common::Service<common::ToMessages>::Get().Hinweis("", "", "Datei existiert nicht", false);
    return;
  }
  common::AdifFile file = common::ReadAdif(bytes);
  records_ = std::move(file.records);
  unended_records_ = file.unended_records;
  field_names = common::AdifFieldNames(*records_);
}

std::vector<std::string> TContestAdifimportCtrl::LogFieldList() const {
  std::vector<std::string> fields;
  for (const contest::ContestText& caption : definition_->ExchangeLabels) {
    if (!caption.empty()) fields.push_back(caption.str());
  }
  for (const char* name : {"SRX", "SRX_STRING", "STX", "STX_STRING"}) fields.emplace_back(name);
  return fields;
}

void TContestAdifimportCtrl::TakeMapping(std::uint8_t check, const AdifMapping& mapping) {
  check_ = check;
  mapping_ = mapping;
}

}  // namespace contestlog
