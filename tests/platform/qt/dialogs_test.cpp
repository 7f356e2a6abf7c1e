// The platform dialogs: the message box port (scripted, and the layer's own box answered
// through the modal driver) and the file chooser driven as a person would use it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/current_folder.h"
#include "platform/fake_environment.h"
#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/file_chooser.h"
#include "platform/qt/keys.h"
#include "platform/qt/message_box.h"
#include "platform/qt/scripted_message_box.h"
#include "platform/qt/testkit/file_dialog_driver.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/common/temp_folder.h"

namespace platform::qt {
namespace {

// Installs a port for one test and puts the layer's own box back afterwards.
class PortScope {
 public:
  explicit PortScope(std::unique_ptr<MessageBoxPort> port) {
    Application().SetMessageBoxPort(std::move(port));
  }
  ~PortScope() { Application().SetMessageBoxPort(nullptr); }
};

TEST(MessageBoxTest, AScriptedBoxAnswersAndRecordsItsTexts) {
  auto owned = std::make_unique<ScriptedMessageBox>();
  ScriptedMessageBox& box = *owned;
  PortScope scope(std::move(owned));
  box.answers = {IDNO};
  EXPECT_EQ(Application().MessageBox("Weiter?", "Frage", MB_YESNO | MB_ICONQUESTION), IDNO);
  // With the script used up: the default button.
  EXPECT_EQ(Application().MessageBox("Sicher?", "", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(Application().MessageBox("Sorry your browser could not be found", "", MB_OK), IDOK);
  ASSERT_EQ(box.calls.size(), 3u);
  EXPECT_EQ(box.calls[0], (MessageBoxCall{"Weiter?", "Frage", MB_YESNO | MB_ICONQUESTION}));
  EXPECT_EQ(box.calls[2].text, "Sorry your browser could not be found");
}

TEST(MessageBoxTest, ButtonSetsDefaultsAndIcons) {
  struct Row {
    const char* name;
    unsigned flags;
    std::vector<int> buttons;
    int default_answer;
    std::string icon;
  };
  const Row rows[] = {
      {"Ok", MB_OK, {IDOK}, IDOK, ""},
      {"YesNoSecond",
       MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION,
       {IDYES, IDNO},
       IDNO,
       "IDI_QUESTION"},
      {"AbortRetryIgnoreThird",
       MB_ABORTRETRYIGNORE | MB_DEFBUTTON3 | MB_ICONERROR,
       {IDABORT, IDRETRY, IDIGNORE},
       IDIGNORE,
       "IDI_ERROR"},
      {"ThirdOfTwoIsTheFirst", MB_RETRYCANCEL | MB_DEFBUTTON3, {IDRETRY, IDCANCEL}, IDRETRY, ""},
      {"UnknownSetIsOk", 0xE | MB_ICONWARNING, {IDOK}, IDOK, "IDI_WARNING"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(MessageBoxButtons(r.flags), r.buttons) << r.name;
    EXPECT_EQ(MessageBoxDefault(r.flags), r.default_answer) << r.name;
    EXPECT_EQ(MessageBoxIcon(r.flags), r.icon) << r.name;
  }
}

TEST(MessageBoxTest, TheLayersBoxShowsTextIconAndButtonsAndAnswersByKey) {
  testkit::ModalDriver driver;
  std::vector<std::string> captions;
  driver.Then([&](TForm& form) {
    for (TComponent* c : form.Components()) {
      if (auto* b = dynamic_cast<TButton*>(c)) captions.push_back(b->Caption());
    }
    testkit::SaveScreenshot(form, "message_box");
    testkit::PressKey(*form.ActiveControl(), VK_RETURN);  // the default button, the second
  });
  driver.Then([](TForm& form) { testkit::PressKey(*form.ActiveControl(), 'J', ssAlt); });
  driver.Then([](TForm& form) {  // an OK box: Esc is OK
    testkit::PressKey(*form.ActiveControl(), VK_ESCAPE);
  });
  driver.ThenReturn(mrCancel);  // a box without Cancel, closed anyway
  Application().Title = "PEL Domivox";
  const std::string text =
      "Die Datei \"PXKK.DAT\" konnte nicht geöffnet werden.\rSoll der Vorgang wiederholt "
      "werden? Ein längerer Text bricht an der Breite des Fensters um.";
  EXPECT_EQ(Application().MessageBox(text, "", MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING), IDNO);
  EXPECT_EQ(Application().MessageBox("Weiter?", "Frage", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(Application().MessageBox("Hinweis", "Info", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(Application().MessageBox("Fehler", "", MB_ABORTRETRYIGNORE), IDCANCEL);
  EXPECT_EQ(captions, (std::vector<std::string>{"&Ja", "&Nein"}));
  EXPECT_EQ(driver.Seen(),
            (std::vector<std::string>{"MessageBox", "MessageBox", "MessageBox", "MessageBox"}));
  EXPECT_EQ(driver.Unanswered(), 0);
}

// A key on its way as the box shows, or one of a run of typing, does nothing; a key pressed on
// purpose answers at once. Times in ms from the show; a key of a run follows the one before it.
TEST(MessageBoxTest, KeysTypedAheadLeaveTheBoxOpenAndAKeyPressedOnPurposeAnswers) {
  struct Key {
    std::uint64_t at;
    std::uint16_t vk;
    TShiftState shift = 0;
  };
  struct Row {
    const char* name;
    unsigned flags;
    std::vector<Key> keys;
    int answer;  // 0: left open
  };
  const Row rows[] = {
      {"JAsItShows", MB_YESNO, {{0, 'J'}}, 0},
      {"N100MsAfter", MB_YESNO, {{100, 'N'}}, 0},
      {"J300MsAfter", MB_YESNO, {{300, 'J'}}, IDYES},
      {"N300MsAfter", MB_YESNO, {{300, 'N'}}, IDNO},
      {"Enter300MsAfter", MB_YESNO, {{300, VK_RETURN}}, IDYES},
      {"Esc300MsAfter", MB_OKCANCEL, {{300, VK_ESCAPE}}, IDCANCEL},
      {"ShiftThenJ", MB_YESNO, {{300, VK_SHIFT}, {400, 'J'}}, IDYES},
      {"AltJ300MsAfter", MB_YESNO, {{300, 'J', ssAlt}}, IDYES},
      {"ARunOfTypingLongAfter", MB_YESNO, {{2000, 'X'}, {2100, 'N'}, {2200, VK_RETURN}}, 0},
      // Each key held back holds back only the next 220 ms.
      {"KeysEvery100MsThenOne300MsAfterTheLast", MB_YESNO,
       {{0, 'J'}, {100, 'N'}, {200, VK_RETURN}, {300, 'J'}, {400, VK_RETURN}, {700, 'N'}},
       IDNO},
  };
  FakeClock clock;
  clock.monotonic_ms = 10'000;
  const ScopedEnvironment environment(&clock, nullptr, nullptr);
  testkit::ModalDriver driver;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::uint64_t shown = clock.monotonic_ms;
    bool left_open = false;
    driver.ThenTypedAhead([&](TForm& form) {
      for (const Key& key : row.keys) {
        clock.monotonic_ms = shown + key.at;
        testkit::PressKey(*form.ActiveControl(), key.vk, key.shift);
      }
      left_open = form.ModalResult() == mrNone;
      if (left_open) form.SetModalResult(mrAbort);
    });
    const int answer = Application().MessageBox("Speichern?", "", row.flags | MB_ICONQUESTION);
    EXPECT_EQ(left_open ? 0 : answer, row.answer);
    clock.monotonic_ms += 10'000;
  }
  // The mouse is no key: it answers at once.
  driver.ThenTypedAhead([](TForm& form) {
    auto* cancel = dynamic_cast<TButton*>(form.Components().back());
    ASSERT_NE(cancel, nullptr);
    testkit::Click(*cancel, 5, 5);
  });
  EXPECT_EQ(Application().MessageBox("Weiter?", "", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(driver.Unanswered(), 0);
}

class FileChooserTest : public ::testing::Test {
 protected:
  common::testing::TempFolder folder;
  testkit::FileDialogDriver driver;
  FileDialogChooser chooser;
  common::FileChooserRequest request{.save = true,
                                     .initial_folder = folder.path(),
                                     .file_name = "",
                                     .filter = "Cabrillo-Datei (*.cbr)|*.CBR|Alle Dateien|*.*",
                                     .default_ext = "CBR",
                                     .flags = common::FileChooserRequest::kOverwritePrompt};
};

TEST_F(FileChooserTest, ReturnsTheTypedNameWithTheDefaultExtensionOrNothingWhenCancelled) {
  driver.Type("DL1ABC");
  driver.Type("Prüfung.log");  // has an extension: kept
  driver.Cancel();
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/DL1ABC.CBR");
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/Prüfung.log");
  EXPECT_EQ(chooser.Choose(request), std::nullopt);
  ASSERT_EQ(driver.Seen().size(), 3u);
  EXPECT_EQ(driver.Seen()[0].title, "Speichern unter");
  EXPECT_EQ(driver.Seen()[0].folder, folder.path());
  EXPECT_TRUE(driver.Seen()[0].save);
  EXPECT_EQ(driver.Seen()[0].filters,
            (std::vector<std::string>{"Cabrillo-Datei (*.cbr) (*.CBR)", "Alle Dateien (*.*)"}));
  EXPECT_EQ(driver.Unanswered(), 0);
}

TEST_F(FileChooserTest, AsksBeforeReplacingAFileOnlyWithTheFlag) {
  std::ofstream(common::OsPath(folder.path() + "/LOG.CBR")) << "x";
  auto owned = std::make_unique<ScriptedMessageBox>();
  ScriptedMessageBox& box = *owned;
  PortScope scope(std::move(owned));
  box.answers = {IDNO, IDYES};
  driver.Type("LOG");  // exists: "Nein" returns to the dialog
  driver.Type("LOG");  // "Ja"
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/LOG.CBR");
  ASSERT_EQ(box.calls.size(), 2u);
  EXPECT_EQ(box.calls[0].text, OverwriteQuestion(folder.path() + "/LOG.CBR"));
  EXPECT_EQ(box.calls[0].flags, MB_YESNO | MB_ICONWARNING);
  request.flags = 0;
  driver.Type("LOG");
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/LOG.CBR");
  EXPECT_EQ(box.calls.size(), 2u);  // no question without the flag
  request.save = false;
  request.flags = common::FileChooserRequest::kOverwritePrompt;
  driver.Type("LOG.CBR");
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/LOG.CBR");
  EXPECT_EQ(box.calls.size(), 2u);  // opening replaces nothing
}

TEST(DialogFiltersTest, PairsBecomeDescriptionsWithTheirPatterns) {
  EXPECT_EQ(DialogFilters("ADIF-Datei|*.ADI;*.ADIF|Alle|*.*"),
            (std::vector<std::string>{"ADIF-Datei (*.ADI *.ADIF)", "Alle (*.*)"}));
  EXPECT_EQ(DialogFilters("Nur Text"), std::vector<std::string>{"Nur Text (*)"});
  EXPECT_TRUE(DialogFilters("").empty());
}

}  // namespace
}  // namespace platform::qt
