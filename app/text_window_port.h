// The text window of the contest catalogue service (a log's note, a contest's local rules text):
// its port operation ShowText runs TToolsFkt::ShowText with the file, save and print on, e-mail
// off. Every other operation of the port goes to the port it was installed over, so that the
// program's wiring installs each window's part of the port in turn.
#pragma once

#include <memory>
#include <string>

#include "contest/contest_port.h"

namespace app {

class TextWindowPort final : public contest::ContestPort {
 public:
  // `next` takes the operations other than ShowText; null: they do nothing.
  explicit TextWindowPort(std::unique_ptr<contest::ContestPort> next);

  bool ShowText(const std::string& caption, contest::WindowRect* rect, const std::string& file_name,
                std::string& short_text) override;

  void RunContestLog(platform::qt::TForm* owner, std::int32_t log_number,
                     const contest::TContestRec& definition, contest::TdbContest& catalogue,
                     contest::TdbContest& contest_data) override {
    next_->RunContestLog(owner, log_number, definition, catalogue, contest_data);
  }
  std::int32_t RunEntryForm(int change, int mode, char code, contest::TdbContest& catalogue,
                            contest::TdbContest& contest_data) override {
    return next_->RunEntryForm(change, mode, code, catalogue, contest_data);
  }
  void ShowMorePrograms() override { next_->ShowMorePrograms(); }
  void OpenLink(const std::string& link) override { next_->OpenLink(link); }
  void Beep() override { next_->Beep(); }

 private:
  std::unique_ptr<contest::ContestPort> next_;
};

// Installs the text window into the catalogue service (Service<contest::TContestFkt>) over the
// port installed so far.
void InstallTextWindow();

}  // namespace app
