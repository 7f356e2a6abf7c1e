// A QSO record holding tabs, line ends and NULs (an older entry, a pasted row) reaching every
// file the output menu writes: each byte goes out as a blank, so that every file has the lines
// of the same log with blanks in their place.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

#include "output/uhfteilnehmer_ctrl.h"
#include "tests/output/fixture_logs.h"
#include "tests/output/golden_file.h"

namespace output_test {
namespace {

using namespace std::string_literals;

bool IsLineBreaking(char c) { return c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

// '.' class 5 with control bytes inside the call, both exchanges, the name and the DOK of its
// QSOs; with `blanks` the same log with a blank in place of each.
LogBuilder LogWithControlBytes(bool blanks) {
  const auto text = [blanks](std::string bytes) {
    if (blanks) std::replace_if(bytes.begin(), bytes.end(), IsLineBreaking, ' ');
    return bytes;
  };
  LogBuilder b('.', 5);
  contest::TContestKKRec& k = b.Catalogue();
  k.LoaderSwitch = 0;
  k.LineQsos[0] = 2;
  k.LinePoints[0] = 4;
  k.LineMults[0] = 2;
  b.Create();
  contest::TContestLKRec q = QsoOf({"", 'b', At(10, 0), "CW", "", "", 1, "", "DL", "DL", "EU"});
  q.Call = text("DL2ABC\t33\nG3");
  contest::TContestFkt::SetSentExchange(text("599\r\n42"), q);
  contest::TContestFkt::SetRcvdExchange(text("599\t17\0B"s), q);
  q.NameQth = text("Hans\r\nBerlin");
  q.DOK1 = text("B\t36");
  b.Add(q);
  q = QsoOf({"", 'b', At(10, 5), "CW", "59942", "", 3, "", "OE", "OE", "EU"});
  q.Call = text("OE1\0XYZ"s);
  contest::TContestFkt::SetRcvdExchange(text("599\n5\r"), q);
  b.Add(q);
  return b;
}

struct KindRow {
  const char* name;
  int kind;
  std::function<void(OutputRun&)> drivers;
};
void PrintTo(const KindRow& row, std::ostream* os) { *os << row.name; }

class ControlBytesTest : public OutputLogTest, public ::testing::WithParamInterface<KindRow> {
 protected:
  // The EDI file's participant form closed as it was filled.
  ControlBytesTest() { channel_.SetParticipantAsker([](output::TuhfteilnehmerParams&) {}); }
  std::string Written(bool blanks) {
    presenter_->answers = {true, true};  // the save dialog's notice, ADIF's question
    return WriteFile(LogWithControlBytes(blanks), GetParam().kind, GetParam().drivers);
  }
};

TEST_P(ControlBytesTest, NoFieldBreaksItsLine) {
  const std::string written = Written(false);
  ASSERT_FALSE(written.empty());
  for (std::size_t i = 0; i < written.size(); ++i) {
    const char c = written[i];
    const bool line_end = (c == '\r' && i + 1 < written.size() && written[i + 1] == '\n') ||
                          (c == '\n' && i > 0 && written[i - 1] == '\r');
    EXPECT_TRUE(!IsLineBreaking(c) || line_end)
        << "byte " << static_cast<int>(c) << " at " << i << " in\n" << written;
  }
  // As many lines as the file of the log with blanks in their place.
  const auto lines = [](const std::string& bytes) { return FileLines(bytes).size(); };
  EXPECT_EQ(lines(written), lines(Written(true)));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ControlBytesTest,
    ::testing::Values(KindRow{"SheetFile", 6, Sheet}, KindRow{"ListFile", 7, ExportOnePass},
                      KindRow{"Stf", 8, ExportOnePass}, KindRow{"Adif", 9, ExportOnePass},
                      KindRow{"Cabrillo", 10, ExportOnePass}, KindRow{"BandList", 11, BandList},
                      KindRow{"CompleteFile", 12, SheetAndBandList},
                      KindRow{"Csv", 13, ExportOnePass}, KindRow{"CheckList", 14, CheckList},
                      KindRow{"Edi", 15, ExportOnePass}),
    [](const ::testing::TestParamInfo<KindRow>& info) { return info.param.name; });

}  // namespace
}  // namespace output_test
