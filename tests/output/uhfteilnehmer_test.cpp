// The EDI participant form driven as a person would: it shows the record it is given, gives
// back what was typed and chosen, and does so whichever way it is closed.
#include "output/uhfteilnehmer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/output/output_fixture.h"
#include "tests/ui/ui_fixture.h"

namespace output {
namespace {

using platform::qt::testkit::ModalDriver;

// The output's services on a fixed 96-dpi screen.
struct FormFixture {
  output_test::OutputFixture output;
  ui::testing::ScreenScope screen{768, 96};
};

TuhfteilnehmerParams FilledRecord() {
  TuhfteilnehmerParams p;
  p.caption = "PEL Hessen Version 2020-1.0";
  p.sections = SectionItems('G');
  p.pcall = "DL1ABC";
  p.ploc = "JO62QM";
  p.padr1 = "Hauptstr. 1";
  p.padr2 = "12345 Berlin";
  p.psect = "2";
  p.pband = "145MHz";
  p.pclub2 = "B36";
  p.remail = "dl1abc@example.org";
  p.rname = "Hans M\xFCller";
  p.radr1 = "Hauptstr. 1";
  p.rpoco = "12345";
  p.rcity = "Berlin";
  p.rpower = "100 W";
  p.rtrx = "IC-9700";
  p.rant = "9 el. Yagi";
  p.rremarks = "Station am Waldrand\r\nAntenne 12 m \xFC" "ber Grund";
  return p;
}

TEST(Tuhfteilnehmer, ShowsTheRecordWithItsDefaultsAndLists) {
  FormFixture f;
  Tuhfteilnehmer form(nullptr);
  form.LoadParams(FilledRecord());
  EXPECT_EQ(form.Caption(), "PEL Hessen Version 2020-1.0");
  EXPECT_EQ(form.pcall->Text(), "DL1ABC");
  EXPECT_EQ(form.rname->Text(), "Hans M\xFCller");
  EXPECT_EQ(form.pclub1->Text(), "DARC");
  EXPECT_EQ(form.rcoun->Text(), "DL");
  EXPECT_EQ(form.psect->Items().Count(), 28);
  EXPECT_EQ(form.psect->Text(), "2");
  EXPECT_EQ(form.pband->Items().Count(), 16);
  EXPECT_EQ(form.pband->ItemIndex(), 2);
  EXPECT_EQ(form.rremarks->Lines().Count(), 2);
  EXPECT_FALSE(form.cspeichern->Checked());
  EXPECT_EQ(form.cspeichern->Caption(), "Adresse als eigene Standardadresse speichern");
  form.Show();
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(form, "edi_participant_form").empty());
  form.Hide();
}

TEST(Tuhfteilnehmer, GivesBackWhatWasTypedAndChosenTrimmed) {
  FormFixture f;
  Tuhfteilnehmer form(nullptr);
  form.LoadParams(FilledRecord());
  form.mope1->SetText(" DL1ABC;DL2ABC ");
  form.psect->SetItemIndex(1);
  form.pband->SetItemIndex(3);
  form.cspeichern->SetChecked(true);
  TuhfteilnehmerParams back;
  form.StoreParams(back);
  EXPECT_EQ(back.mope1, "DL1ABC;DL2ABC");
  EXPECT_EQ(back.psect, "02  144MHz Mehrmann\t");
  EXPECT_EQ(back.pband, "435MHz");
  EXPECT_TRUE(back.cspeichern);
  EXPECT_EQ(back.rremarks, "Station am Waldrand\r\nAntenne 12 m \xFC" "ber Grund");
  EXPECT_EQ(back.rname, "Hans M\xFCller");
}

// The file is written however the form is closed, so every close gives the fields back.
TEST(Tuhfteilnehmer, AskGivesTheFieldsBackWhicheverWayItIsClosed) {
  FormFixture f;
  for (const bool ok_button : {true, false}) {
    ModalDriver driver;
    driver.Then([&](platform::qt::TForm& shown) {
      auto& form = dynamic_cast<Tuhfteilnehmer&>(shown);
      form.rpower->SetText("750 W");
      if (ok_button) {
        platform::qt::testkit::Click(*form.btnok, 5, 5);
      } else {
        form.Close();
      }
    });
    TuhfteilnehmerParams p = FilledRecord();
    Tuhfteilnehmer::Ask(p);
    EXPECT_EQ(driver.Unanswered(), 0);
    EXPECT_EQ(p.rpower, "750 W") << (ok_button ? "OK" : "close box");
    EXPECT_EQ(p.pcall, "DL1ABC");
  }
}

}  // namespace
}  // namespace output
