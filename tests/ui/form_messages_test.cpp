// The index rebuild's progress reaches the open forms through the window layer.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/service.h"
#include "platform/qt/application.h"
#include "storage/driver/driver.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"
#include "tests/common/temp_folder.h"
#include "ui/form_messages.h"

namespace ui {
namespace {

using platform::qt::TForm;
using platform::qt::TMessage;

// A form that keeps the rebuild messages it receives.
struct ProgressForm : TForm {
  ProgressForm() : TForm(nullptr) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == storage::kIndexRebuildMessage) received.push_back(m);
    TForm::WndProc(m);
  }
  std::vector<TMessage> received;
};

// A file of 40-byte records, one key: the call at offset 4.
storage::DriverOpenParams CallFile() {
  storage::DriverOpenParams p;
  p.name = p.path = "UICALLS";
  p.record_length = p.buffer_length = 40;
  p.key_count = 1;
  p.key_builder = [](const std::uint8_t* record, std::uint16_t, std::string& text) {
    text.assign(reinterpret_cast<const char*>(record) + 4, 6);
  };
  return p;
}

TEST(FormMessagesTest, ARealIndexRebuildSendsItsProgressToAnOpenForm) {
  common::testing::TempFolder folder;
  common::ScopedService<storage::DriverSystem> system;
  ASSERT_TRUE(storage::StartDriverSystem(2, 160, 32));
  system->SetStartFolder(folder.path() + "/");
  // Agrees to create the missing file (6) and to rebuild an unusable index (5).
  system->SetDefaultRetryProc(
      [](std::string_view, int reason) { return reason == 5 || reason == 6; });
  {
    storage::IFDriver d;
    ASSERT_TRUE(d.Open(CallFile()) && d.DefineKey(1, 6, false))
        << system->Stack().GetEntry(1).error_number;
    for (const char* call : {"DL1AAA", "DL2BBB", "DL3CCC"}) {
      d.ClearRecord();
      std::memcpy(d.RecordBuffer() + 4, call, 6);
      ASSERT_TRUE(d.AddRecord()) << system->Stack().GetEntry(1).error_number;
    }
  }
  std::filesystem::remove(folder / "UICALLS.IX");

  ProgressForm form;
  form.Show();
  FormMessages messages;
  storage::ToDBFkt fkt;
  fkt.SetFormMessageSink(&messages);
  storage::IFDriver d;
  ASSERT_TRUE(d.Open(CallFile()) && d.DefineKey(1, 6, false));
  d.SetRebuildProc(&fkt.RebuildBroadcast());
  EXPECT_TRUE(d.FindRecord(1, "DL2BBB"));
  // Start with the file's name, a count after every record read (the reorganisation and the
  // index each read all three), end.
  ASSERT_GE(form.received.size(), 5u);
  EXPECT_EQ(form.received.front().WParam, 1u);
  EXPECT_EQ(form.received.front().Text, " Indexaufbau Datei: UICALLS ");
  std::vector<std::int32_t> counts;
  for (std::size_t i = 1; i + 1 < form.received.size(); ++i) {
    EXPECT_EQ(form.received[i].WParam, 2u);
    counts.push_back(form.received[i].LParam);
  }
  EXPECT_EQ(counts.back(), 3);
  EXPECT_EQ(form.received.back().WParam, 3u);
  d.Destroy();
  storage::StopDriverSystem();
}

}  // namespace
}  // namespace ui
