// The platform dialogs: the message box port (scripted, and the layer's own box answered
// through the modal driver) and the file chooser driven as a person would use it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/current_folder.h"
#include "platform/fake_environment.h"
#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/file_chooser.h"
#include "platform/qt/keys.h"
#include "platform/qt/message_box.h"
#include "platform/qt/scripted_message_box.h"
#include "platform/qt/testkit/file_dialog_driver.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/testkit/ticks.h"
#include "platform/qt/testkit/window_frame.h"
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

// Keys in the table: a stroke (down and up), or half of one, or a held key's repeat.
enum class Stroke { kPress, kDown, kUp, kRepeat };
struct Key {
  std::uint64_t at;  // ms from the show
  std::uint16_t vk;
  TShiftState shift = 0;
  Stroke stroke = Stroke::kPress;
};

// `text` typed from `at` on, `gap` ms a key, each character as its key (testkit::KeyOfCharacter).
std::vector<Key> Typed(std::uint64_t at, std::uint64_t gap, std::string_view text) {
  std::vector<Key> keys;
  for (char c : text) {
    TShiftState shift = 0;
    const std::uint16_t vk = testkit::KeyOfCharacter(c, shift);
    keys.push_back({at, vk, shift});
    at += gap;
  }
  return keys;
}

std::vector<Key> operator+(std::vector<Key> keys, const std::vector<Key>& more) {
  keys.insert(keys.end(), more.begin(), more.end());
  return keys;
}

void Stroke(TWinControl& target, const Key& key) {
  switch (key.stroke) {
    case Stroke::kPress:
      testkit::PressKey(target, key.vk, key.shift);
      break;
    case Stroke::kDown:
      testkit::KeyDown(target, key.vk, key.shift);
      break;
    case Stroke::kUp:
      testkit::KeyUp(target, key.vk, key.shift);
      break;
    case Stroke::kRepeat:
      testkit::KeyUp(target, key.vk, key.shift, true);
      testkit::KeyDown(target, key.vk, key.shift, true);
      break;
  }
}

// A key on its way as the box shows, one of a run of typing, a run typed at a box that has stood,
// keys a second after letters typed at it and a held key's repeats do nothing; a key pressed on
// purpose answers: Enter and Esc at once, a letter once no key followed it within the typing gap.
// Each row is looked at a second after its last key, when any letter that waited has had its turn.
TEST(MessageBoxTest, KeysTypedAheadLeaveTheBoxOpenAndAKeyPressedOnPurposeAnswers) {
  struct Row {
    const char* name;
    unsigned flags;
    std::vector<Key> keys;
    int answer;  // 0: left open
  };
  const std::vector<Key> qso = Typed(3000, 100, "DL2XYZ\t81") + std::vector<Key>{{4200, VK_RETURN}};
  const Row rows[] = {
      {"JAsItShows", MB_YESNO, {{0, 'J'}}, 0},
      {"N100MsAfter", MB_YESNO, {{100, 'N'}}, 0},
      {"J300MsAfter", MB_YESNO, {{300, 'J'}}, IDYES},
      {"N300MsAfter", MB_YESNO, {{300, 'N'}}, IDNO},
      {"Enter300MsAfter", MB_YESNO, {{300, VK_RETURN}}, IDYES},
      {"Esc300MsAfter", MB_OKCANCEL, {{300, VK_ESCAPE}}, IDCANCEL},
      {"NAsItShowsThenJASecondLater", MB_YESNO, {{100, 'N'}, {1100, 'J'}}, IDYES},
      {"ShiftThenJ", MB_YESNO, {{300, VK_SHIFT}, {400, 'J'}}, IDYES},
      {"AltJ300MsAfter", MB_YESNO, {{300, 'J', ssAlt}}, IDYES},
      {"ARunOfTypingLongAfter", MB_YESNO, {{2000, 'X'}, {2100, 'N'}, {2200, VK_RETURN}}, 0},
      // Each Enter held back holds back only the next 220 ms.
      {"EntersEvery100MsThenOne300MsAfterTheLast",
       MB_YESNO | MB_DEFBUTTON2,
       {{0, VK_RETURN}, {100, VK_RETURN}, {200, VK_RETURN}, {300, VK_RETURN}, {700, VK_RETURN}},
       IDNO},
      // Letters typed at it hold back the next letter for a second, but the same one again.
      {"KeysEvery100MsAcrossTheShowingThenNEvery350Ms", MB_YESNO,
       Typed(0, 100, "DL1ABCDL2XYZOK1ABCSP9") + Typed(2350, 350, "NN"), IDNO},
      {"KeysEvery100MsThenN350MsAfterTheLast", MB_YESNO,
       Typed(0, 100, "DL1AB") + Typed(750, 0, "N"), 0},
      // The first key of a run waits and is held back with it.
      {"NFollowedWithinTheGap", MB_YESNO, {{3000, 'N'}, {3200, 'X'}}, 0},
      {"N1abcAt12Ms", MB_YESNO, Typed(3000, 12, "N1ABC\t81\r"), 0},
      {"N1abcAt150Ms", MB_YESNO, Typed(3000, 150, "N1ABC\t81\r"), 0},
      {"Ja1abcAt12Ms", MB_YESNO, Typed(3000, 12, "JA1ABC\t81\r"), 0},
      {"Ja1abcAt150Ms", MB_YESNO, Typed(3000, 150, "JA1ABC\t81\r"), 0},
      // Typed slower than the gap, its letters answer nothing after the first: each holds back
      // every key that could answer for a second.
      {"W1awAt300Ms", MB_YESNO, Typed(3000, 300, "W1AW\t81\r"), 0},
      {"Dl1naAt250Ms", MB_YESNO, Typed(3000, 250, "DL1NA"), 0},
      {"Dl1naAt300Ms", MB_YESNO, Typed(3000, 300, "DL1NA"), 0},
      {"Dl1naAt600Ms", MB_YESNO, Typed(3000, 600, "DL1NA"), 0},
      {"Ok1jaAt300Ms", MB_YESNO, Typed(3000, 300, "OK1JA"), 0},
      {"Sp9nTab59EnterAt400Ms", MB_YESNO, Typed(3000, 400, "SP9N\t59\r"), 0},
      // Enter held back does not start the second anew: pressed again, it answers once it is over.
      {"XThenEnterEvery500Ms", MB_YESNO, Typed(3000, 500, "X\r\r"), IDYES},
      {"XThenEnterAfter500And990Ms", MB_YESNO, Typed(3000, 500, "X\r") + Typed(3990, 0, "\r"), 0},
      // An N held back, pressed again no faster than the typing gap: the operator insists.
      {"Dl3abcThenNOnce", MB_YESNO, Typed(3000, 150, "DL3ABC") + Typed(4050, 0, "N"), 0},
      {"Dl3abcThenNTwice", MB_YESNO, Typed(3000, 150, "DL3ABC") + Typed(4050, 300, "NN"), IDNO},
      // After typing was held back, Enter needs a quiet second before it.
      {"AQsoWithItsEnterAfterAPause", MB_YESNO, qso, 0},
      {"ALoneN700MsAfterTheQso", MB_YESNO, qso + std::vector<Key>{{4500, 'N'}}, 0},
      {"ALoneN1200MsAfterTheQso", MB_YESNO, qso + std::vector<Key>{{5000, 'N'}}, IDNO},
      {"EnterAfterAQuietSecond", MB_YESNO | MB_DEFBUTTON2,
       qso + std::vector<Key>{{5200, VK_RETURN}}, IDNO},
      {"JEvery300MsAfterTheQso", MB_YESNO,
       qso + std::vector<Key>{{4500, 'J'}, {4800, 'J'}, {5100, 'J'}}, IDYES},
      // A held key repeats after the keyboard's delay: a run, however long the delay.
      {"EnterHeldAcrossTheShowing",
       MB_YESNO,
       {{660, VK_RETURN, 0, Stroke::kRepeat},
        {700, VK_RETURN, 0, Stroke::kRepeat},
        {740, VK_RETURN, 0, Stroke::kRepeat},
        {760, VK_RETURN, 0, Stroke::kUp}},
       0},
      // A repeat the window system left unmarked: its press has the time of the release before.
      {"EnterHeldWithRepeatsUnmarked",
       MB_YESNO,
       {{660, VK_RETURN, 0, Stroke::kUp},
        {660, VK_RETURN, 0, Stroke::kDown},
        {700, VK_RETURN, 0, Stroke::kUp},
        {700, VK_RETURN, 0, Stroke::kDown},
        {720, VK_RETURN, 0, Stroke::kUp}},
       0},
      {"EnterPressedAfterTheHeldOne",
       MB_YESNO,
       {{660, VK_RETURN, 0, Stroke::kRepeat}, {700, VK_RETURN, 0, Stroke::kUp}, {1700, VK_RETURN}},
       IDYES},
  };
  ScopedFakeClock fake(10'000);
  FakeClock& clock = fake.clock;
  testkit::ModalDriver driver;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::uint64_t shown = clock.monotonic_ms;
    bool left_open = false;
    driver.ThenTypedAhead([&](TForm& form) {
      for (const Key& key : row.keys) {
        clock.monotonic_ms = shown + key.at;
        Stroke(*form.ActiveControl(), key);
      }
      clock.monotonic_ms += 1000;
      testkit::TickKeyboard();
      left_open = form.ModalResult() == mrNone;
      if (left_open) form.SetModalResult(mrAbort);
    });
    const int answer = Application().MessageBox("Speichern?", "", row.flags | MB_ICONQUESTION);
    EXPECT_EQ(left_open ? 0 : answer, row.answer);
    clock.monotonic_ms += 10'000;
  }
  // The mouse is no key: it answers at once, and a letter that waited meanwhile answers nothing.
  driver.ThenTypedAhead([&](TForm& form) {
    auto* no = dynamic_cast<TButton*>(form.Components().back());
    ASSERT_NE(no, nullptr);
    clock.monotonic_ms += 300;
    testkit::PressKey(*form.ActiveControl(), 'J');
    clock.monotonic_ms += 100;
    testkit::Click(*no, 5, 5);
    clock.monotonic_ms += 1000;
    testkit::TickKeyboard();
  });
  EXPECT_EQ(Application().MessageBox("Weiter?", "", MB_YESNO), IDNO);
  EXPECT_EQ(driver.Unanswered(), 0);
}

// A letter held down answers with its press, once no key followed it: neither its repeats nor
// its release answer the question the answer opens, and nothing waits for the next showing.
TEST(MessageBoxTest, AHeldLetterAnswersByItsPressAloneNotTheQuestionItsAnswerOpens) {
  ScopedFakeClock fake(10'000);
  FakeClock& clock = fake.clock;
  testkit::ModalDriver driver;
  const std::uint64_t down = clock.monotonic_ms + 300;
  driver.ThenTypedAhead([&](TForm& form) {
    clock.monotonic_ms = down;
    testkit::KeyDown(*form.ActiveControl(), 'J');
    clock.monotonic_ms = down + 100;
    testkit::TickKeyboard();
    EXPECT_EQ(form.ModalResult(), mrNone);  // another key may yet follow
    clock.monotonic_ms = down + kTypingGapMs;
    testkit::TickKeyboard();
  });
  bool left_open = false;
  driver.ThenTypedAhead([&](TForm& form) {
    for (std::uint64_t at = 500; at <= 900; at += 40) {
      clock.monotonic_ms = down + at;
      testkit::KeyUp(*form.ActiveControl(), 'J', 0, true);
      testkit::KeyDown(*form.ActiveControl(), 'J', 0, true);
    }
    testkit::KeyUp(*form.ActiveControl(), 'J');
    clock.monotonic_ms += 1000;
    testkit::TickKeyboard();
    left_open = form.ModalResult() == mrNone;
    form.SetModalResult(mrAbort);
  });
  ASSERT_EQ(Application().MessageBox("Eingabe beenden?", "", MB_YESNO), IDYES);
  Application().MessageBox("Datei sichern?", "", MB_YESNO);
  EXPECT_TRUE(left_open);
  EXPECT_EQ(driver.Unanswered(), 0);
}

// Without any other key, a lone letter that waited is delivered by the window system's own timer:
// on the real clock, its ticks let through, J answers a question that stood a second.
TEST(MessageBoxTest, ALoneLetterAnswersByTheWindowSystemsOwnTimer) {
  using Clock = std::chrono::steady_clock;
  const testkit::RealTicks real_ticks;
  testkit::ModalDriver driver;
  Clock::duration took = Clock::duration::max();  // from the press to the answer
  driver.ThenTypedAhead([&](TForm& form) {
    const Clock::time_point stood = Clock::now() + std::chrono::seconds(1);
    testkit::WaitUntil([&] { return Clock::now() >= stood; });
    const Clock::time_point pressed = Clock::now();
    testkit::PressKey(*form.ActiveControl(), 'J');
    if (testkit::WaitUntil([&] { return form.ModalResult() != mrNone; })) {
      took = Clock::now() - pressed;
    } else {
      form.SetModalResult(mrAbort);
    }
  });
  const int answer = Application().MessageBox("Eingabe beenden?", "", MB_YESNO);
  EXPECT_LT(took, std::chrono::seconds(1));
  EXPECT_EQ(answer, IDYES);
  EXPECT_EQ(driver.Unanswered(), 0);
}

// Only the form's own window tells its exposure: the pop-up list of one of its combo boxes, opened
// and closed after the form showed, neither ends nor restarts the pause after the showing.
TEST(MessageBoxTest, APopupListOfTheFormIsNotTheFormsExposure) {
  ScopedFakeClock fake(10'000);
  FakeClock& clock = fake.clock;
  TForm form(nullptr);
  form.SetIgnoresKeysTypedAhead(true);
  auto* combo = new TComboBox(&form);
  combo->SetParent(&form);
  combo->Items().Add("20m");
  combo->Items().Add("40m");
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetBounds(10, 40, 75, 25);
  ok->SetDefault(true);
  int clicks = 0;
  ok->OnClick = [&](TComponent*) { ++clicks; };
  form.Show();
  ASSERT_TRUE(testkit::WaitUntilExposed(form));
  clock.monotonic_ms += 100;
  combo->SetDroppedDown(true);
  Application().ProcessMessages();
  clock.monotonic_ms += 200;
  combo->SetDroppedDown(false);
  Application().ProcessMessages();
  ok->SetFocus();
  testkit::PressKey(*ok, VK_RETURN);  // 300 ms after the form showed, 0 ms after the list closed
  EXPECT_EQ(clicks, 1);
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

// A request that appends the default extension asks about the file that will be written.
TEST_F(FileChooserTest, TheQuestionNamesTheNameWithItsExtension) {
  const auto write = [&](const std::string& name) {
    std::ofstream(common::OsPath(folder.path() + "/" + name)) << name;
  };
  for (const char* name : {"out.txt", "out.txt.CBR", "out.CBR"}) write(name);
  auto owned = std::make_unique<ScriptedMessageBox>();
  ScriptedMessageBox& box = *owned;
  PortScope scope(std::move(owned));
  request.append_ext = true;
  box.answers = {IDNO, IDYES};
  driver.Type("out.txt");  // "Nein": back to the dialog
  driver.Cancel();
  EXPECT_EQ(chooser.Choose(request), std::nullopt);
  driver.Type("out.txt");
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/out.txt.CBR");
  driver.Type("mein");
  driver.Type("klein.cbr");
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/mein.CBR");
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/klein.cbr");
  box.answers = {IDYES};
  driver.Type("out.CBR");
  EXPECT_EQ(chooser.Choose(request), folder.path() + "/out.CBR");
  ASSERT_EQ(box.calls.size(), 3u);
  EXPECT_EQ(box.calls[0].text, OverwriteQuestion(folder.path() + "/out.txt.CBR"));
  EXPECT_EQ(box.calls[1].text, OverwriteQuestion(folder.path() + "/out.txt.CBR"));
  EXPECT_EQ(box.calls[2].text, OverwriteQuestion(folder.path() + "/out.CBR"));
  for (const char* name : {"out.txt", "out.txt.CBR", "out.CBR"}) {
    std::ifstream file(common::OsPath(folder.path() + "/" + name));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), name);
  }
  EXPECT_EQ(driver.Unanswered(), 0);
}

TEST(DialogFiltersTest, PairsBecomeDescriptionsWithTheirPatterns) {
  EXPECT_EQ(DialogFilters("ADIF-Datei|*.ADI;*.ADIF|Alle|*.*"),
            (std::vector<std::string>{"ADIF-Datei (*.ADI *.ADIF)", "Alle (*.*)"}));
  EXPECT_EQ(DialogFilters("Nur Text"), std::vector<std::string>{"Nur Text (*)"});
  EXPECT_TRUE(DialogFilters("").empty());
}

}  // namespace
}  // namespace platform::qt
