// Set-up of the settings tests as the program starts, on the real engine in a fresh data folder:
// the prefix database of the prefix tests (fake clock on kToday, fixture tables written by the
// test), and the services the settings load and save fill, with ToDatSetup.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

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
std::uint32_t Get32(const Record& r, int at) {
  return common::ReadLe<std::uint32_t>(&r[at]);
}
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
  const std::size_t length = std::min<std::size_t>(r[at], capacity);
  return std::string(reinterpret_cast<const char*>(&r[at + 1]), length);
}

class SettingsTest : public PrefixDbTest {
 protected:
  SettingsTest() {
    common::Service<ToSetups>::Create();
    common::Service<ToModi>::Create();
    common::Service<common::GridColours>::Create();
    common::Service<common::TScreenSS>::Create();
    common::Service<common::ToWinskal>::Create();
    common::Service<ToDatSetup>::Create();
    common::SetLanguageByte(common::kLanguageGerman);
  }
  ~SettingsTest() override {
    Setups().CloseFiles(ToDatSetup::kBitMain | ToDatSetup::kBitMore);
    common::Service<ToDatSetup>::Destroy();
    common::Service<common::ToWinskal>::Destroy();
    common::Service<common::TScreenSS>::Destroy();
    common::Service<common::GridColours>::Destroy();
    common::Service<ToModi>::Destroy();
    common::Service<ToSetups>::Destroy();
    common::SetLanguageByte(common::kLanguageGerman);
  }

  static ToDatSetup& Setups() { return common::Service<ToDatSetup>::Get(); }
  static ToSetups& Settings() { return common::Service<ToSetups>::Get(); }

  // The settings services back at the state of a program start.
  static void ResetSettings() {
    common::Service<ToSetups>::Destroy();
    common::Service<ToSetups>::Create();
    common::Service<ToModi>::Destroy();
    common::Service<ToModi>::Create();
    common::Service<ToPrefix>::Destroy();
    common::Service<ToPrefix>::Create();
    common::Service<common::ToDates>::Destroy();
    common::Service<common::ToDates>::Create();
    common::Service<common::GridColours>::Destroy();
    common::Service<common::GridColours>::Create();
    common::Service<common::TScreenSS>::Destroy();
    common::Service<common::TScreenSS>::Create();
    common::Service<common::ToWinskal>::Destroy();
    common::Service<common::ToWinskal>::Create();
  }

  // The first record of a setup table, read through a fresh cursor.
  static PxSetupRecord StoredMain() {
    auto r = std::make_unique<PxSetupRecord>();
    TdbSetup c(kSetupMain);
    EXPECT_TRUE(c.First(kSetupAutoreKey));
    c.GetRecord0(*r);
    return *r;
  }
  static std::unique_ptr<PxSetup2Record> StoredMore() {
    auto r = std::make_unique<PxSetup2Record>();
    TdbSetup c(kSetupMore);
    EXPECT_TRUE(c.First(kSetupAutoreKey));
    c.GetRecord1(*r);
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
