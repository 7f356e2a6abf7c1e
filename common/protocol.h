// The protocol file: events of a run, recorded when the user asks for it.
//
// The user asks by putting a file "protokoll.dat" into the current folder. At the first protocol
// line of a run the decision is taken once: when the file exists, its old content is deleted and
// every line of the run is appended to it (" dd.mm hh:mm:ss text"); otherwise the run writes no
// protocol. Nothing happens while the settings object does not exist.
//
// A line that cannot be written is dropped without a message, and nothing else fails because of
// the protocol: a missing, locked or read-only file only loses protocol lines.
#pragma once

#include <cstdint>
#include <string_view>

namespace common {

class Protocol {
 public:
  enum State : std::uint8_t { kUndecided = 0, kOn = 1, kOff = 2 };
  static constexpr std::string_view kFileName = "protokoll.dat";

  Protocol() = delete;

  static void AppendLine(std::string_view text) noexcept;
  static State GetState();

  // The settings object announces its creation (true) and destruction (false) here; the protocol
  // lies below it and cannot look for it.
  static void NoteSettingsObject(bool created);
  // Forgets the decision, as at the start of a run (for tests).
  static void ResetRun();
};

}  // namespace common
