// Set-up of the settings tests as the program starts, on the real engine in a fresh data folder:
// the prefix database of the prefix tests (fake clock on kToday, fixture tables written by the
// test), and the services the settings load and save fill, with ToDatSetup.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>

#include "common/grid_colours.h"
#include "common/lang_text.h"
#include "common/le_int.h"
#include "common/screen_services.h"
#include "logbook/reference/modes.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/settings_codec.h"
#include "logbook/setupfiles/setup_cursor.h"
#include "tests/logbook/reference/prefix_fixture.h"

namespace logbook::testing {

// Both setup records, on the heap (as large as a settings record is) and zero unless filled.
struct SetupRecords {
  std::unique_ptr<PxSetupRecord> main = std::make_unique<PxSetupRecord>();
  std::unique_ptr<PxSetup2Record> more = std::make_unique<PxSetup2Record>();

  explicit SetupRecords(std::uint8_t fill = 0) {
    main->fill(fill);
    more->fill(fill);
  }
  void Load() const { SettingsFromSetup(*main, *more); }
  void Save(bool keep_variant_byte = false) { SettingsToSetup(*main, *more, keep_variant_byte); }
};

template <typename Record>
void Put32(Record& r, int at, std::uint32_t value) {
  common::WriteLe(&r[at], value);
}
template <typename Record>
void PutText(Record& r, int at, std::string_view text) {
  r[at] = static_cast<std::uint8_t>(text.size());
  std::copy(text.begin(), text.end(), r.begin() + at + 1);
}
// The stored text at `at` as its length byte says, at most `capacity` characters.
template <typename Record>
std::string TextAt(const Record& r, int at, std::size_t capacity) {
  return std::string(reinterpret_cast<const char*>(&r[at + 1]),
                     std::min<std::size_t>(r[at], capacity));
}

// The settings services, made anew: the state of a program start.
template <typename... Services>
void Renew() {
  ((common::Service<Services>::Destroy(), common::Service<Services>::Create()), ...);
}
inline void ResetSettings() {
  Renew<ToSetups, ToModi, ToPrefix, common::ToDates, common::GridColours, common::TScreenSS,
        common::ToWinskal>();
  common::SetLanguageByte(common::kLanguageGerman);
}

// Every field of two settings images alike.
inline void ExpectSameSettings(const SettingsImage& a, const SettingsImage& b) {
  EXPECT_EQ(a.layout, b.layout);
  EXPECT_EQ(a.extern_, b.extern_);
  EXPECT_EQ(a.weitere, b.weitere);
  EXPECT_EQ(a.zusatzfelder, b.zusatzfelder);
  EXPECT_EQ(a.qsl, b.qsl);
  EXPECT_EQ(a.own_station, b.own_station);
  EXPECT_EQ(a.flags, b.flags);
  EXPECT_EQ(std::tie(a.colour1, a.colour2, a.own_call, a.own_country),
            std::tie(b.colour1, b.colour2, b.own_call, b.own_country));
  for (int i = 0; i < ToPrefix::kSuffixCount; ++i) {
    EXPECT_EQ(0, std::memcmp(&a.suffixes[i], &b.suffixes[i], sizeof(TSuffixEntry))) << i + 1;
  }
  EXPECT_EQ(std::tie(a.utc_hour_offset, a.use_system_offset, a.kept_number),
            std::tie(b.utc_hour_offset, b.use_system_offset, b.kept_number));
  EXPECT_EQ(std::tie(a.grid.GridHeaderColor, a.grid.GridHighlightColor, a.grid.GridColor,
                     a.grid.GridAltRowColor, a.grid.GridFontColor),
            std::tie(b.grid.GridHeaderColor, b.grid.GridHighlightColor, b.grid.GridColor,
                     b.grid.GridAltRowColor, b.grid.GridFontColor));
  EXPECT_EQ(std::tie(a.screen_switch, a.form_scaling, a.language),
            std::tie(b.screen_switch, b.form_scaling, b.language));
  EXPECT_EQ(std::tie(a.mode_groups, a.alias_lists, a.mode_list),
            std::tie(b.mode_groups, b.alias_lists, b.mode_list));
}

class SettingsTest : public PrefixDbTest {
 protected:
  SettingsTest() {
    ResetSettings();
    common::Service<ToDatSetup>::Create();
  }
  ~SettingsTest() override {
    Setups().CloseFiles(ToDatSetup::kBitMain | ToDatSetup::kBitMore);
    common::Service<ToDatSetup>::Destroy();
    common::SetLanguageByte(common::kLanguageGerman);
    common::Service<ToSetups>::Destroy();
    common::Service<ToModi>::Destroy();
    common::Service<common::GridColours>::Destroy();
    common::Service<common::TScreenSS>::Destroy();
    common::Service<common::ToWinskal>::Destroy();
  }

  static ToDatSetup& Setups() { return common::Service<ToDatSetup>::Get(); }
  static ToSetups& Settings() { return common::Service<ToSetups>::Get(); }

  // The first record of PXSETUP, read through a fresh cursor.
  static PxSetupRecord StoredMain() {
    PxSetupRecord r{};
    TdbSetup c(kSetupMain);
    EXPECT_TRUE(c.First(kSetupAutoreKey));
    c.GetRecord0(r);
    return r;
  }

  // The checker's report on a setup table of the data folder (closed first); empty when sound.
  std::string CheckSetup(int kind) {
    Setups().CloseFiles(ToDatSetup::BitOf(kind), false, true);
    storage::CheckOptions o;
    o.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
      std::string text;
      ToDatSetup::Keys(record, static_cast<std::uint16_t>(key), text);
      return text;
    };
    return storage::IsamCheck(folder_ / ToDatSetup::FileName(kind), o).Text();
  }
};

}  // namespace logbook::testing
