// Random inserts, updates and deletes on logbook files of three kinds; afterwards the files hold
// what a model of the run holds, and the checker passes with each file's own key builder as the
// oracle of every key.
#include <functional>
#include <map>
#include <string>

#include "common/number_text.h"
#include "logbook/databases/qso_keys.h"
#include "qso_fixture.h"

namespace logbook::testing {
namespace {

class QsoConsistencyTest : public QsoTest {
 protected:
  RandomQsos random_{18};

  // `operations` random inserts (half), updates and deletes through a cursor of the table, `make`
  // filling the working record; the model keeps each record's auto-key text and `content`.
  // Answers the checker's findings on the closed file.
  std::string RandomRun(TdbProject& project, int table, int operations,
                        const std::function<void(TdbQSOBase&, int)>& make,
                        const std::function<std::string(TdbQSOBase&)>& content,
                        const LogbookKeys& oracle) {
    std::map<std::string, std::string> model;
    {
      TdbQSOBase t(&project, true, 0, "", static_cast<std::uint8_t>(table));  // this process only
      t.SetWriteMode(nullptr, 1);
      for (int i = 0; i < operations; ++i) {
        const int op = model.empty() ? 0 : random_.Below(4);
        if (op <= 1) {
          make(t, i);
          EXPECT_TRUE(t.Insert()) << i;
        } else {
          auto it = std::next(model.begin(), random_.Below(static_cast<int>(model.size())));
          EXPECT_TRUE(t.FindAutoKey(it->first)) << i;
          const std::uint32_t number = t.Working().number;
          if (op == 3) {
            EXPECT_TRUE(t.Delete(false)) << i;
          } else {
            make(t, i);
            t.Working().number = number;
            EXPECT_TRUE(t.Update()) << i;
          }
          model.erase(it);
          if (op == 3) continue;
        }
        std::string key;
        t.GetAutoKeyText(key);
        model[key] = content(t);
      }
      EXPECT_EQ(t.RecordCount(), static_cast<std::int32_t>(model.size()));
      for (const auto& [key, held] : model) {
        EXPECT_TRUE(t.FindAutoKey(key));
        EXPECT_EQ(content(t), held);
      }
    }
    const bool qso = table != kLogbookHistory;
    return Check(ToDatQSO::FileName(table, &project), oracle.builder,
                 qso ? sizeof(TQSORec) : sizeof(TQSO293Rec), qso);
  }

  static std::string QsoData(TdbQSOBase& t) {
    return std::string(reinterpret_cast<const char*>(t.Working().data), t.Working().used);
  }
  std::string Two(int n) { return RandomQsos::Two(n); }
};

TEST_F(QsoConsistencyTest, TenThousandChangesOfALayout9Logbook) {
  TdbProject project;
  ASSERT_TRUE(project.FindNumber(AddProject(ProjectOf(9))));
  const auto make = [&](TdbQSOBase& t, int) { t.Working() = TaggedQso(random_.Layout9Fields()); };
  EXPECT_EQ(RandomRun(project, kLogbookLB5, 10000, make, QsoData,
                      ProjectLogbookKeys(project, kLogbookLB5, false)),
            "");
}

TEST_F(QsoConsistencyTest, TwoThousandChangesOfALayout1Logbook) {
  TProjectRec r = ProjectOf(1);
  const int widths[] = {14, 8, 4, 6, 30};
  for (int f = 1; f <= 5; ++f) Field(r, f, "F" + std::to_string(f), widths[f - 1]);
  const std::uint8_t keys[] = {1, 2, 4, 3, 5, 1};
  std::memcpy(r.block.key_fields_lb5, keys, sizeof keys);
  r.block.key_count_lb5 = 7;
  TdbProject project;
  ASSERT_TRUE(project.FindNumber(AddProject(r)));
  const auto make = [&](TdbQSOBase& t, int) {
    const std::string data = common::SetLen(random_.Layout9Fields()[0].second, 14, true) +
                             "2024" + Two(1 + random_.Below(12)) + Two(1 + random_.Below(28)) +
                             Two(random_.Below(24)) + Two(random_.Below(60)) + "SSB   " +
                             std::string(static_cast<std::size_t>(random_.Below(30)), 'c');
    t.Working() = TQSORec{};
    std::memcpy(t.Working().data + 1, data.data(), data.size());
    t.Working().used = static_cast<std::uint32_t>(1 + data.size());
  };
  EXPECT_EQ(RandomRun(project, kLogbookLB5, 2000, make, QsoData,
                      ProjectLogbookKeys(project, kLogbookLB5, false)),
            "");
}

TEST_F(QsoConsistencyTest, TwoThousandChangesOfA293ByteFile) {
  const auto make = [&](TdbQSOBase& t, int i) {
    const auto fields = random_.Layout9Fields();  // call, date, time, mode, frequency, DXCC, ...
    TQSO293Rec& q = t.Working293();
    q = TQSO293Rec{};
    q.call = fields[0].second;
    q.date = common::DMYToDate(1 + random_.Below(28), 1 + random_.Below(12), 2024);
    q.time_on = i;  // the base call, date and time (key 2) are unique
    q.mode = fields[3].second;
    q.freq.set(common::StrToReal(fields[4].second));
    q.dxcc = fields[5].second;
    q.dok = fields[8].second;
    q.qsl_rcvd = "JYN"[random_.Below(3)];
    q.locator = fields[9].second;
    q.iota = fields[15].second;
    q.selected = random_.Below(2) ? '*' : 0;
  };
  const auto content = [](TdbQSOBase& t) {
    return std::string(reinterpret_cast<const char*>(&t.Working293()) + 4, sizeof(TQSO293Rec) - 4);
  };
  TdbProject project;
  ASSERT_TRUE(project.FindNumber(AddProject(ProjectOf(5, "PELORIN"))));
  EXPECT_EQ(RandomRun(project, kLogbookHistory, 2000, make, content, Qso293Keys()), "");
}

}  // namespace
}  // namespace logbook::testing
