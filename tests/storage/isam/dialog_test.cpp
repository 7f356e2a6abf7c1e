// Opening around the dialog file: each kind of dialog file and each way of opening.

#include <optional>

#include "storage/isam/dialog_file.h"
#include "tests/storage/isam/network_fixture.h"

namespace storage::testing {
namespace {

// Three keys: one byte per slot, six slots.
const Bytes kClean = {0, 0xD0, 0x07, 0, 0, 0, 0, 0, 0};
const Bytes kEverySlotMarked = {0, 0xD0, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const Bytes kJournal = {0, 0xE8, 0x03};
const Bytes kUnknownWord = {0, 0x34, 0x12, 0};
// A journal page image of key 1 (21 bytes an item) for page 1000, which the index never held,
// with its check word.
const Bytes kFarPage = [] {
  Bytes b = {1, 0, 1, 0, 0, 0};
  b.resize(b.size() + 21, 0);
  for (std::uint8_t x : {0xE8, 0x03, 0, 0, 0, 0, 0, 0}) b.push_back(x);
  const std::uint32_t check = JournalCheck(b.data(), b.size());
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(check >> (8 * i)));
  b.insert(b.begin(), 0);
  return b;
}();

struct DialogCase {
  const char* name;
  std::optional<Bytes> before;  // the dialog file before the open (none: missing)
  const char* options;          // of ParseOpenOptions
  int expected;
  std::optional<Bytes> after;  // the dialog file after the open (none: missing)
};

class DialogOpen : public NetworkTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogOpen, HandlesTheDialogFile) {
  const DialogCase& c = GetParam();
  CreateFile();
  const std::string dia = Name("N") + ".DIA";
  if (c.before) WriteFile(dia, std::string(c.before->begin(), c.before->end()));
  const std::string index_before = ReadFile(Name("N") + ".IX");
  FileblockHandle h = FileblockOpen(Name("N"), ParseOpenOptions(c.options));
  EXPECT_EQ(Err(), c.expected);
  EXPECT_EQ(h != nullptr, c.expected == 0);
  EXPECT_EQ(std::filesystem::exists(dia), c.after.has_value());
  EXPECT_EQ(Dialog(), c.after.value_or(Bytes()));  // a missing file reads as empty
  EXPECT_EQ(ReadFile(Name("N") + ".IX"), index_before);
  EXPECT_EQ(h == nullptr ? 0 : FileblockUsedRecs(h), 0);
  EXPECT_EQ(ReadFile(Name("N") + ".DAT")[20], c.expected == kIsamIndexUnusable ? 1 : 0);
}

const std::nullopt_t kMissing = std::nullopt;
const DialogCase kCases[] = {
    {"MissingIsCreatedForSharedUse", kMissing, "shared", 0, kEverySlotMarked},
    {"FreshGetsEverySlotMarked", Bytes{0}, "shared", 0, kEverySlotMarked},
    {"OtherLayoutIsSetUpAgain", Bytes{0, 0xD0, 0x07, 0, 0}, "shared", 0, kEverySlotMarked},
    {"CleanIsLeftAlone", kClean, "shared", 0, kClean},
    // It carries the rebuild lock of the other users: emptied, it stays.
    {"UnwantedIsEmptiedAndStays", kClean, "", 0, Bytes{0}},
    {"ReadOnlyLeavesItAlone", kClean, "readonly", 0, kClean},
    {"ReadOnlyRefusesAJournal", kJournal, "readonly", kIsamDialogReadOnly, kJournal},
    {"ReadOnlyCannotCreateIt", kMissing, "readonly shared", kIsamDialogReadOnly, kMissing},
    {"ReadOnlySharingNeedsIt", kMissing, "rosharing", kIsamDialogReadOnly, kMissing},
    {"ReadOnlySharingRefusesAFreshOne", Bytes{0}, "rosharing", kIsamDialogReadOnly, Bytes{0}},
    {"ReadOnlySharingReadsAClearOne", kClean, "rosharing", 0, kClean},
    // A journal that is not what its writer wrote is not replayed: the data file is marked and
    // the open asks for the rebuild, which clears the journal.
    {"UnknownJournalWord", kUnknownWord, "shared", kIsamIndexUnusable, kUnknownWord},
    {"JournalPageBeyondTheIndex", kFarPage, "", kIsamIndexUnusable, kFarPage},
    {"TornJournalRecord", Bytes{0, 0xE8, 0x03, 0, 0, 7}, "", kIsamIndexUnusable,
     Bytes{0, 0xE8, 0x03, 0, 0, 7}},
    {"EmptyJournalOfASharedUserIsSetUp", Bytes{}, "shared", 0, kEverySlotMarked},
    {"JournalOptionKeepsItFresh", kMissing, "journal", 0, Bytes{0}}};
INSTANTIATE_TEST_SUITE_P(Conditions, DialogOpen, ::testing::ValuesIn(kCases), RowName);

TEST_F(NetworkTest, ADialogFileIsSetUpOnlyWhileNobodyElseHasTheFileblockOpen) {
  CreateFile();
  FileblockHandle a = Open();
  WriteFile(Name("N") + ".DIA", std::string(1, '\0'));
  EXPECT_EQ(RefusedOpen(Name("N"), ParseOpenOptions("shared")), kIsamDialogBusy);
  FileblockClose(a);
  EXPECT_NE(Open(), nullptr);
}

}  // namespace
}  // namespace storage::testing
