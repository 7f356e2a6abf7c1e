#include "storage/isam/dialog_file.h"

#include "common/le_int.h"

namespace storage {

bool ExamineDialog(EngineFile& dialog, int slot_size, int slots, DialogCondition* condition) {
  std::int64_t size = 0;
  if (!dialog.Size(&size)) return false;
  if (size == 1) {
    *condition = DialogCondition::kFresh;
    return true;
  }
  DialogWord word = DialogWord::kJournal;
  if (!ReadDialogWord(dialog, &word)) return false;
  if (word == DialogWord::kJournal) {
    *condition = DialogCondition::kJournal;
  } else if (size - kSlotAreaStart == static_cast<std::int64_t>(slot_size) * slots) {
    *condition = DialogCondition::kClean;
  } else {
    *condition = DialogCondition::kOtherLayout;
  }
  return true;
}

bool ReadDialogWord(EngineFile& dialog, DialogWord* word) {
  std::uint8_t prefix[3] = {};
  std::uint32_t got = 0;
  if (!dialog.ReadSome(0, prefix, 3, &got)) return false;
  const std::uint16_t value = common::ReadLeUInt16(prefix + 1);
  *word = got < 3                        ? DialogWord::kJournal
          : value == kDialogEndWord      ? DialogWord::kSlotArea
          : value == kDialogChangingWord ? DialogWord::kChanging
                                         : DialogWord::kJournal;
  return true;
}

bool WriteSlotArea(EngineFile& dialog, const std::vector<std::uint8_t>& area, bool cut,
                   bool changing) {
  std::vector<std::uint8_t> bytes(2 + area.size());
  common::WriteLeUInt16(bytes.data(), changing ? kDialogChangingWord : kDialogEndWord);
  std::copy(area.begin(), area.end(), bytes.begin() + 2);
  if (!dialog.Write(1, bytes.data(), static_cast<std::uint32_t>(bytes.size()))) return false;
  return !cut || dialog.Truncate(kSlotAreaStart + static_cast<std::int64_t>(area.size()));
}

bool WriteChangingWord(EngineFile& dialog) {
  std::uint8_t word[2];
  common::WriteLeUInt16(word, kDialogChangingWord);
  return dialog.Write(1, word, 2);
}

int ReadRepairMark(EngineFile& dialog) {
  std::uint8_t mark = 0;
  std::uint32_t got = 0;
  return dialog.ReadSome(0, &mark, 1, &got) ? mark : -1;
}

bool MoveRepairMarkOn(EngineFile& dialog) {
  const int mark = ReadRepairMark(dialog);
  const auto next = static_cast<std::uint8_t>(mark + 1);
  return mark >= 0 && dialog.Write(0, &next, 1);
}

bool OpenDialogFile(EngineFile& dialog, const std::string& name, const EngineOpenMode& mode) {
  if (!dialog.Open(name, mode)) return false;
  if (!mode.open_always) return true;
  std::int64_t size = 0;
  if (!dialog.Size(&size)) return false;
  // Just created (two openers writing the byte at once write the same byte).
  const std::uint8_t zero = 0;
  return size != 0 || dialog.Write(0, &zero, 1);
}

bool ResetDialogFile(EngineFile& dialog, bool repaired) {
  const int mark = ReadRepairMark(dialog);
  const auto kept = static_cast<std::uint8_t>(repaired ? mark + 1 : mark);
  return mark >= 0 && dialog.Write(0, &kept, 1) && dialog.Truncate(1);
}

}  // namespace storage
