// Opening a fileblock around its dialog file: what each kind of dialog file leads to for each
// way of opening, user slots and owner marks.

#include <optional>

#include "platform/fake_environment.h"
#include "storage/dialog_file.h"
#include "storage/fileblock.h"
#include "tests/storage/network_fixture.h"

namespace storage::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Three keys: one byte per slot, six slots.
const Bytes kClean = {0, 0xD0, 0x07, 0, 0, 0, 0, 0, 0};
const Bytes kEverySlotMarked = {0, 0xD0, 0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// A page image of key 1 (key length 12: 21 bytes per item) for page 1000, which the index file
// never held.
Bytes PageBeyondTheIndex() {
  Bytes b = {0, 1, 0, 1, 0, 0, 0};
  b.resize(b.size() + 21, 0);
  for (std::uint8_t x : {0xE8, 0x03, 0, 0, 0, 0, 0, 0}) b.push_back(x);
  return b;
}

OpenOptions Shared() {
  OpenOptions o;
  o.shared = true;
  return o;
}
OpenOptions Plain() { return {}; }
OpenOptions ReadOnly() {
  OpenOptions o;
  o.read_only = true;
  return o;
}
OpenOptions ReadOnlyShared() {
  OpenOptions o = ReadOnly();
  o.shared = true;
  return o;
}
OpenOptions ReadOnlySharing() {
  OpenOptions o;
  o.read_only_sharing = true;
  return o;
}
OpenOptions Journal() {
  OpenOptions o;
  o.journal = true;
  return o;
}

struct DialogCase {
  const char* name;
  std::optional<Bytes> before;  // the dialog file before the open (none: missing)
  OpenOptions (*options)();
  int expected;
  std::optional<Bytes> after;  // the dialog file after the open (none: missing)
};

class DialogOpen : public NetworkTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogOpen, HandlesTheDialogFile) {
  const DialogCase& c = GetParam();
  CreateFile();
  const std::string dia = Name("N") + ".DIA";
  if (c.before) WriteBytes(dia, *c.before);
  const Bytes index_before = ReadBytes(Name("N") + ".IX");
  FileblockHandle h = FileblockOpen(Name("N"), c.options());
  EXPECT_EQ(Err(), c.expected);
  EXPECT_EQ(h != nullptr, c.expected == 0);
  EXPECT_EQ(std::filesystem::exists(dia), c.after.has_value());
  if (c.after) {
    EXPECT_EQ(ReadBytes(dia), *c.after);
  }
  EXPECT_EQ(ReadBytes(Name("N") + ".IX"), index_before);
  if (h != nullptr) {
    EXPECT_EQ(FileblockUsedRecs(h), 0);
    EXPECT_EQ(Err(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, DialogOpen,
    ::testing::Values(
        DialogCase{"MissingIsCreatedForSharedUse", std::nullopt, Shared, 0, kEverySlotMarked},
        DialogCase{"FreshGetsEverySlotMarked", Bytes{0}, Shared, 0, kEverySlotMarked},
        DialogCase{"OtherLayoutIsSetUpAgain", Bytes{0, 0xD0, 0x07, 0, 0}, Shared, 0,
                   kEverySlotMarked},
        DialogCase{"CleanIsLeftAlone", kClean, Shared, 0, kClean},
        DialogCase{"UnwantedIsDeleted", kClean, Plain, 0, std::nullopt},
        DialogCase{"ReadOnlyLeavesItAlone", kClean, ReadOnly, 0, kClean},
        DialogCase{"ReadOnlyRefusesAJournal", Bytes{0, 0xE8, 0x03}, ReadOnly, kIsamDialogReadOnly,
                   Bytes{0, 0xE8, 0x03}},
        DialogCase{"ReadOnlyCannotCreateIt", std::nullopt, ReadOnlyShared, kIsamDialogReadOnly,
                   std::nullopt},
        DialogCase{"ReadOnlySharingNeedsIt", std::nullopt, ReadOnlySharing, kIsamDialogReadOnly,
                   std::nullopt},
        DialogCase{"ReadOnlySharingRefusesAFreshOne", Bytes{0}, ReadOnlySharing,
                   kIsamDialogReadOnly, Bytes{0}},
        DialogCase{"ReadOnlySharingReadsAClearOne", kClean, ReadOnlySharing, 0, kClean},
        DialogCase{"UnknownJournalWord", Bytes{0, 0x34, 0x12, 0}, Shared, kIsamJournalUnreadable,
                   Bytes{0, 0x34, 0x12, 0}},
        DialogCase{"JournalPageBeyondTheIndex", PageBeyondTheIndex(), Plain, kIsamJournalUnreadable,
                   PageBeyondTheIndex()},
        DialogCase{"TornJournalRecordEndsTheJournal", Bytes{0, 0xE8, 0x03, 0, 0, 7}, Plain, 0,
                   std::nullopt},
        DialogCase{"EmptyJournalOfASharedUserIsSetUp", Bytes{}, Shared, 0, kEverySlotMarked},
        DialogCase{"JournalOptionKeepsItFresh", std::nullopt, Journal, 0, Bytes{0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NetworkTest, ADialogFileIsSetUpOnlyWhileNobodyElseHasTheFileblockOpen) {
  CreateFile();
  FileblockHandle a = OpenShared();
  WriteBytes(Name("N") + ".DIA", {0});
  EXPECT_EQ(FileblockOpen(Name("N"), Shared()), nullptr);
  EXPECT_EQ(Err(), kIsamDialogBusy);
  FileblockClose(a);
  EXPECT_NE(FileblockOpen(Name("N"), Shared()), nullptr) << Err();
}

TEST_F(NetworkTest, UserSlotsStartAtARandomSlotAndGoDown) {
  CreateFile();
  platform::FakeRandom random;
  random.script = {2, 2, 0, 3, 3};
  platform::ScopedEnvironment env(nullptr, nullptr, &random);
  std::vector<int> slots;
  for (int i = 0; i < 5; ++i) {
    FileblockHandle h = OpenShared();
    ASSERT_NE(h, nullptr);
    slots.push_back(h->net->own_slot);
  }
  // 3; 3 taken, so 2; 1; 4; 4, 3, 2 and 1 taken, so 5 (down from 1 wraps to 5).
  EXPECT_EQ(slots, (std::vector<int>{3, 2, 1, 4, 5}));
  EXPECT_EQ(random.bounds, std::vector<std::uint32_t>(5, 5));
  EXPECT_EQ(FileblockOpen(Name("N"), Shared()), nullptr);
  EXPECT_EQ(Err(), kIsamNoUserSlot);
}

}  // namespace
}  // namespace storage::testing
