// Contest logs for the log window's tests, written through the contest tables as the program
// keeps them: the catalogue record (PXKK, its Nummer given by the table), the contest-data
// record (PXKZ) and the QSOs (PXLK + number), QSY markers and QSOs kept without points among
// them.
//
//   LogBuilder b('.', 5);                  // contest '.', class 5, the German test station
//   b.Catalogue().ZeitAuto = 255;          // before Create
//   const std::int32_t log = b.Create();
//   b.Add(Qso("DL2XYZ", 'c', kDay, 3600)); // QSOs after it
//   b.AddQsy('d', kDay, 3700);
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "tests/contest/contest_fixture.h"
#include "tests/contest/definition_fixture.h"

namespace contestlog_test {

using contest_test::Qso;

class LogBuilder {
 public:
  explicit LogBuilder(char code, int class_index = 1)
      : code_(code), log_(contest_test::DefinitionFixture::GermanLog(class_index)) {
    log_.Nummer = 0;
    log_.Name = std::string("Log ") + code;
  }

  // The catalogue record as it will be written; change it before Create.
  contest::TContestKKRec& Catalogue() { return log_; }

  // Loads the definition (which sets the loader's catalogue switch), writes the catalogue and
  // an empty contest-data record; answers the log number.
  std::int32_t Create() {
    contest::TContestRec definition;
    Fkt().LoadContestDefinition(definition, log_, code_);
    log_.Typ = code_;
    contest::TdbContest catalogue(contest::kTableKK, 0);
    contest::TdbContest contest_data(contest::kTableKZ, 0);
    catalogue.ClearRec();
    catalogue.SetKKRec(log_);
    EXPECT_TRUE(catalogue.InsertRec()) << log_.Name.str();
    catalogue.GetKKRec(log_);
    EXPECT_TRUE(Fkt().EnsureContestData(catalogue.CurrentRef(), catalogue, contest_data));
    return log_.Nummer;
  }

  // The definition the main window holds for the log.
  contest::TContestRec Definition() const {
    contest::TContestKKRec log = log_;
    contest::TContestRec definition;
    Fkt().LoadContestDefinition(definition, log, code_);
    return definition;
  }

  // Adds a QSO to the log made by Create; answers its Nummer.
  std::int32_t Add(const contest::TContestLKRec& qso) const {
    contest::TdbContest table(contest::kTableLK, log_.Nummer);
    table.ClearRec();
    table.SetLKRec(qso);
    EXPECT_TRUE(table.InsertRec()) << qso.Call.str();
    contest::TContestLKRec stored{};
    table.GetLKRec(stored);
    return stored.Nummer;
  }
  // A QSO the operator kept without points.
  std::int32_t AddExcluded(contest::TContestLKRec qso) const {
    qso.NoPoints = 255;
    return Add(qso);
  }
  // The marker of a switch to `band` at that moment; `leftovers` gives it the fields an
  // evaluation of its call would leave (as old logs hold them).
  std::int32_t AddQsy(char band, std::int32_t date, std::int32_t time,
                      bool leftovers = false) const {
    contest::TContestLKRec marker = Qso("", band, date, time);
    marker.SkipMark = static_cast<std::uint8_t>(band);
    if (leftovers) {
      marker.DXCC = "DL";
      marker.Continent = "EU";
      marker.Prefix = "DL1";
      marker.DOK1 = "B";
      marker.DOK2 = "36";
      marker.Loc = "JO62QM";
      marker.Call2 = "DL9XX";
      marker.WAZ_USStaat = "14";
    }
    return Add(marker);
  }

  std::int32_t Number() const { return log_.Nummer; }

 private:
  static contest::TContestFkt& Fkt() { return common::Service<contest::TContestFkt>::Get(); }

  char code_;
  contest::TContestKKRec log_;
};

}  // namespace contestlog_test
