// ContestPort: what the contest catalogue service and the contest rules need of the windows above
// them. The contest layer never shows a window itself; it asks through this port.
//
// The contest log window, the contest entry form, the text window and the further-programs
// window belong to the layers above, as do the shell's links and the window system's bell. They
// install the real port into the catalogue service (TContestFkt::SetPort); tests install a
// recording one. The port's own operations do nothing and answer 0 (or false), so that without a
// real port nothing is shown and nothing is run.
//
// Questions, notices and warnings do not go through this port but through ToMessages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace platform::qt {
class TForm;
}  // namespace platform::qt

namespace contest {

class TdbContest;
struct TContestRec;

// A window's place on the screen, its edges inclusive (right = left + width - 1). All four 0
// means no place: the window takes its default.
struct WindowRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool Empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

class ContestPort {
 public:
  virtual ~ContestPort() = default;

  // Creates the contest log window of log `log_number` with its own copy of `definition`, shows
  // it modally and frees it. `owner` is the calling form (the window places itself like it);
  // the catalogue and contest-data objects are the caller's and stay valid for the call.
  virtual void RunContestLog(platform::qt::TForm* /*owner*/, std::int32_t /*log_number*/,
                             const TContestRec& /*definition*/, TdbContest& /*catalogue*/,
                             TdbContest& /*contest_data*/) {}

  // Shows the contest entry form of the catalogue object's current record modally: `change` 0
  // for a new log, 1 for an existing one; `mode` 1 for review; `code` the contest code whose
  // definition the form loads. Answers the record number of the catalogue record when the form
  // was closed with "Contest starten", else 0.
  virtual std::int32_t RunEntryForm(int /*change*/, int /*mode*/, char /*code*/,
                                    TdbContest& /*catalogue*/, TdbContest& /*contest_data*/) {
    return 0;
  }

  // Shows the text file `file_name` in the text window under `caption`, modally. `rect`, when
  // given, places the window (an empty one: its default place) and receives the place the
  // window had when it closed. `short_text` is shown in the window's one-line field and receives
  // what it held (at most 255 characters). True when the window was closed with OK.
  virtual bool ShowText(const std::string& /*caption*/, WindowRect* /*rect*/,
                        const std::string& /*file_name*/, std::string& /*short_text*/) {
    return false;
  }

  // The further-programs window (the maker's other products), modal, owned by the application.
  virtual void ShowMorePrograms() {}

  // Opens a web page, a document or a mail address through the shell.
  virtual void OpenLink(const std::string& /*link*/) {}

  // The window system's bell.
  virtual void Beep() {}
};

// A port that hands every operation to the port it was installed over. Each window layer
// installs its part of the port as one of these, overriding only its own operations, so that
// the program's wiring installs the parts in turn, in any order.
class ForwardingPort : public ContestPort {
 public:
  // `next` takes the operations not overridden; null: they do nothing.
  explicit ForwardingPort(std::unique_ptr<ContestPort> next)
      : next_(next != nullptr ? std::move(next) : std::make_unique<ContestPort>()) {}

  void RunContestLog(platform::qt::TForm* owner, std::int32_t log_number,
                     const TContestRec& definition, TdbContest& catalogue,
                     TdbContest& contest_data) override {
    next_->RunContestLog(owner, log_number, definition, catalogue, contest_data);
  }
  std::int32_t RunEntryForm(int change, int mode, char code, TdbContest& catalogue,
                            TdbContest& contest_data) override {
    return next_->RunEntryForm(change, mode, code, catalogue, contest_data);
  }
  bool ShowText(const std::string& caption, WindowRect* rect, const std::string& file_name,
                std::string& short_text) override {
    return next_->ShowText(caption, rect, file_name, short_text);
  }
  void ShowMorePrograms() override { next_->ShowMorePrograms(); }
  void OpenLink(const std::string& link) override { next_->OpenLink(link); }
  void Beep() override { next_->Beep(); }

 private:
  std::unique_ptr<ContestPort> next_;
};

}  // namespace contest
