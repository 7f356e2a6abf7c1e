// One flipped bit anywhere in the key texts of a log: in an index entry's text or in a record's key
// fields. A walk along the key, forwards or backwards, on a file of this station alone or a shared
// one, delivers every record (the damaged one perhaps twice) or ends with an error: never a walk
// that ends as a complete one with records missing.
//
// Bounded: every tenth record of 100, four bits of each byte, each bit walked one way (alone or
// shared, forwards or backwards, the ways taking turns).
#include <string>
#include <vector>

#include "tests/storage/driver/driver_fixture.h"

namespace storage_test {
namespace {

constexpr int kRecords = 100;  // number 5 deleted

// A byte of a key text, in a record of the data file or in an entry of the index, and the key
// walked over it.
struct Place {
  std::string file;
  std::size_t at;
  int key;
};

class DamagedKeySweepTest : public DriverTest {
 protected:
  // The key text bytes of `record`, in the records and in its entries.
  static void AddPlaces(const std::string& data, const std::string& index, int record,
                        std::vector<Place>& places) {
    const std::size_t start = static_cast<std::size_t>(record) * sizeof(TestRec);
    // The number (key 1), the call's length and text (key 2), the band's (key 3).
    const auto field = [&](std::size_t offset, std::size_t length, int key) {
      for (std::size_t i = 0; i < length; ++i) {
        places.push_back({"PXLK.DAT", start + offset + i, key});
      }
    };
    field(4, 4, 1);
    field(8, 1 + static_cast<std::uint8_t>(data[start + 8]), 2);
    field(19, 1 + static_cast<std::uint8_t>(data[start + 19]), 3);
    for (int key = 1; key <= 3; ++key) {
      std::string text;
      TestKeys(reinterpret_cast<const std::uint8_t*>(data.data() + start),
               static_cast<std::uint16_t>(key), text);
      const std::size_t entry = EntryAt(index, text, record);
      ASSERT_NE(entry, std::string::npos) << "record " << record << " key " << key;
      for (std::size_t i = 0; i < text.size(); ++i) {
        places.push_back({"PXLK.IX", entry + 9 + i, key});
      }
    }
  }
};

TEST_F(DamagedKeySweepTest, EveryWalkDeliversEveryRecordOrAnError) {
  ASSERT_NO_FATAL_FAILURE(AddNamedRecords(*OpenTest("PXLK"), kRecords));
  storage::CloseAllDrivers();
  const std::string data = Bytes("PXLK.DAT");
  const std::string index = Bytes("PXLK.IX");
  std::vector<Place> places;
  for (int record = 1; record <= kRecords; record += 10) {
    ASSERT_NO_FATAL_FAILURE(AddPlaces(data, index, record, places));
  }
  Texts short_walks;
  int walks = 0;
  for (const Place& place : places) {
    for (const std::uint8_t bit : {0x01, 0x02, 0x10, 0x40}) {
      const bool shared = walks % 2 == 1;
      const bool backwards = (walks / 2 + walks / 8) % 2 == 1;
      ++walks;
      std::string bytes = place.file == "PXLK.DAT" ? data : index;
      bytes[place.at] = static_cast<char>(bytes[place.at] ^ bit);
      common::testing::WriteFile(folder_ / "PXLK.DAT", place.file == "PXLK.DAT" ? bytes : data);
      common::testing::WriteFile(folder_ / "PXLK.IX", place.file == "PXLK.IX" ? bytes : index);
      auto d = OpenTest("PXLK", shared);
      std::map<int, int> seen;
      bool failed = false;
      try {
        seen = WalkNamed(*d, place.key, backwards, 2 * kRecords);
        failed = storage::DriverErrorClass() != 1;
      } catch (const storage::EDBError&) {
        failed = true;
      }
      // A repair deletes a record whose key another one holds in a key without duplicates (its
      // dump goes to the message file): the walk owes the records the file holds.
      int missing = 0;
      if (!failed) {
        for (const auto& [name, times] : WalkNamed(*d, 0, false, 2 * kRecords)) {
          missing += seen.count(name) == 0 ? 1 : 0;
        }
      }
      if (missing != 0) {
        short_walks.push_back(place.file + " byte " + std::to_string(place.at) + " bit " +
                              std::to_string(bit) + (shared ? " shared" : " alone") +
                              (backwards ? " backwards: " : " forwards: ") +
                              std::to_string(missing) + " records missing");
      }
      d.reset();
      storage::CloseAllDrivers();
    }
  }
  EXPECT_EQ(short_walks, Texts{}) << walks << " walks";
}

}  // namespace
}  // namespace storage_test
