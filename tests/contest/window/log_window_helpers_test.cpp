// The log window's helpers on a form offscreen and on the contest tables, with the catalogue
// service's port recording what reaches the other windows.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "contest/window/arrange_controls.h"
#include "contest/window/entry_helpers.h"
#include "contest/window/label_colours.h"
#include "contest/window/log_actions.h"
#include "platform/qt/application.h"
#include "platform/qt/check_box.h"
#include "platform/qt/group_box.h"
#include "platform/qt/image.h"
#include "platform/qt/list_box.h"
#include "platform/qt/scroll_box.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/contest/service_fixture.h"
#include "ui/bit_btn.h"
#include "ui/kv_datum.h"
#include "ui/panels.h"

namespace contest::window {
namespace {

using platform::qt::TControl;
using platform::qt::TLabel;
using platform::qt::TRect;
using ui::TkvEdit;

class HelpersTest : public contest_test::ServiceTest {
 protected:
  template <typename T>
  T* Make(const std::string& name, platform::qt::TWinControl* parent = nullptr, TRect bounds = {}) {
    auto* control = new T(&form);
    control->SetName(name);
    control->SetParent(parent != nullptr ? parent : &form);
    control->SetBoundsRect(bounds.Right > 0 ? bounds : TRect{10, 10, 90, 31});
    return control;
  }
  platform::qt::TForm form{nullptr};
};

TEST_F(HelpersTest, ArrangeControlsKeepsAllAtOneElseWidensFieldsAndContainersOncePerLevel) {
  // Every class of the rule, a check box no rule touches, a field in a panel in a group box.
  auto* panel = Make<ui::TkvPanel>("", nullptr, {0, 0, 400, 150});
  form.SetClientSize(600, 150);
  Make<TLabel>("lCall", panel, {11, 8, 51, 23})->SetCaption("Call");
  Make<TkvEdit>("eCall", panel, {11, 24, 112, 45});
  Make<ui::TkvDatum>("eDatum", panel, {120, 24, 229, 47});
  Make<ui::TkvBitBtn>("btnOK", panel, {240, 22, 315, 47})->SetkvKind(ui::TkvBitBtnKind::bkOK);
  Make<platform::qt::TImage>("Image1", panel, {330, 8, 362, 40});
  Make<platform::qt::TScrollBox>("sbMulti", panel, {320, 50, 390, 90});
  Make<platform::qt::TCheckBox>("cbAuto", panel, {250, 0, 310, 18})->SetCaption("Auto");
  auto* group = Make<platform::qt::TGroupBox>("gbExchange", panel, {10, 55, 310, 140});
  Make<TkvEdit>("eRSTr1", Make<ui::TkvPanel>("panelExchange", group, {10, 20, 210, 75}),
                {5, 26, 20, 47});
  auto bounds = [&] {
    std::map<std::string, TRect> all;
    for (auto* c : form.Components()) all[c->Name()] = static_cast<TControl*>(c)->BoundsRect();
    return all;
  };
  const auto before = bounds();
  platform::qt::testkit::SaveScreenshot(form, "entry_panel_before_arrange");
  ArrangeControls(*panel, 1.0);
  EXPECT_EQ(bounds(), before);
  panel->SetWidth(600);  // as the log window grew
  ArrangeControls(*panel, 1.5);
  platform::qt::testkit::SaveScreenshot(form, "entry_panel_after_arrange_1_5");
  // Left and width (0: kept); halves go to the even neighbour: 16.5, 151.5, 163.5, 7.5, 22.5.
  // clang-format off
  const std::map<std::string, std::pair<int, int>> after = {
      {"lCall", {16, 0}},   {"eCall", {16, 152}},      {"eDatum", {180, 164}},
      {"btnOK", {360, 0}},  {"Image1", {495, 0}},      {"sbMulti", {480, 105}},
      {"cbAuto", {250, 0}}, {"gbExchange", {15, 450}}, {"panelExchange", {15, 300}},
      {"eRSTr1", {8, 22}},  {"", {0, 600}}};
  // clang-format on
  for (const auto& [name, old] : before) {
    const auto [l, w] = after.at(name);
    EXPECT_EQ(bounds()[name], (TRect{l, old.Top, l + (w ? w : old.Width()), old.Bottom})) << name;
  }
}

TEST_F(HelpersTest, LabelsFollowFocusAndMouseTheCallFieldTakesHashAndZero) {
  TkvEdit* fields[] = {Make<TkvEdit>("eCall"), Make<TkvEdit>("eName")};
  std::vector<TLabel*> labels;
  for (int tag : {0, 0, kLabelTagExempt}) {
    labels.push_back(Make<TLabel>("l" + std::to_string(labels.size())));
    labels.back()->SetFocusControl(fields[labels.size() > 1]);
    labels.back()->SetTag(tag);
    labels.back()->Font().SetColor(tag == 0 ? kLabelNormal : kLabelUnderMouse);
  }
  auto colours = [&] {
    std::string s;
    for (const TLabel* l : labels)
      s += "TMR"[(l->Font().Color() != kLabelNormal) + (l->Font().Color() == kLabelFocused)];
    return s;
  };
  form.Show();
  fields[0]->SetFocus();
  CallEnterColours(form, *fields[0]);
  CallMouseColours(form, *fields[1]);
  EXPECT_EQ(colours(), "RMM");
  LabelMouseColours(form, *labels[0]);  // the focused field's label stays red, the other goes
  EXPECT_EQ(colours(), "RTM");
  fields[1]->SetFocus();
  CallEnterColours(form, *fields[1]);  // the label of the field left goes back to teal
  CallMouseColours(form, *fields[1]);
  EXPECT_EQ(colours(), "TRM");
  std::string seen;  // the keys the call field's handler saw
  fields[0]->OnKeyPress = [&](platform::qt::TComponent*, char& key) {
    seen += key;
    CallKeyPress(form, *fields[0], key);
  };
  fields[0]->SetFocus();
  fields[0]->SetText("dl1abc");
  for (const char* text : {"dl1abc/p", "dl1abc/p", "DL1ABC/P"}) {  // '#' twice, any letter case
    if (text[0] == 'D') fields[0]->SetText(text);
    char key = '#';
    fields[0]->OnKeyPress(fields[0], key);
    EXPECT_EQ(fields[0]->Text(), text);
  }
  EXPECT_EQ(seen, "#\r#\r#\r");
  logbook::ToSetupWeitere weitere{};
  for (const int flags : {0, 1, 2, 3}) {  // the field's flag, the settings byte
    weitere.option_bytes_1_to_11[7] = flags & 2;
    common::Service<logbook::ToSetups>::Get().SetWeitere(weitere);
    fields[1]->SetSlashedZero(flags & 1);
    std::string keys = "0#";  // '#' only in the field named "eCall"
    for (char& key : keys) CallKeyPress(form, *fields[1], key);
    EXPECT_EQ(keys, flags == 3 ? "\330#" : "0#") << flags;
  }
}

TEST_F(HelpersTest, QslSentClusterCaptionAndHelp) {
  TLabel* caption = Make<TLabel>("lQSLs");
  for (const char* row : {"yNnein", "JNnein", "sNnein", "NYja", " Yja"}) {  // before, after
    char qsl = row[0];
    QslSentCaption(qsl, *caption);
    EXPECT_EQ(qsl + caption->Caption(), row[1] + std::string("&QSL senden: ") + (row + 2));
  }
  auto* buttons = Make<platform::qt::TPanel>("panelButtonsa");
  auto* list = Make<platform::qt::TPanel>("PanelUnten");
  auto* entry_button = Make<platform::qt::TSpeedButton>("sa", buttons);
  auto* list_button = Make<ui::TkvBitBtn>("bl", list);
  for (const bool on : {true, false}) {  // the log grid shows in entry, the cluster in the list
    SetClusterCaption(on, *buttons, true, *buttons, *caption, *list, *list, *buttons);
    EXPECT_EQ(caption->Caption(), on ? "Contest-Logbuch" : "DX-Cluster (ESC: zurück zur Eingabe)");
    EXPECT_EQ(list->Color(), on ? platform::qt::clNavy : platform::qt::clRed);
    EXPECT_EQ(entry_button->Enabled() && !list_button->Enabled(), on);
    buttons->SetVisible(false);  // stands for the log grid too
  }
  std::vector<std::intptr_t> help;
  platform::qt::Application().OnHelp = [&](int command, std::intptr_t data) {
    help = {command, data};
    return true;
  };
  Help();
  platform::qt::Application().OnHelp = nullptr;
  EXPECT_EQ(help, (std::vector<std::intptr_t>{1, 0}));
}

TEST_F(HelpersTest, NameAndQthFollowTheQthFieldTheCallsNameTheOther) {
  // leFreq, leName, lcallname, eQTH, eName, eFreq, leQTH in the order of the call.
  std::vector<TControl*> controls = {Make<TLabel>("leFreq"), Make<TLabel>("leName"),
                                     Make<TLabel>("lcallname"), Make<TkvEdit>("eQTH"),
                                     Make<TkvEdit>("eName"),    Make<TkvEdit>("eFreq"),
                                     Make<TLabel>("leQTH")};
  const auto show = [&] {
    ShowNameQth(*controls[0], *controls[1], *controls[2], *controls[3], *controls[4],
                *controls[5], *controls[6]);
  };
  // A mixed start: each control follows the QTH field's new state, not its own.
  for (std::size_t i = 0; i < controls.size(); ++i) controls[i]->SetVisible(i % 2 == 0);
  controls[3]->SetVisible(false);
  for (const bool shown : {true, false, true}) {
    show();
    for (std::size_t i = 0; i < controls.size(); ++i) {
      EXPECT_EQ(controls[i]->Visible(), i == 2 ? !shown : shown) << controls[i]->Name() << shown;
    }
  }
}

TEST_F(HelpersTest, TheDefaultButtonTypesEnterIntoTheActiveFieldOrListOnly) {
  auto* field = Make<TkvEdit>("eCall");
  auto* list = Make<platform::qt::TListBox>("listband");
  auto* plain = Make<platform::qt::TEdit>("eclustertext");
  auto* silent = Make<TkvEdit>("eName");  // without a handler
  std::vector<std::string> typed;
  for (platform::qt::TWinControl* control :
       std::initializer_list<platform::qt::TWinControl*>{field, list, plain}) {
    control->OnKeyPress = [&typed](platform::qt::TComponent* sender, char& key) {
      typed.push_back(sender->Name() + ":" + std::to_string(key));
    };
  }
  form.Show();
  for (platform::qt::TWinControl* control :
       std::initializer_list<platform::qt::TWinControl*>{field, plain, list, silent}) {
    control->SetFocus();
    ASSERT_EQ(form.ActiveControl(), control);
    DefaultButton(form);
  }
  form.Close();
  // The plain edit is no typed field: it gets nothing.
  EXPECT_EQ(typed, (std::vector<std::string>{"eCall:13", "listband:13"}));
}

TEST_F(HelpersTest, TheClockWritesUtcDateAndTimeAsTheCatalogueAsksTheNoteNamesTheLastQso) {
  clock_.now = {2024, 3, 5, 0, 34, 56};  // UTC two hours behind: the day before
  TdbContest catalogue(kTableKK, 0);
  ASSERT_TRUE(catalogue.GotoRef(AddLog("Test/Log: 2020", '.')));
  TContestKKRec record{};
  catalogue.GetKKRec(record);
  TdbContest log(kTableLK, record.Nummer);
  TLabel* labels[] = {Make<TLabel>("lZeit"), Make<TLabel>("lDatum")};
  TkvEdit* fields[] = {Make<TkvEdit>("ezeit"), Make<TkvEdit>("eDatum")};
  for (const auto& [date_auto, time_auto, force, date, time] :
       {std::tuple{1, 255, false, "04.03.2024", "22:34:56"}, {0, 0, true, "", "22:34:56"}}) {
    record.DatumAuto = date_auto;
    record.ZeitAuto = time_auto;
    catalogue.SetKKRec(record);
    log.ClearRec();
    for (int i : {0, 1}) labels[i]->SetCaption(""), fields[i]->SetText("");
    ShowPeriodInfo(catalogue, log, force, *labels[0], *labels[1], *fields[0], *fields[1]);
    TContestLKRec qso{};
    log.GetLKRec(qso);
    EXPECT_EQ(labels[0]->Caption() + labels[1]->Caption() + fields[0]->Text() + fields[1]->Text(),
              std::string(time) + date + time + date);
    EXPECT_EQ(qso.Datum, *date != 0 ? dates_->TodayUtc() : 0) << date;
    EXPECT_EQ(qso.Zeit, *time != 0 ? 22 * 3600 + 34 * 60 + 56 : 0) << time;
  }
  for (const auto& [call, number] : {std::pair{"DL1AAA", 1}, {"DL2BBB", 9}, {"DL3CCC", 3}}) {
    TContestLKRec qso = contest_test::Qso(call, 'b', 1, 1);
    qso.wagNummer = number;
    Add(record.Nummer, qso);
  }
  log.ClearRec();
  EXPECT_TRUE(EditLogNote(catalogue, log));
  EXPECT_EQ(port_->calls, std::vector<std::string>{
                              "ShowText Notiz TestLog 2020.TXT [04.03.2024 22:34 DL2BBB     > ]"});
}

TEST_F(HelpersTest, SmallWindowsOpenWhereTheyClosedAndTheLogIsReadAgainAfterwards) {
  TdbContest catalogue(kTableKK, 0);
  ASSERT_TRUE(catalogue.GotoRef(AddLog("Bounds", '.')));
  TContestKKRec record{};
  catalogue.GetKKRec(record);
  Add(record.Nummer, contest_test::Qso("DL1AAA", 'b', 1, 60));
  TdbContest log(kTableLK, record.Nummer);
  ASSERT_TRUE(log.First(4));
  platform::qt::TForm window(nullptr);
  window.SetBounds(50, 60, 300, 200);
  platform::qt::testkit::ModalDriver driver;
  TRect remembered{};
  std::vector<TRect> shown_at;
  // First opening: nothing remembered, the window stays where it is; the operator moves and
  // sizes it, and changes the QSO through another object on the log.
  driver.Then([&](platform::qt::TForm& form) {
    shown_at.push_back(form.BoundsRect());
    form.SetBounds(120, 90, 340, 260);
    TdbContest other(kTableLK, record.Nummer);
    ASSERT_TRUE(other.First(4));
    TContestLKRec qso{};
    other.GetLKRec(qso);
    qso.Call = "DL9ZZZ";
    other.SetLKRec(qso);
    EXPECT_TRUE(other.UpdateRec());
    form.SetModalResult(platform::qt::mrOk);
  });
  SetBounds(remembered, window, log);
  EXPECT_EQ(remembered, (TRect{120, 90, 460, 350}));
  EXPECT_EQ(log.GetCall(), "DL9ZZZ");
  // Second opening: at the remembered place, whatever the window was given meanwhile.
  window.SetBounds(0, 0, 100, 100);
  driver.Then([&](platform::qt::TForm& form) {
    shown_at.push_back(form.BoundsRect());
    form.SetModalResult(platform::qt::mrOk);
  });
  SetBounds(remembered, window, log);
  ASSERT_EQ(shown_at.size(), 2u);
  // Where it was (the window frame may add to its size once shown).
  EXPECT_EQ(shown_at[0].Left, 50);
  EXPECT_EQ(shown_at[0].Top, 60);
  EXPECT_EQ(shown_at[1], (TRect{120, 90, 460, 350}));
  EXPECT_EQ(remembered, (TRect{120, 90, 460, 350}));
  EXPECT_EQ(driver.Unanswered(), 0);
}

}  // namespace
}  // namespace contest::window
