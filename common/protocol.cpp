#include "common/protocol.h"

#include <cstdio>
#include <string>

#include "common/current_folder.h"
#include "common/date_mask.h"
#include "common/file_ops.h"
#include "common/file_ss.h"
#include "common/local_clock.h"
#include "common/service.h"
#include "common/to_dates.h"

namespace common {
namespace {

struct ProtocolWords {
  Protocol::State state = Protocol::kUndecided;
  int settings_objects = 0;  // a count, so a replaced settings object hands over cleanly
};

ProtocolWords& Words() {
  static ProtocolWords words;
  return words;
}

// " dd.mm hh:mm:ss " of the local time now, with the separators of the date routines.
std::string TimeStamp() {
  const DateTextStyle style =
      Service<ToDates>::Exists() ? Service<ToDates>::Get().Style() : DateTextStyle{};
  return " " + DateToDateString(Today(), "dd.mm", style) + " " +
         TimeToTimeString(CurrentTime(), "hh:mm:ss", style) + " ";
}

void Decide() {
  const std::string name(Protocol::kFileName);
  if (!FileExists(name)) {
    Words().state = Protocol::kOff;
    return;
  }
  Words().state = Protocol::kOn;
  // Each run starts a fresh protocol. A file that cannot be deleted is emptied instead.
  if (!DeleteFile(name)) {
    if (std::FILE* f = std::fopen(OsPath(name).c_str(), "wb")) std::fclose(f);
  }
}

}  // namespace

void Protocol::AppendLine(std::string_view text) noexcept {
  try {
    if (Words().settings_objects <= 0) return;
    if (Words().state == kUndecided) Decide();
    if (Words().state != kOn) return;
    TFileSS file(std::string(kFileName), 1, false, 0, TFileSS::kText);
    if (file.Open()) file.Write(TimeStamp() + std::string(text));
  } catch (...) {
    // A protocol line is never worth a failure of its caller.
  }
}

Protocol::State Protocol::GetState() { return Words().state; }

void Protocol::NoteSettingsObject(bool created) { Words().settings_objects += created ? 1 : -1; }

void Protocol::ResetRun() { Words().state = kUndecided; }

}  // namespace common
