// What a station is told when the operating system refuses: a full disk, a read-only folder and
// a path too long each end the run with their own report, shared or not, without a lock-conflict
// question that nobody could answer, and the records stored before stay whole.
//
// Each case runs in a child process, which takes the limit (a file size limit, another user) and
// ends as the program ends after a serious error; it tells the test what the user was shown.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "storage/driver/db_error.h"
#include "storage/driver/debug_stack.h"
#include "tests/common/rows.h"
#include "tests/storage/tables/table_fixture.h"

namespace storage_test {
namespace {

namespace fs = std::filesystem;
using common::MessageKind;
using common::testing::RowName;

enum class Refusal { kDiskFull, kReadOnlyFolder, kPathTooLong };

struct RefusalCase {
  const char* name;
  Refusal refusal;
  bool shared;
};

// The beginning of the report shown, and whether it comes with the help page's link.
struct Report {
  const char* start;
  MessageKind kind;
};

Report ExpectedReport(Refusal refusal) {
  if (refusal == Refusal::kDiskFull) {
    return {
        "Fehlercode: 10075\rDas Programm wird abgebrochen. \rMögliche Fehlerursache: Zu wenig "
        "Plattenspeicher.",
        MessageKind::kFehler};
  }
  return {"Datenbankzugriff verweigert!\r", MessageKind::kFehlerInfo};
}

class RefusalTest : public TableTest, public ::testing::WithParamInterface<RefusalCase> {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    Club().shared = GetParam().shared;
    ASSERT_EQ(Club().OpenFiles(ToDatClub::kStationsBit, false), storage::TdbTreiber::kOpened);
    for (const char* call : {"DL1ABC", "DK2XY", "DO3ZZ"}) AddStation(call, "N");
    // The child must not share this process's open files (their locks would be its own).
    Club().CloseFiles(ToDatClub::kStationsBit, false);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(folder_.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }

  // Runs `refuse` and then a station's work in a child process that ends as the program ends
  // after a serious error; the messages shown there, one a line: kind, a blank, the text.
  std::string ShownInChild(const std::function<void()>& refuse) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return "no pipe";
    EXPECT_EXIT(
        {
          refuse();
          // A question would be answered No; it shows up among the messages.
          presenter_->answers.assign(8, false);
          try {
            if (Club().OpenFiles(ToDatClub::kStationsBit, false) == storage::TdbTreiber::kOpened) {
              AddStation("DL9NEW", "N");
            }
          } catch (const storage::EDBError&) {
            // the program ends here
          }
          storage::DriverExitProcedure();
          std::string shown;
          for (const auto& call : presenter_->calls) {
            shown += std::to_string(static_cast<int>(call.kind)) + " " + call.text + "\n";
          }
          const bool written =
              write(pipe_fds[1], shown.data(), shown.size()) == static_cast<ssize_t>(shown.size());
          std::_Exit(written ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    close(pipe_fds[1]);
    std::string shown;
    char buffer[4096];
    for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, n);
    close(pipe_fds[0]);
    return shown;
  }
};

// Takes away the right to write: as another user when this one may write anywhere.
void WithoutWriteAccess(const std::string& folder) {
  fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  fs::permissions(folder, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  for (const auto& entry : fs::directory_iterator(folder)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::remove);
  }
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) std::_Exit(2);
}

TEST_P(RefusalTest, EndsWithItsOwnReportAndKeepsTheRecords) {
  const RefusalCase& c = GetParam();
  const std::string folder = folder_.path();
  const std::string shown = ShownInChild([&] {
    switch (c.refusal) {
      case Refusal::kDiskFull: {
        // The next record no longer fits: the data file may not grow.
        signal(SIGXFSZ, SIG_IGN);
        const auto size = static_cast<rlim_t>(fs::file_size(folder + "/CLSTAT.DAT"));
        const rlimit limit{size, size};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(2);
        break;
      }
      case Refusal::kReadOnlyFolder:
        WithoutWriteAccess(folder);
        break;
      case Refusal::kPathTooLong:
        System().SetStartFolder(folder + "/" + std::string(5000, 'L') + "/");
        break;
    }
  });
  const Report report = ExpectedReport(c.refusal);
  const std::string expected_start =
      std::to_string(static_cast<int>(report.kind)) + " " + report.start;
  EXPECT_TRUE(shown.starts_with(expected_start)) << shown;
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 1) << shown;  // no question before it
  {
    TdbStation s;
    EXPECT_EQ(s.RecordCount(), 3);
    ASSERT_TRUE(s.First(2));
    EXPECT_EQ(s.Record().call.str(), "DK2XY");
  }
  Club().CloseFiles(ToDatClub::kStationsBit, false);
  EXPECT_EQ(Check(ToDatClub::kStations), "");
}

const RefusalCase kRefusals[] = {
    {"DiskFullShared", Refusal::kDiskFull, true},
    {"DiskFullUnshared", Refusal::kDiskFull, false},
    {"ReadOnlyFolderShared", Refusal::kReadOnlyFolder, true},
    {"ReadOnlyFolderUnshared", Refusal::kReadOnlyFolder, false},
    {"PathTooLongShared", Refusal::kPathTooLong, true},
    {"PathTooLongUnshared", Refusal::kPathTooLong, false},
};
INSTANTIATE_TEST_SUITE_P(Refusals, RefusalTest, ::testing::ValuesIn(kRefusals), RowName);

}  // namespace
}  // namespace storage_test
