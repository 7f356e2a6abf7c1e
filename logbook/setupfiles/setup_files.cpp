#include "logbook/setupfiles/setup_files.h"

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/settings/setups.h"
#include "storage/tables/table_keys.h"

namespace logbook {
namespace {

struct SetupTable {
  const char* name;
  unsigned bit;
  int folder_entry;
};

constexpr SetupTable kTables[kSetupKinds] = {
    {"PXSETUP", ToDatSetup::kBitMain, 1},
    {"PXSETUP2", ToDatSetup::kBitMore, 1},
    {"PELPSETP", ToDatSetup::kBitPelp, 0},
    {"HCSETUP", ToDatSetup::kBitHc, 0},
};

constexpr int kOpenOrder[] = {kSetupMain, kSetupHc, kSetupPelp, kSetupMore};
constexpr int kCloseOrder[] = {kSetupMain, kSetupMore, kSetupPelp, kSetupHc};

bool IsKind(int kind) { return kind >= 0 && kind < kSetupKinds; }

}  // namespace

ToDatSetup::ToDatSetup() = default;

ToDatSetup::~ToDatSetup() = default;

std::string ToDatSetup::FileName(int kind) { return IsKind(kind) ? kTables[kind].name : ""; }

unsigned ToDatSetup::BitOf(int kind) { return IsKind(kind) ? kTables[kind].bit : 0; }

std::string ToDatSetup::FilePath(int kind) {
  if (!IsKind(kind)) return {};
  std::string folder;
  if (common::Service<ToSetups>::Exists()) {
    folder = common::Service<ToSetups>::Get().GetDirs().dirs[kTables[kind].folder_entry];
  }
  return common::ReplaceChar(folder, '\\', '/') + kTables[kind].name;
}

void ToDatSetup::Keys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  if (key != kSetupAutoreKey) return;  // the one key
  text = common::LongIntToKey(common::ReadLeInt32(record + kSetupAutoreOffset));
}

int ToDatSetup::OpenKind(int kind, bool skip) {
  storage::ToKeys keys;
  keys.Add(5, false, "autore AUTOKEY");
  storage::TreiberOpenParams p;
  p.skip = skip;
  p.max_length = p.min_length = kSetupRecordLength[kind];
  p.file_name = kTables[kind].name;
  p.path = FilePath(kind);
  p.key_count = keys.Count();
  p.key_builder = Keys;
  p.open_mode = 1;  // shared with the other users of the program
  p.keys = &keys;
  return OpenTable(slots_[kind], p, AutoKeyField{kSetupAutoreKey, kSetupAutoreOffset});
}

bool ToDatSetup::OpenFiles(unsigned bits, bool skip) {
  for (const int kind : kOpenOrder) {
    if ((bits & kTables[kind].bit) == 0) continue;
    if (OpenKind(kind, skip) == storage::TdbTreiber::kNotOpened) return false;
  }
  return true;
}

void ToDatSetup::CloseFiles(unsigned bits, bool skip, bool force) {
  for (const int kind : kCloseOrder) {
    if ((bits & kTables[kind].bit) != 0) CloseTable(slots_[kind], skip, force);
  }
}

bool ToDatSetup::IsOpen(int kind) const {
  return IsKind(kind) && slots_[kind] != nullptr && slots_[kind]->IsOpen(false);
}

storage::TdbTreiber* ToDatSetup::Treiber(int kind) const {
  if (!IsOpen(kind) || !storage::TdbTreiber::DriverSystemReady(false)) return nullptr;
  return slots_[kind].get();
}

storage::TdbTreiber* ToDatSetup::Treiber(int kind, int mode, storage::TdbTreiber* given) const {
  if (mode != 2) return Treiber(kind);
  const bool ready = given != nullptr && given->IsOpen(false) &&
                     storage::TdbTreiber::DriverSystemReady(false);
  return ready ? given : nullptr;
}

}  // namespace logbook
