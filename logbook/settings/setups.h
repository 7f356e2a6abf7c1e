// ToSetups: the program-wide settings object (Service<ToSetups>).
//
// It starts with the defaults, is overwritten from the setup records at start-up and written back
// at shutdown by the settings load and save, and at once whenever the program changes them
// (Keep); there is no other configuration. Readers copy a whole record out and work on their
// copy; copy-in replaces the whole record. Texts are copied as owned values, so a caller's copy
// never changes with the settings.
//
// Its creation lets the protocol file work (common/protocol.h); before it exists and after it is
// gone, protocol lines are ignored.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/grafik.h"
#include "common/short_string.h"
#include "logbook/settings/setup_records.h"

namespace logbook {

class ToSetups {
 public:
  ToSetups();  // the defaults
  ~ToSetups();
  ToSetups(const ToSetups&) = delete;
  ToSetups& operator=(const ToSetups&) = delete;

  ToSetupLayout GetLayout() const { return layout_; }
  void SetLayout(const ToSetupLayout& record) { layout_ = record; }
  ToSetupExtern GetExtern() const { return extern_; }
  void SetExtern(const ToSetupExtern& record) { extern_ = record; }
  ToSetupDirs GetDirs() const { return dirs_; }
  void SetDirs(const ToSetupDirs& record) { dirs_ = record; }
  ToSetupWeitere GetWeitere() const { return weitere_; }
  void SetWeitere(const ToSetupWeitere& record) { weitere_ = record; }
  ToSetupZusatzfelder GetZusatzfelder() const { return zusatzfelder_; }
  void SetZusatzfelder(const ToSetupZusatzfelder& record) { zusatzfelder_ = record; }
  ToSetupQSL GetQSL() const { return qsl_; }
  void SetQSL(const ToSetupQSL& record) { qsl_ = record; }
  ToSetupOwnStation GetOwnStation() const { return own_station_; }
  void SetOwnStation(const ToSetupOwnStation& record) { own_station_ = record; }
  ToSetupFlags16 GetFlags16() const { return flags16_; }
  void SetFlags16(const ToSetupFlags16& flags) { flags16_ = flags; }

  // Read access in place, for readers that look at a field or two; valid while the object lives.
  const ToSetupWeitere& WeiterePtr() const { return weitere_; }
  const ToSetupZusatzfelder& ZusatzfelderPtr() const { return zusatzfelder_; }

  // The own call trimmed of blanks; with `file_name_form`, "/", "\" and ":" become "_".
  std::string GetOwnCall(bool file_name_form) const;
  // The own call as it was set (not trimmed), as the setup record stores it.
  std::string GetOwnCallAsSet() const { return own_call_.str(); }
  // Sets the own call, cut to 17 characters.
  void SetOwnCall(std::string_view call) { own_call_ = call; }
  // The DXCC prefix of the own call ("DL" until the settings load resolves it).
  std::string GetOwnCountry() const { return own_country_.str(); }
  void SetOwnCountry(std::string_view country) { own_country_ = country; }

  // The first and second colour, stored in the setup record, and a third that is not stored.
  common::TColor GetColour1() const { return colour1_; }
  void SetColour1(common::TColor colour) { colour1_ = colour; }
  common::TColor GetColour2() const { return colour2_; }
  void SetColour2(common::TColor colour) { colour2_ = colour; }
  common::TColor GetColour3() const { return colour3_; }
  void SetColour3(common::TColor colour) { colour3_ = colour; }

  // The hook for name texts typed into a log: answers the text unchanged.
  std::string AdjustNameText(std::string_view text) const { return std::string(text); }

  // Writes the settings where they are kept between runs, at once. Whoever changes them while
  // the program runs calls it, so that a crash afterwards loses nothing. The program installs
  // the writer once it has read the settings from their tables and takes it away before it
  // closes them; without one (tests, a start that stopped) nothing is written and the answer is
  // true. False when the writer failed; it has told the user.
  bool Keep() const { return !keeper_ || keeper_(); }
  void SetKeeper(std::function<bool()> keeper) { keeper_ = std::move(keeper); }

 private:
  ToSetupLayout layout_;
  ToSetupExtern extern_;
  ToSetupDirs dirs_;
  ToSetupWeitere weitere_;
  ToSetupZusatzfelder zusatzfelder_;
  ToSetupQSL qsl_;
  ToSetupOwnStation own_station_;
  ToSetupFlags16 flags16_ = {};
  common::TColor colour1_ = 0;
  common::TColor colour2_ = 0;
  common::ShortString<17> own_call_;  // stored in the setup record with capacity 14
  common::ShortString<255> own_country_;
  common::TColor colour3_ = 0;
  std::function<bool()> keeper_;
};

// The layout query of the window styling: true while the layout variant switch of the settings is
// non-zero (the new look).
class ToLayout {
 public:
  ToLayout() = delete;
  static bool GetLayoutOption();
};

}  // namespace logbook
