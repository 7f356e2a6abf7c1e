// The contest tables with the catalogue service over them, as the main window and the log window
// use them: the table services of ContestTest, the band table, the date routines, the catalogue
// service with a recording port, and helpers that put logs into the catalogue.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/bands.h"
#include "tests/contest/contest_fixture.h"

namespace contest_test {

// Records every call of the port as one line of text and answers what the test set.
class RecordingPort final : public contest::ContestPort {
 public:
  std::vector<std::string> calls;
  std::int32_t entry_result = 0;               // RunEntryForm's answer
  std::optional<contest::WindowRect> rect_in;  // the place ShowText was given
  contest::WindowRect rect_out;                // the place the text window ends with
  platform::qt::TForm* owner = nullptr;        // RunContestLog's owner

  void RunContestLog(platform::qt::TForm* form, std::int32_t log_number,
                     const contest::TContestRec& definition, contest::TdbContest&,
                     contest::TdbContest&) override {
    owner = form;
    calls.push_back("RunContestLog " + std::to_string(log_number) + " " + definition.Title.str());
  }
  std::int32_t RunEntryForm(int change, int mode, char code, contest::TdbContest&,
                            contest::TdbContest&) override {
    calls.push_back("RunEntryForm " + std::to_string(change) + " " + std::to_string(mode) + " " +
                    std::string(1, code));
    return entry_result;
  }
  bool ShowText(const std::string& caption, contest::WindowRect* rect, const std::string& file_name,
                std::string& short_text) override {
    calls.push_back("ShowText " + caption + " " + file_name + " [" + short_text + "]");
    if (rect != nullptr) {
      rect_in = *rect;
      *rect = rect_out;
    }
    return true;
  }
  void ShowMorePrograms() override { calls.push_back("ShowMorePrograms"); }
  void OpenLink(const std::string& link) override { calls.push_back("OpenLink " + link); }
  void Beep() override { calls.push_back("Beep"); }
};

class ServiceTest : public ContestTest {
 protected:
  explicit ServiceTest(bool fake_environment = true) : ContestTest(fake_environment) {
    auto port = std::make_unique<RecordingPort>();
    port_ = port.get();
    Fkt().SetPort(std::move(port));
  }

  static contest::TContestFkt& Fkt() { return common::Service<contest::TContestFkt>::Get(); }

  // Adds a log to the catalogue; answers its record reference.
  static std::int32_t AddLog(const std::string& name, char code, contest::TContestKKRec log = {}) {
    TdbContest catalogue(contest::kTableKK, 0);
    log.Name = name;
    log.Typ = code;
    catalogue.ClearRec();
    catalogue.SetKKRec(log);
    EXPECT_TRUE(catalogue.InsertRec()) << name;
    return catalogue.CurrentRef();
  }

  // The catalogue record of log number `nummer`; Nummer 0 when there is none.
  static contest::TContestKKRec CatalogueRecord(std::int32_t nummer) {
    TdbContest catalogue(contest::kTableKK, 0);
    contest::TContestKKRec log{};
    if (catalogue.FindByNummer(nummer)) catalogue.GetKKRec(log);
    return log;
  }

  common::ScopedService<logbook::ToBaender> bands_;
  common::ScopedService<common::ToDates> dates_;
  common::ScopedService<contest::TContestFkt> fkt_;
  RecordingPort* port_;  // owned by the catalogue service
};

}  // namespace contest_test
