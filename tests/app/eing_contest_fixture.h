// The contest setup form's controller over the contest tables of a fresh data folder, as the
// main window hands them over: its catalogue and contest-data objects and its live definition,
// loaded as the form's run loads it. Messages are scripted; the settings hold the test station
// (tests/contestlog/log_fixture.h) without its address, which FillValid types in.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "app/eing_contest_ctrl.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "tests/contestlog/log_fixture.h"

namespace app_test {

using app::EingContestView;
using app::EingFocus;
using app::SaveSender;
using app::TEingContestCtrl;
using contest::TContestKKRec;
using contest::TContestKZRec;

class EingContestTest : public contestlog_test::LogTest {
 protected:
  void SetUp() override {
    LogTest::SetUp();
    catalogue_.emplace(contest::kTableKK, 0);
    contest_data_.emplace(contest::kTableKZ, 0);
  }
  void TearDown() override {
    ctrl_.reset();
    contest_data_.reset();
    catalogue_.reset();
  }

  // The form of a new log of `code`, made.
  TEingContestCtrl& OpenNew(char code) { return Open(code, 0, 0); }

  // The form of log `log` (a Nummer), made; `review` after the log window closed.
  TEingContestCtrl& OpenLog(std::int32_t log, char code, bool review = false) {
    EXPECT_TRUE(catalogue_->FindByNummer(log)) << log;
    return Open(code, 1, review ? 1 : 0);
  }

  // A log of `code` and class `class_index` in the catalogue (LogBuilder's German station, its
  // name "Log <code>"); answers its Nummer.
  static std::int32_t AddLog(char code, int class_index, TContestKKRec changes = {}) {
    contestlog_test::LogBuilder builder(code, class_index);
    if (changes.OperatorNumber != 0) builder.Catalogue().OperatorNumber = changes.OperatorNumber;
    if (!changes.MemberText.empty()) builder.Catalogue().MemberText = changes.MemberText.str();
    if (!changes.OwnDOK.empty()) builder.Catalogue().OwnDOK = changes.OwnDOK.str();
    builder.Catalogue().MultiplierFlag = changes.MultiplierFlag;
    return builder.Create();
  }

  // Everything a save with a button asks for, typed in.
  static void FillValid(EingContestView& v) {
    v.eName.text = "Testlog";
    v.eCall_.text = contestlog_test::kOwnCall;
    v.eDOK.text = "B36";
    v.eLoc.text = contestlog_test::kOwnLocator;
    v.ecname.text = "Karl Muster";
    v.eStrasse.text = "Hauptstr. 1";
    v.ePLZ.text = "12345";
    v.eOrt.text = "Berlin";
    v.eLand.text = "Deutschland";
    v.eEMail.text = "dl1abc@example.org";
    if (v.eDatumvon.text.empty()) v.eDatumvon.text = "09.03.2024";
    if (v.eDatumbis.text.empty()) v.eDatumbis.text = "09.03.2024";
    v.rZeitUTC.checked = true;
    v.rZeitOrt.checked = false;
    if (v.eteilnahmeart.index < 0) v.eteilnahmeart.index = 0;
  }

  // The catalogue and contest-data records of `log` as stored.
  static TContestKKRec StoredLog(std::int32_t log) { return CatalogueRecord(log); }
  static std::optional<TContestKZRec> StoredData(std::int32_t log) {
    contest::TdbContest data(contest::kTableKZ, 0);
    TContestKZRec record{};
    if (!data.FindByNummer(log)) return std::nullopt;
    data.GetKZRec(record);
    return record;
  }
  static int CatalogueCount() {
    contest::TdbContest catalogue(contest::kTableKK, 0);
    int count = 0;
    for (bool found = catalogue.First(3); found; found = catalogue.Next(true, true)) ++count;
    return count;
  }

  // The bytes of the catalogue and contest-data files (data and index).
  std::string TableBytes() const {
    std::string bytes;
    for (const char* name : {"PXKK.DAT", "PXKK.IX", "PXKZ.DAT", "PXKZ.IX"}) {
      std::ifstream in(folder_ / name, std::ios::binary);
      bytes += std::string(std::istreambuf_iterator<char>(in), {});
      bytes += '|';
    }
    return bytes;
  }

  static std::uint8_t Byte(const TContestKKRec& log, int offset) {
    return reinterpret_cast<const std::uint8_t*>(&log)[offset];
  }
  static std::uint8_t Byte(const TContestKZRec& data, int offset) {
    return reinterpret_cast<const std::uint8_t*>(&data)[offset];
  }

  common::ScriptedPresenter& Messages() { return *presenter_.operator->(); }
  // The texts of the messages shown so far.
  std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const common::MessageCall& call : Messages().calls) texts.push_back(call.text);
    return texts;
  }

  std::optional<contest::TdbContest> catalogue_;
  std::optional<contest::TdbContest> contest_data_;
  contest::TContestRec definition_{};
  EingContestView view_;
  std::unique_ptr<TEingContestCtrl> ctrl_;

 private:
  TEingContestCtrl& Open(char code, int edit, int review) {
    // As the form's run: the definition reloaded for the code, written back for a log.
    Fkt().LoadContestDefinition(definition_, *catalogue_, code, edit != 0);
    view_ = {};
    ctrl_ = std::make_unique<TEingContestCtrl>(code, edit, review, *catalogue_, *contest_data_,
                                               definition_);
    ctrl_->FormCreate(view_);
    return *ctrl_;
  }
};

}  // namespace app_test
