// The rule object of a log window with what it reads: a catalogue record, a log, the definitions
// (listed calls from an operator file), the call database and the member lists of the data folder.
#pragma once

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "contest/cont_log_alle.h"
#include "contest/qso_points.h"
#include "logbook/databases/call_database.h"
#include "tests/contest/definition_fixture.h"
#include "tests/contest/service_fixture.h"

namespace contest_test {

// The calls the operator file supplies.
inline constexpr const char* kListedCalls = R"([Program]
SpecialStationCall = "DL9SPEC"
EventCalls = ["DL0EVT", ""]
[L]
ListedCalls = [{ Count = 5, Calls = ["DK0RUR"] }]
[o]
ListedCalls = [{ Count = 9, Calls = ["DL0VF"] }]
[R]
BonusCalls = ["DF0RLP"]
[p]
ListedCalls = [{ Count = 4, Calls = ["DL0DSW"] }]
)";

class RulesTest : public ServiceTest {
 protected:
  static constexpr std::int32_t kLog = 5;

  RulesTest() {
    logbook::ToSetupDirs dirs = common::Service<logbook::ToSetups>::Get().GetDirs();
    dirs.dirs[0] = dirs.dirs[2] = dirs.dirs[6] = folder_.path() + "/";
    common::Service<logbook::ToSetups>::Get().SetDirs(dirs);
    WriteFile("contests.toml", kListedCalls);
  }
  void SetUp() override {
    ServiceTest::SetUp();
    catalogue_.emplace(contest::kTableKK, 0);
    log_.emplace(contest::kTableLK, kLog);
  }

  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  // Puts a log of `code` and class `class_index` of the station "call [DOK]" into the catalogue
  // object and answers its definition.
  contest::TContestRec Load(char code, int class_index = 1, const std::string& own = "DL1ABC B36") {
    contest::TContestKKRec log = DefinitionFixture::GermanLog(class_index);
    std::istringstream in(own);
    std::string call, dok;
    in >> call >> dok;
    log.OwnCall = call;
    log.OwnDOK = dok;
    contest::TContestRec definition;
    Fkt().LoadContestDefinition(definition, log, code);
    log.Typ = code;
    catalogue_->SetKKRec(log);
    return definition;
  }
  // A QSO from "key=value ..." (c call, b band, d distance, x DXCC, e continent, m mode, k DOK,
  // l locator, r received text with '_' for a blank, cm CMulti, w WAE flag, n no points, p
  // prefix, c2 Call2, s the skip mark's band); call DL2XYZ, band 'b', mode SSB and received text
  // "599" unless given.
  static TContestLKRec Q(const std::string& fields) {
    std::map<std::string, std::string> v{{"c", "DL2XYZ"}, {"b", "b"}, {"m", "SSB"}, {"r", "599"}};
    std::istringstream in(fields);
    for (std::string item; in >> item;)
      v[item.substr(0, item.find('='))] = item.substr(item.find('=') + 1);
    TContestLKRec q = Qso(v["c"], v["b"][0], 0, 0, v["m"]);
    q.Distance = static_cast<std::uint32_t>(std::stoul("0" + v["d"]));
    q.DXCC = v["x"];
    q.Continent = v["e"];
    q.DOK1 = v["k"];
    q.Loc = v["l"];
    q.CMulti = v["cm"];
    q.WAEFlag = v["w"].empty() ? 0 : 255;
    q.NoPoints = v["n"].empty() ? 0 : 255;
    q.Prefix = v["p"];
    q.Call2 = v["c2"];
    q.SkipMark = static_cast<std::uint8_t>(v["s"].empty() ? 0 : v["s"][0]);
    std::replace(v["r"].begin(), v["r"].end(), '_', ' ');
    contest::TContestFkt::SetRcvdExchange(v["r"], q);
    return q;
  }
  // Makes the QSO the log object's working copy; stored first (Nummer assigned) when asked.
  void Enter(const TContestLKRec& qso, bool store = false) {
    log_->ClearRec();
    log_->SetLKRec(qso);
    EXPECT_TRUE(!store || log_->InsertRec());
  }
  // The received text of the log object's working copy.
  std::string RcvdText() const {
    TContestLKRec qso;
    log_->GetLKRec(qso);
    return contest::TContestFkt::RcvdExchangeText(qso);
  }
  std::uint32_t Points(char code, const contest::TContestRec& definition) const {
    return contest::QsoPoints(code, definition, *catalogue_, *log_, rules_);
  }

  // A call database record: "call field=value ..." (DOK, LOC, NAME, MF, DIG), put
  // through the record codec as the log window's save does (the locator has no setter).
  static void AddCall(logbook::CallTable table, const std::string& fields) {
    using F = logbook::CallField;
    static const std::map<std::string, F> kFields = {{"DOK", F::kDOK},
                                                     {"LOC", F::kLocator},
                                                     {"NAME", F::kName},
                                                     {"MF", F::kMF},
                                                     {"DIG", F::kDIG}};
    std::istringstream in(fields);
    std::string call;
    in >> call;
    logbook::TdbCall calls(table);
    calls.ClearRecord();
    calls.SetCall(call);
    for (std::string item; in >> item;) {
      logbook::CallFieldPut(
          calls.Record(), logbook::CallFieldTag(table, kFields.at(item.substr(0, item.find('=')))),
          item.substr(item.find('=') + 1));
    }
    ASSERT_TRUE(calls.Insert()) << call;
  }

  std::optional<TdbContest> catalogue_;
  std::optional<TdbContest> log_;
  contest::TContLogAlle rules_;
  common::ScopedService<logbook::ToDatCall> calls_;
};

}  // namespace contest_test
