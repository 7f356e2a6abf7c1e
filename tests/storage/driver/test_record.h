// The small record of the driver tests, its key builder and the open of its file (shared with the
// peer program), and the checker run with a key builder as its oracle.
#pragma once

#include <cstring>
#include <string>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/short_string.h"
#include "storage/driver/driver.h"
#include "storage/isam/isam_check.h"

namespace storage_test {

// OFFSET/SIZE/MEANING
//  0  4  free-chain link, 0 in a used record
//  4  4  number (AUTOKEY of key 1)
//  8 11  call (short string of 10)
// 19  4  band (short string of 3)
// 23 17  spare
struct TestRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<10> call;
  common::ShortString<3> band;
  char spare[17] = {};
};
static_assert(sizeof(TestRec) == 40);

// Key 1: the number (unique); key 2: the call (duplicates); key 3: band + number (unique).
inline void TestKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  TestRec r;
  std::memcpy(&r, record, sizeof r);
  if (key == 1) text = common::LongIntToKey(r.number);
  if (key == 2) text = r.call.str();
  if (key == 3) text = r.band.str() + common::LongIntToKey(r.number);
}

inline TestRec& Rec(storage::IFDriver& d) { return *reinterpret_cast<TestRec*>(d.RecordBuffer()); }

// The test file's parameters; the file lies in the start folder under `path` (default: the name).
inline storage::DriverOpenParams Params(const std::string& name, bool shared = false,
                                        const std::string& path = "") {
  storage::DriverOpenParams p;
  p.name = name;
  p.path = path.empty() ? name : path;
  p.shared = shared;
  p.record_length = p.buffer_length = sizeof(TestRec);
  p.key_count = 3;
  p.key_builder = TestKeys;
  return p;
}

// Opens with the three test keys, the AUTOKEY on key 1.
inline bool OpenTestFile(storage::IFDriver& d, const storage::DriverOpenParams& p) {
  return d.Open(p) && d.DefineKey(1, 5, false) && d.DefineKey(2, 10, true) &&
         d.DefineKey(3, 8, false) && d.SetAutoKeyField(1, 4);
}

// The checker's findings on the closed file at `path`, with `keys` as its oracle.
inline std::string CheckFile(const std::string& path, const storage::DriverKeyBuilder& keys,
                             bool variable = false) {
  storage::CheckOptions o;
  o.section_records = variable;
  o.key_builder = [&keys](const std::uint8_t* record, std::size_t, int key) {
    std::string text;
    keys(record, static_cast<std::uint16_t>(key), text);
    return text;
  };
  return storage::IsamCheck(path, o).Text();
}

}  // namespace storage_test
