// Random inserts, updates and deletes on logbook files of three kinds; afterwards the files hold
// what a model of the run holds, and the checker passes with each file's own key builder as the
// oracle of every key.
#include <map>
#include <string>

#include "common/number_text.h"
#include "logbook/databases/qso_keys.h"
#include "qso_fixture.h"

namespace logbook::testing {
namespace {

const char* const kCalls[] = {"DL1ABC", "OE3XYZ", "F5AA", "K1ABC", "DK9XX", "G4ABC/M"};
const char* const kModes[] = {"CW", "SSB", "FT8", "RTTY", "FM", "USB"};
const char* const kFrequencies[] = {"1.830", "3.550", "7.030", "14.250", "21.074", "144.300"};
const char* const kDxcc[] = {"DL", "OE", "F", "K", "JA", "G", "EA8", "VK"};

class QsoConsistencyTest : public QsoTest {
 protected:
  RandomQsos random_{18};

  template <std::size_t N>
  const char* Any(const char* const (&list)[N]) {
    return random_.Any(list);
  }
  int Below(int n) { return random_.Below(n); }
  static std::string Two(int n) { return RandomQsos::Two(n); }

  TQSORec Layout1Qso() {
    const std::string data = common::SetLen(Any(kCalls), 14, true) + "2024" + Two(1 + Below(12)) +
                             Two(1 + Below(28)) + Two(Below(24)) + Two(Below(60)) +
                             common::SetLen(Any(kModes), 6, true) +
                             std::string(static_cast<std::size_t>(Below(30)), 'c');
    TQSORec r{};
    std::memcpy(r.data + 1, data.data(), data.size());
    r.used = static_cast<std::uint32_t>(1 + data.size());
    return r;
  }

  // Runs `operations` random inserts (half), updates and deletes through a cursor of the table,
  // with `make` giving new working records; the model keeps each record's auto-key text and
  // `content`. Answers the checker's findings after the file is closed.
  template <typename Make, typename Content>
  std::string RandomRun(TdbProject* project, int table, int operations, Make make,
                        Content content) {
    std::map<std::string, std::string> model;  // auto-key text -> what the record must hold
    std::string file;
    storage::DriverKeyBuilder oracle;
    {
      TdbQSOBase t(project, true, 0, "", static_cast<std::uint8_t>(table));  // this process alone
      EXPECT_TRUE(t.OpenedHere());
      t.SetWriteMode(nullptr, 1);
      for (int i = 0; i < operations; ++i) {
        const int op = model.empty() ? 0 : Below(4);
        std::string key;
        if (op <= 1) {
          make(t, i);
          if (!t.Insert()) continue;  // a duplicate of a unique key
        } else {
          auto it = model.begin();
          std::advance(it, Below(static_cast<int>(model.size())));
          EXPECT_TRUE(t.FindAutoKey(it->first)) << i;
          if (op == 3) {
            EXPECT_TRUE(t.Delete(false)) << i;
            model.erase(it);
            continue;
          }
          const std::uint32_t number = t.Working().number;
          make(t, i);
          t.Working().number = number;
          EXPECT_TRUE(t.Update()) << i;
          model.erase(it);
        }
        t.GetAutoKeyText(key);
        model[key] = content(t);
      }
      EXPECT_EQ(t.RecordCount(), static_cast<std::int32_t>(model.size()));
      for (const auto& [key, held] : model) {
        EXPECT_TRUE(t.FindAutoKey(key));
        EXPECT_EQ(content(t), held);
      }
      file = ToDatQSO::FileName(table, project);
    }
    const int size = table == kLogbook293 || table == kLogbookHistory ? sizeof(TQSO293Rec)
                                                                      : sizeof(TQSORec);
    if (table == kLogbookHistory) {
      oracle = Qso293Keys().builder;
    } else {
      oracle = ProjectLogbookKeys(*project, table, false).builder;
    }
    return Check(file, oracle, size, size != sizeof(TQSO293Rec));
  }

  // The data in use of the working QSO record.
  static std::string QsoData(TdbQSOBase& t) {
    return std::string(reinterpret_cast<const char*>(t.Working().data), t.Working().used);
  }
};

TEST_F(QsoConsistencyTest, TenThousandChangesOfALayout9Logbook) {
  TdbProject project;
  ASSERT_TRUE(project.FindNumber(AddProject(ProjectOf(9))));
  EXPECT_EQ(RandomRun(&project, kLogbookLB5, 10000,
                      [&](TdbQSOBase& t, int) { t.Working() = TaggedQso(random_.Layout9Fields()); }, QsoData),
            "");
}

TEST_F(QsoConsistencyTest, TwoThousandChangesOfALayout1Logbook) {
  TProjectRec r = ProjectOf(1);
  const int widths[] = {14, 8, 4, 6, 30};
  for (int f = 1; f <= 5; ++f) r.block.fields[f - 1].width = static_cast<std::uint8_t>(widths[f - 1]);
  const std::uint8_t keys[] = {1, 2, 4, 3, 5, 1};
  std::memcpy(r.block.key_fields_lb5, keys, sizeof keys);
  r.block.key_count_lb5 = 7;
  TdbProject project;
  ASSERT_TRUE(project.FindNumber(AddProject(r)));
  EXPECT_EQ(RandomRun(&project, kLogbookLB5, 2000,
                      [&](TdbQSOBase& t, int) { t.Working() = Layout1Qso(); }, QsoData),
            "");
}

TEST_F(QsoConsistencyTest, TwoThousandChangesOfA293ByteFile) {
  const auto make = [&](TdbQSOBase& t, int i) {
    TQSO293Rec q{};
    q.call = Any(kCalls);
    q.date = common::DMYToDate(1 + Below(28), 1 + Below(12), 2024);
    q.time_on = i;  // the base call, date and time (key 2) are unique
    q.mode = Any(kModes);
    q.freq.set(common::StrToReal(Any(kFrequencies)));
    q.dxcc = Any(kDxcc);
    q.dok = Below(2) ? "B" + Two(Below(40)) : "";
    q.qsl_rcvd = "JYN"[Below(3)];
    q.locator = "JO" + Two(Below(100)) + "AB";
    q.iota = Below(2) ? "EU-0" + Two(Below(99)) : "";
    q.selected = Below(2) ? '*' : 0;
    t.Working293() = q;
  };
  const auto content = [](TdbQSOBase& t) {
    TQSO293Rec q;
    t.GetRecord293(q);
    return std::string(reinterpret_cast<const char*>(&q) + 4, sizeof q - 4);
  };
  TdbProject project;
  ASSERT_TRUE(project.FindNumber(AddProject(ProjectOf(5, "PELORIN"))));
  EXPECT_EQ(RandomRun(&project, kLogbookHistory, 2000, make, content), "");
}

}  // namespace
}  // namespace logbook::testing
