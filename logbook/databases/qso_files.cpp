#include "logbook/databases/qso_files.h"

#include "common/file_base_ss.h"
#include "common/file_paths.h"
#include "common/le_int.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/projecte.h"
#include "logbook/databases/qso_keys.h"
#include "logbook/databases/qso_record.h"
#include "logbook/databases/setup_folder.h"

namespace logbook {
namespace {

using storage::TdbTreiber;

constexpr int kOpenOrder[] = {0, 3, 4, 5, 7, 8, 1, 2, 6};

// The folder entry of each table; -1: none (the bare name, in the data folder).
constexpr int kFolderEntry[kLogbookTables] = {2, 10, 13, 2, 10, 10, -1, 13, 2};

bool IsProjectLogbook(int table) {
  return table == kLogbookLB5 || table == kLogbookQSO || table == kLogbookLB5Second;
}

std::string Folder(int table) {
  const int entry = kFolderEntry[table];
  return entry < 0 ? std::string() : SetupFolder(entry);
}

storage::TreiberOpenParams Params(int table, const TdbProject* project, const LogbookKeys& keys,
                                  int min_length, int max_length, bool skip, bool shared) {
  storage::TreiberOpenParams p;
  p.skip = skip;
  p.max_length = max_length;
  p.min_length = min_length;
  p.file_name = ToDatQSO::FileName(table, project);
  p.path = ToDatQSO::FilePath(table, project);
  p.key_count = keys.list.Count();
  p.key_builder = keys.builder;
  p.open_mode = shared ? 1 : 0;
  p.keys = &keys.list;
  return p;
}

// After a fresh open: the driver stands on the first record, or its buffer says "no record".
void PositionOnFirst(TdbTreiber& treiber) {
  if (!treiber.First(1) && treiber.RecordBuffer() != nullptr) {
    common::WriteLeInt32(treiber.RecordBuffer() + 4, 0);
  }
}

// The project whose layout the award logbooks read: the current project.
TdbProject* CurrentProject(TdbProject* fallback) {
  return common::Service<ToProjecte>::Exists() ? &common::Service<ToProjecte>::Get().ProjectDb()
                                                : fallback;
}

}  // namespace

ToDatQSO::ToDatQSO() = default;
ToDatQSO::~ToDatQSO() = default;

// --- names ---

std::int32_t ToDatQSO::FileProjectNumber(const TdbProject& project) {
  if (project.Table() == 3 && common::Service<ToProjecte>::Exists()) {
    return common::Service<ToProjecte>::Get().ProjectDb().GetGroupValue();
  }
  return project.GetGroupValue();
}

std::string ToDatQSO::ProjectNameText(const TdbProject& project) {
  return common::SetLen(common::FileBaseName(project.GetLogbookFile()), 10, true) +
         common::SetLen(project.GetName(), 20, true);
}

std::string ToDatQSO::FileName(int table, const TdbProject* project) {
  const auto numbered = [&](const char* head) {
    return project == nullptr ? std::string()
                              : head + common::IntToStrAt(FileProjectNumber(*project), 5);
  };
  switch (table) {
    case kLogbookLB5:
    case kLogbookLB5Second:
      return numbered("LB5");
    case kLogbookQSO:
      return numbered("QSO");
    case kLogbook293:
      return project == nullptr ? std::string()
                                : common::FileBaseName(project->GetLogbookFile());
    case kLogbookAward:
      return "LBDXCCAW";
    case kLogbookUndo:
      return "LBUNDO";
    case kLogbookHistory:
      return "HQSO2000" + common::IntToStrAt(1, 4);
    case kLogbookQslVia:
      return "PXQSLVIA";
    case kLogbookNote:
      return "PXLNOTE";
    default:
      return {};
  }
}

std::string ToDatQSO::FilePath(int table, const TdbProject* project) {
  if (table < 0 || table >= kLogbookTables) return {};
  return Folder(table) + FileName(table, project);
}

int ToDatQSO::FileVariant(const TdbProject& project, int request) {
  const bool pelorin = project.GetVersionTag() == "PELORIN";
  if (request == 0) return pelorin ? kLogbook293 : kLogbookLB5;
  if (request == 14) return kLogbookAward;
  if (request == 15) return kLogbookUndo;
  return pelorin ? kLogbookHistory : kLogbookQSO;
}

// --- slots ---

ToDatQSO::SlotTable* ToDatQSO::SlotsOf(int table) {
  return const_cast<SlotTable*>(static_cast<const ToDatQSO*>(this)->SlotsOf(table));
}

const ToDatQSO::SlotTable* ToDatQSO::SlotsOf(int table) const {
  switch (table) {
    case kLogbookLB5:
      return &slot_tables_[0];
    case kLogbookQSO:
      return &slot_tables_[1];
    case kLogbookLB5Second:
      return &slot_tables_[2];
    default:
      return nullptr;
  }
}

bool ToDatQSO::SlotHolds(const Slot& slot, const TdbProject& project) {
  if (project.Table() == 3) return slot.key == -2 && slot.name_text == ProjectNameText(project);
  return slot.key >= 0 && slot.key == project.GetGroupValue();
}

int ToDatQSO::FindSlot(TdbProject& project, int table) const {
  const SlotTable* slots = SlotsOf(table);
  if (slots == nullptr) return -1;
  for (int i = 0; i < kLogbookSlots; ++i) {
    if (SlotHolds((*slots)[static_cast<std::size_t>(i)], project)) return i + 1;
  }
  return -1;
}

int ToDatQSO::NewSlot(TdbProject& /*project*/, int table) const {
  const SlotTable* slots = SlotsOf(table);
  if (slots == nullptr) return -1;
  for (int i = 0; i < kLogbookSlots; ++i) {
    if ((*slots)[static_cast<std::size_t>(i)].key == -1) return i + 1;
  }
  return -1;
}

ToDatQSO::Slot* ToDatQSO::RememberedSlot(int table, TdbProject* project) {
  SlotTable* slots = SlotsOf(table);
  if (slots == nullptr || project == nullptr) return nullptr;
  const std::int32_t n = project->GetFileSlot(table);
  if (n < 1 || n > kLogbookSlots) return nullptr;
  Slot& slot = (*slots)[static_cast<std::size_t>(n - 1)];
  return SlotHolds(slot, *project) ? &slot : nullptr;
}

// --- drivers ---

TdbTreiber* ToDatQSO::GetTreiber(int table, TdbProject* project) {
  if (table < 0 || table >= kLogbookTables) return nullptr;
  if (IsProjectLogbook(table)) {
    Slot* slot = RememberedSlot(table, project);
    return slot == nullptr ? nullptr : slot->treiber.get();
  }
  return fixed_[static_cast<std::size_t>(table)].get();
}

TdbTreiber* ToDatQSO::GetOpenTreiber(int table, TdbProject* project) {
  TdbTreiber* t = GetTreiber(table, project);
  return t != nullptr && t->IsOpen(false) ? t : nullptr;
}

// --- open and close ---

bool ToDatQSO::OpenFiles(unsigned mask, TdbProject* project, bool skip, bool shared) {
  for (int table : kOpenOrder) {
    if ((mask & LogbookBit(table)) != 0 && !OpenOne(table, project, skip, shared)) return false;
  }
  return true;
}

bool ToDatQSO::OpenOne(int table, TdbProject* project, bool skip, bool shared) {
  if (IsProjectLogbook(table)) {
    return project != nullptr && OpenProjectLogbook(table, *project, skip, shared);
  }
  LogbookKeys keys;
  int min_length = sizeof(TQSO293Rec), max_length = sizeof(TQSO293Rec);
  switch (table) {
    case kLogbook293:
      if (project == nullptr) return false;
      [[fallthrough]];
    case kLogbookHistory:
      keys = Qso293Keys();
      break;
    case kLogbookAward:
    case kLogbookUndo: {
      TdbProject* current = CurrentProject(project);
      if (current == nullptr) return false;
      keys = AwardLogbookKeys(*current);
      min_length = kQsoHeadSize, max_length = sizeof(TQSORec);
      break;
    }
    case kLogbookQslVia:
      keys = QslViaKeys();
      min_length = max_length = sizeof(TQSLViaRec);
      break;
    default:
      keys = LogNoteKeys();
      min_length = max_length = sizeof(TLogNoteRec);
      break;
  }
  auto& slot = fixed_[static_cast<std::size_t>(table)];
  const int result = storage::ToDatBase::OpenTable(
      slot, Params(table, project, keys, min_length, max_length, skip, shared), AutoKeyField{});
  if (result == TdbTreiber::kOpened && (table == kLogbookAward || table == kLogbookUndo)) {
    PositionOnFirst(*slot);
  }
  return result != TdbTreiber::kNotOpened;
}

bool ToDatQSO::OpenProjectLogbook(int table, TdbProject& project, bool skip, bool shared) {
  if (skip) return false;  // nothing opens: no slot is taken, the project stays as it is
  const LogbookKeys keys = ProjectLogbookKeys(project, table, skip);
  if (table == kLogbookQSO) {
    const std::string folder = Folder(table);
    if (!folder.empty() && common::Service<common::TFileBaseSS>::Exists() &&
        !common::Service<common::TFileBaseSS>::Get().ForceFolderMsg(folder)) {
      return false;
    }
  }
  int n = FindSlot(project, table);
  if (n < 0) n = NewSlot(project, table);
  if (n < 0) return false;  // all 100 taken: refused, the project record unchanged
  if (project.GetFileSlot(table) != n) {
    project.SetFileSlot(table, n);
    project.Update();
  }
  Slot& slot = (*SlotsOf(table))[static_cast<std::size_t>(n - 1)];
  if (project.Table() == 3) {
    slot.key = -2;
    slot.name_text = ProjectNameText(project);
  } else {
    slot.key = project.GetGroupValue();
  }

  const bool layout9 = project.GetLayoutKind() == 9;
  const AutoKeyField autokey = table != kLogbookQSO || !layout9 ? AutoKeyField{1, 4}
                                                                : AutoKeyField{};
  const int result = storage::ToDatBase::OpenTable(
      slot.treiber,
      Params(table, &project, keys, kQsoHeadSize, sizeof(TQSORec), skip, shared), autokey);
  if (result == TdbTreiber::kNotOpened) {
    if (!slot.treiber->IsOpen(false)) slot = Slot{};  // nobody uses it: free again
    return false;
  }
  if (result == TdbTreiber::kOpened) PositionOnFirst(*slot.treiber);
  if (table == kLogbookLB5 && layout9) RunDxccPass(project);
  return true;
}

void ToDatQSO::RunDxccPass(TdbProject& project) {
  if (!dxcc_armed_ || dxcc_running_ || !dxcc_pass_) return;
  dxcc_armed_ = false;
  dxcc_running_ = true;
  struct Guard {
    bool& running;
    ~Guard() { running = false; }
  } guard{dxcc_running_};
  dxcc_pass_(project);
}

void ToDatQSO::CloseFiles(unsigned mask, TdbProject* project, bool skip, bool force) {
  if (!TdbTreiber::DriverSystemReady(skip)) return;
  for (int table : kOpenOrder) {
    if ((mask & LogbookBit(table)) != 0) CloseOne(table, project, skip, force);
  }
}

void ToDatQSO::CloseOne(int table, TdbProject* project, bool skip, bool force) {
  if (!IsProjectLogbook(table)) {
    TdbTreiber::Free(skip, fixed_[static_cast<std::size_t>(table)], force);
    return;
  }
  Slot* slot = RememberedSlot(table, project);
  if (slot == nullptr) return;
  TdbTreiber::Free(skip, slot->treiber, force);
  // Tables 0 and 3 of a project share one file: the close that ends its last use may come
  // through the other table's slot. Every slot whose file is no longer open is free again.
  for (SlotTable& slots : slot_tables_) {
    for (Slot& s : slots) {
      if (s.key != -1 && (s.treiber == nullptr || !s.treiber->IsOpen(false))) s = Slot{};
    }
  }
}

}  // namespace logbook
