// The contest catalogue service: exchange slices, titles, the edition, and the operations on the
// logs of the catalogue, on the real engine with a recording port and scripted messages.
#include <gmock/gmock.h>

#include <cctype>
#include <fstream>

#include "contest/contest_titles.h"
#include "tests/common/rows.h"
#include "tests/common/temp_folder.h"
#include "tests/contest/service_fixture.h"

namespace contest_test {
namespace {

using common::MessageKind;
using common::testing::RowName;
using contest::TContestFkt;
using contest::TContestKKRec;
using contest::WindowRect;

// --- exchange slices ---

struct SliceRow {
  const char* name;
  bool sent;
  const char* text;
  const char* joined;  // what the record gives back
};
void PrintTo(const SliceRow& row, std::ostream* os) { *os << row.name; }

class ExchangeSlices : public ::testing::TestWithParam<SliceRow> {};

TEST_P(ExchangeSlices, StoreAndJoin) {
  const SliceRow& row = GetParam();
  // Slices left over from an earlier QSO must not show through a shorter text.
  TContestLKRec r{};
  TContestFkt::SetSentExchange("59912345678901234567", r);
  TContestFkt::SetRcvdExchange("599ABCDEFGHIJKLMNOPQRSTU", r);
  if (row.sent) {
    TContestFkt::SetSentExchange(row.text, r);
    EXPECT_EQ(TContestFkt::SentExchangeText(r), row.joined);
  } else {
    TContestFkt::SetRcvdExchange(row.text, r);
    EXPECT_EQ(TContestFkt::RcvdExchangeText(r), row.joined);
  }
}

// clang-format off
const SliceRow kSliceRows[] = {
    {"Received24RoundTrip", false, "599001/B36/JO62MM/12345A", "599001/B36/JO62MM/12345A"},
    {"Received5FillsSlice1Only", false, "59912", "59912"},
    {"Received30Keeps24", false, "599001/B36/JO62MM/12345ABCDEF", "599001/B36/JO62MM/12345A"},
    {"ReceivedEmpty", false, "", ""},
    {"Sent20RoundTrip", true, "599001/B36/JO62MM/1", "599001/B36/JO62MM/1"},
    {"Sent25Keeps20", true, "599001/B36/JO62MM/12345", "599001/B36/JO62MM/12"},
    {"Sent10EndsInSlice2", true, "599001/B36", "599001/B36"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Texts, ExchangeSlices, ::testing::ValuesIn(kSliceRows), RowName);

TEST(ExchangeSliceLayout, TheCharactersLieInTheRecordsSlices) {
  TContestLKRec r{};
  TContestFkt::SetRcvdExchange("123456789abcdefghijklmno", r);
  TContestFkt::SetSentExchange("ABCDEFGHIJKLMNOPQRST", r);
  const std::string slices[] = {r.RcvdExch1_9,   r.RcvdExch10_11, r.RcvdExch12_13,
                                r.RcvdExch14_20, r.RcvdExch21_24, r.SentExch1_9,
                                r.SentExch10_11, r.SentExch12_13, r.SentExch14_20};
  EXPECT_THAT(slices, ::testing::ElementsAre("123456789", "ab", "cd", "efghijk", "lmno",
                                             "ABCDEFGHI", "JK", "LM", "NOPQRST"));
}

// --- titles and the edition ---

struct TitleRow {
  char code;
  const char* title;
  const char* picture;  // after the data folder "/daten/" unless it starts with '!'
};
void PrintTo(const TitleRow& row, std::ostream* os) { *os << row.code; }
std::string TitleRowName(const ::testing::TestParamInfo<TitleRow>& info) {
  const char c = info.param.code;
  return std::isalnum(static_cast<unsigned char>(c)) ? "Code" + std::string(1, c)
                                                     : "Char" + std::to_string(c);
}

class ContestTitles : public ServiceTest, public ::testing::WithParamInterface<TitleRow> {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    logbook::ToSetupDirs dirs = common::Service<logbook::ToSetups>::Get().GetDirs();
    dirs.dirs[6] = "/daten/";
    common::Service<logbook::ToSetups>::Get().SetDirs(dirs);
  }
};

TEST_P(ContestTitles, TitleBetweenQuotesAndPictureInTheDataFolder) {
  const TitleRow& row = GetParam();
  // The caller's previous texts never survive.
  std::string title = "\"Hamburg Contest\"";
  std::string picture = "/daten/hamburg.bmp";
  Fkt().ContestTitleAndPicture(row.code, title, picture);
  EXPECT_EQ(title, row.title[0] == 0 ? "" : "\"" + std::string(row.title) + "\"");
  const std::string expected = row.picture[0] == '!' ? std::string(row.picture + 1)
                               : row.picture[0] == 0 ? std::string()
                                                     : "/daten/" + std::string(row.picture);
  EXPECT_EQ(picture, expected);
}

// clang-format off
const TitleRow kTitleRows[] = {
    {'V', "Mecklenburg-Vorpommern - Contest", "mvp.bmp"},
    {'B', "Baden - Württemberg Aktivität", "bwa.bmp"}, {'H', "Holyland - Contest", "holyland.bmp"},
    {'D', "Deutschland Contest des DTC e.V.", "dtc.bmp"}, {'q', "Handtastenparty", "agcw.bmp"},
    {'5', "Funkertag-QSO-Party", "party062005.bmp"}, {'P', "Februar-QSO-Party", "party022005.bmp"},
    {'E', "Europatag der Schulstationen", "eutag.bmp"},
    {'F', "Aktivitätswettbewerb Franken", "franken.bmp"}, {'J', "Hamburg Contest", "hamburg.bmp"},
    {'.', "Domivox Contest (Tessaly-Treffen)", "Domivox.bmp"}, {'G', "Hessencontest", "hessen.bmp"},
    {'R', "Rheinland-Pfalz - Aktivitätsabende", "rheinlandpfalz.bmp"},
    {'h', "Rheinland-Pfalz - Aktivitätswoche", "rheinlandpfalz.bmp"},
    {'N', "Nordic Activity Contest", "nac.bmp"}, {'S', "Aktivitätswettbewerbe H, S, W", "hsw.bmp"},
    {'T', "Thüringen-Contest", "thueringen.bmp"}, {'L', "Kurzcontest Ruhrgebiet", "ruhrgebiet.bmp"},
    {'U', "Bayern-Ost-Contest", "boc.bmp"}, {'I', "Kurzwellenaktivitätstag Nordsee", "nordsee.bmp"},
    {'l', "Aktivitätstag Nordsee", "nordsee.bmp"}, {'g', "Nordsee-Contest UKW", "nordsee.bmp"},
    {'Z', "IPARC-Contest", "iparc.bmp"}, {'C', "Brandenburg-Berlin-Contest", "bb.bmp"},
    {'O', "Aktivitätswochenende Schleswig-Holstein", "sh.bmp"},
    {'Q', "Schwabenkontest", "schwaben.bmp"}, {'1', "DARC 10 m-Contest", "darclogo.bmp"},
    {'z', "Helvetia-Contest", "helvetia.bmp"},
    {'K', "Herbstcontest Köln-Aachen", "koelnaachen.bmp"},
    {'A', "Deutscher Telegraphie-Contest", "agcw.bmp"}, {'f', "Happy New Year-Contest", "agcw.bmp"},
    {'s', "QRP/QRP-Party der AGCW", "agcw.bmp"}, {'w', "AGCW-DL QRP Contest", "agcw.bmp"},
    {'Y', "VFDB-Contest", "vfdb.bmp"}, {'!', "DLPX-Contest", "vfdb.bmp"},
    {'o', "VFDB-Aktivitätstage", "vfdb.bmp"},
    {'2', "Westfalen Nord QRP Aktivitäts Contest", "westfalen-nord.bmp"},
    {'3', "Westfalen Nord Contest", "westfalen-nord.bmp"},
    {'c', "Westfalen Nord Aktivitätstag", "westfalen-nord.bmp"},
    {'y', "Westfalen Süd Aktivitätstag", "westfalen-sued.bmp"},
    {'4', "Party des Radio Telegraphy Club e.V.", "rtc.bmp"}, {'6', "HSC-CW-Contest", "hsc.bmp"},
    {'v', " Military on the Air Aktivität der MRR", "MRR-Siegel.bmp"},
    {'7', "DIG-QSO-Party", "digparty.bmp"}, {'8', "AGCW - VHF/UHF-Contest", "agcw.bmp"},
    {'9', "IARU-Region-1-Fieldday", "fieldday.bmp"}, {'a', "Nordrhein-Aktivität", "nordrhein.bmp"},
    {'b', "Original-QRP-Contest", "qrpcc.bmp"}, {'d', "SAAR-Contest", "saar.bmp"},
    {'e', "Nord-Contest", "nord.bmp"}, {'i', "Naval-Contest", ""},
    {'j', "MMMonVHF MS SPRINT CONTEST", "!pelmssprint.bmp"}, {'k', "QCWA-Party", "qcwa.bmp"},
    {'m', "Großraum-Mobilwettbewerb 80m", "mobilsh.bmp"}, {'n', "IBFD-Aktivitätstag", "ibfd.bmp"},
    {'p', "DSW-Kurzcontest", "dsw.bmp"}, {'r', "YL-Party", "yllogo.bmp"},
    {'u', "DARC-Ausbildungs-Contest", "wag.bmp"},
    {'W', "Worked All Germany (WAG) Contest", "wag.bmp"}, {'X', "", ""}, {'t', "", ""},
    {'#', "", ""}, {'\0', "", ""},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Codes, ContestTitles, ::testing::ValuesIn(kTitleRows), TitleRowName);

TEST_F(ServiceTest, EditionInfoNamesThisEditionAndItsContest) {
  char code = 0;
  std::string caption, notice, picture;
  Fkt().EditionInfo(code, caption, notice, picture);
  EXPECT_EQ(code, '.');
  EXPECT_EQ(caption, "PEL Domivox Version 2020-2.0 Domivox Contest (Tessaly-Treffen)");
  EXPECT_EQ(notice, "Contest-Logbuch der PEL");
  EXPECT_EQ(picture, "titel_pelhamburg");
  // The edition's contest title is the one its own definition carries.
  EXPECT_EQ(Fkt().Definitions().Find(code)->Title, "Domivox Contest (Tessaly-Treffen)");
}

TEST_F(ServiceTest, TheOperatorsTitleOfTheEditionReachesCaptionAndTitle) {
  std::ofstream(folder_ / "contests.toml") << "[\".\"]\nTitle = \"Domivox Contest (Sommerfest)\"\n";
  char code = 0;
  std::string caption, notice, picture;
  Fkt().EditionInfo(code, caption, notice, picture);
  EXPECT_EQ(caption, "PEL Domivox Version 2020-2.0 Domivox Contest (Sommerfest)");
  std::string title;
  Fkt().ContestTitleAndPicture('.', title, picture);
  EXPECT_EQ(title, "\"Domivox Contest (Sommerfest)\"");
}

// --- the logs of the catalogue ---

class CatalogueLogs : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    catalogue_holder_.emplace(contest::kTableKK, 0);
    contest_data_holder_.emplace(contest::kTableKZ, 0);
    TContestKKRec log{};
    log.OwnCall = "DL1ABC";
    ref_ = AddLog("Fieldday 2024", 'V', log);
    nummer_ = 1;
    Add(nummer_, Qso("DL2XYZ", 'b', 154321, 3600));
  }

  std::int32_t ContestDataCount() {
    TdbContest data(contest::kTableKZ, 0);
    std::int32_t n = 0;
    for (bool ok = data.First(1); ok; ok = data.Next(false, true)) ++n;
    return n;
  }
  bool LogFilesExist() const {
    return std::filesystem::exists(folder_ / "PXLK0001.DAT") ||
           std::filesystem::exists(folder_ / "PXLK0001.IX");
  }

  TdbContest& Catalogue() { return *catalogue_holder_; }
  TdbContest& ContestData() { return *contest_data_holder_; }

  // Made once the driver system runs.
  std::optional<TdbContest> catalogue_holder_;
  std::optional<TdbContest> contest_data_holder_;
  std::int32_t ref_ = 0;
  std::int32_t nummer_ = 0;
};

TEST_F(CatalogueLogs, EnsureContestDataInsertsOnce) {
  ASSERT_EQ(ContestDataCount(), 0);
  EXPECT_TRUE(Fkt().EnsureContestData(ref_, Catalogue(), ContestData()));
  EXPECT_TRUE(Fkt().EnsureContestData(ref_, Catalogue(), ContestData()));
  EXPECT_EQ(ContestDataCount(), 1);
  TdbContest data(contest::kTableKZ, 0);
  EXPECT_TRUE(data.FindByNummer(nummer_));
}

struct DeleteRow {
  const char* name;
  std::vector<bool> answers;
  std::size_t questions;
  bool deleted;
};
void PrintTo(const DeleteRow& row, std::ostream* os) { *os << row.name; }

class DeleteLog : public CatalogueLogs, public ::testing::WithParamInterface<DeleteRow> {};

TEST_P(DeleteLog, AfterTwoYesAnswersEverythingOfTheLogIsGone) {
  const DeleteRow& row = GetParam();
  ASSERT_TRUE(Fkt().EnsureContestData(ref_, Catalogue(), ContestData()));
  for (bool a : row.answers) presenter_->answers.push_back(a);
  Fkt().DeleteLog(Catalogue(), ContestData(), ref_);

  ASSERT_EQ(presenter_->calls.size(), row.questions);
  const char* texts[] = {"Logbuch Fieldday 2024 löschen?",
                         "Komplettes Logbuch Fieldday 2024 unwiederbringlich löschen?"};
  for (std::size_t i = 0; i < row.questions; ++i) {
    const common::MessageCall& q = presenter_->calls[i];
    EXPECT_EQ(q.kind, MessageKind::kJaNeinFrage);
    EXPECT_EQ(q.title, "Sicherheitsabfrage");
    EXPECT_EQ(q.text, texts[i]);
    EXPECT_FALSE(q.default_yes);
  }
  EXPECT_EQ(LogFilesExist(), !row.deleted);
  EXPECT_EQ(CatalogueRecord(nummer_).Nummer == 0, row.deleted);
  EXPECT_EQ(ContestDataCount(), row.deleted ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteLog,
                         ::testing::Values(DeleteRow{"No", {false}, 1, false},
                                           DeleteRow{"NoByDefault", {}, 1, false},
                                           DeleteRow{"YesThenNo", {true, false}, 2, false},
                                           DeleteRow{"YesYes", {true, true}, 2, true}),
                         RowName);

TEST_F(CatalogueLogs, DeletingOneLogLeavesTheOthers) {
  const std::int32_t other = AddLog("Zweites", 'V');
  Add(2, Qso("DL3ABC", 'b', 154321, 60));
  ASSERT_TRUE(Fkt().EnsureContestData(other, Catalogue(), ContestData()));
  presenter_->answers = {true, true};
  Fkt().DeleteLog(Catalogue(), ContestData(), ref_);
  EXPECT_EQ(CatalogueRecord(1).Nummer, 0);
  EXPECT_EQ(CatalogueRecord(2).Name.str(), "Zweites");
  EXPECT_TRUE(std::filesystem::exists(folder_ / "PXLK0002.DAT"));
  TdbContest data(contest::kTableKZ, 0);
  EXPECT_TRUE(data.FindByNummer(2));
}

TEST_F(CatalogueLogs, RunLogRunsTheLogWindowOnlyForARecordWithAContestCode) {
  auto definition = std::make_unique<contest::TContestRec>();
  definition->Title = "MV-Contest";
  auto* owner = reinterpret_cast<platform::qt::TForm*>(0x1234);
  ASSERT_TRUE(Catalogue().SeekRef(ref_));
  Fkt().RunLog(owner, *definition, Catalogue(), ContestData());
  EXPECT_EQ(port_->calls, std::vector<std::string>{"RunContestLog 1 MV-Contest"});
  EXPECT_EQ(port_->owner, owner);

  port_->calls.clear();
  ASSERT_TRUE(Catalogue().SeekRef(AddLog("Ohne Contest", 0)));
  Fkt().RunLog(owner, *definition, Catalogue(), ContestData());
  EXPECT_TRUE(port_->calls.empty());
}

TEST_F(CatalogueLogs, OpenEntryFormShowsTheFormOnlyWhenAsked) {
  port_->entry_result = ref_;
  EXPECT_EQ(Fkt().OpenEntryForm(0, 1, 0, Catalogue(), ContestData()), 0);
  EXPECT_TRUE(port_->calls.empty());
  EXPECT_EQ(Fkt().OpenEntryForm('.', 1, 1, Catalogue(), ContestData()), ref_);
  EXPECT_EQ(port_->calls, std::vector<std::string>{"RunEntryForm 1 1 ."});
  // Without a window layer nothing is shown and nothing is started.
  Fkt().SetPort(nullptr);
  EXPECT_EQ(Fkt().OpenEntryForm('.', 0, 0, Catalogue(), ContestData()), 0);
}

// --- the note ---

struct NoteRow {
  const char* name;
  const char* call;        // of the log object's current QSO
  const char* stamp_call;  // as the stamp shows it
  const char* old_note;    // nullptr: no note file yet
  WindowRect stored;       // left, top, width, height in the catalogue record
  WindowRect shown;        // the place the window is given
};
void PrintTo(const NoteRow& row, std::ostream* os) { *os << row.name; }

class EditNote : public CatalogueLogs, public ::testing::WithParamInterface<NoteRow> {};

TEST_P(EditNote, StampFirstThenTheWindowsPlaceIsStored) {
  const NoteRow& row = GetParam();
  clock_.now = {2024, 3, 9, 0, 30, 0, 0};  // local; UTC is two hours behind: 8 March 22:30
  const std::string note = "Fieldday 2024.TXT";
  if (row.old_note != nullptr) std::ofstream(folder_ / note, std::ios::binary) << row.old_note;
  ASSERT_TRUE(Catalogue().SeekRef(ref_));
  TContestKKRec log{};
  Catalogue().GetKKRec(log);
  log.NoteLeft = static_cast<std::int16_t>(row.stored.left);
  log.NoteTop = static_cast<std::int16_t>(row.stored.top);
  log.NoteWidth = static_cast<std::int16_t>(row.stored.right);
  log.NoteHeight = static_cast<std::int16_t>(row.stored.bottom);
  Catalogue().SetKKRec(log);
  ASSERT_TRUE(Catalogue().UpdateRec());
  TdbContest qso(contest::kTableLK, nummer_);
  qso.SetLKRec(Qso(row.call, 'b', 154321, 3600));
  port_->rect_out = {100, 50, 499, 349};

  Fkt().EditNote(note, Catalogue(), qso);

  const std::string stamp = "08.03.2024 22:30 " + std::string(row.stamp_call) + " > ";
  const std::string old = row.old_note == nullptr ? "" : row.old_note;
  EXPECT_EQ(common::testing::ReadFile(folder_ / note), stamp + "\r\n" + old);
  EXPECT_EQ(port_->calls, std::vector<std::string>{"ShowText Notiz " + note + " [" + stamp + "]"});
  EXPECT_EQ(port_->rect_in, row.shown);
  const TContestKKRec stored = CatalogueRecord(nummer_);
  EXPECT_EQ(stored.NoteLeft, 100);
  EXPECT_EQ(stored.NoteTop, 50);
  EXPECT_EQ(stored.NoteWidth, 400);
  EXPECT_EQ(stored.NoteHeight, 300);
  EXPECT_EQ(stored.OwnCall.str(), "DL1ABC");  // the rest of the record as it was
}

// clang-format off
const NoteRow kNoteRows[] = {
    {"NewNoteDefaultPlace", "DL2XYZ/P", "DL2XYZ/P  ", nullptr, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {"OldNoteStoredPlace", "DL2XYZ", "DL2XYZ    ", "Antenne defekt\r\nzweite Zeile\r\n",
     {10, 20, 300, 200}, {10, 20, 309, 219}},
    {"LongCallCutTo10", "DL/OE1ABCDE", "DL/OE1ABCD", nullptr, {0, 0, 0, 0}, {0, 0, 0, 0}},
    {"NoCallBlanks", "", "          ", nullptr, {0, 0, 0, 0}, {0, 0, 0, 0}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Notes, EditNote, ::testing::ValuesIn(kNoteRows), RowName);

TEST_F(CatalogueLogs, NoteWithoutWindowLayerKeepsTheStoredPlace) {
  Fkt().SetPort(nullptr);
  ASSERT_TRUE(Catalogue().SeekRef(ref_));
  TdbContest qso(contest::kTableLK, nummer_);
  Fkt().EditNote("n.TXT", Catalogue(), qso);
  EXPECT_EQ(CatalogueRecord(nummer_).NoteWidth, 0);
  EXPECT_TRUE(common::testing::ReadFile(folder_ / "n.TXT").ends_with(" > \r\n"));
}

TEST_F(CatalogueLogs, ANotePlaceThatCannotBeStoredIsReported) {
  ASSERT_TRUE(Catalogue().SeekRef(ref_));
  // Another station deletes the log's record while the note is open.
  TdbContest other(contest::kTableKK, 0);
  ASSERT_TRUE(other.SeekRef(ref_));
  ASSERT_TRUE(other.Delete(false));
  port_->rect_out = {100, 50, 499, 349};
  TdbContest qso(contest::kTableLK, nummer_);
  Fkt().EditNote("n.TXT", Catalogue(), qso);
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kFehler);
  EXPECT_EQ(presenter_->calls[0].text,
            "Die Position des Notizfensters konnte nicht gespeichert werden.");
}

TEST_F(CatalogueLogs, ANoteThatCannotBeWrittenIsReportedAndNotShown) {
  ASSERT_TRUE(Catalogue().SeekRef(ref_));
  TdbContest qso(contest::kTableLK, nummer_);
  Fkt().EditNote("kein/Ordner/n.TXT", Catalogue(), qso);
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kFehler);
  EXPECT_TRUE(port_->calls.empty());
}

// --- rules and the maker ---

struct RulesRow {
  const char* name;
  char code;
  const char* call;  // the port's call; empty: the notice instead
};
void PrintTo(const RulesRow& row, std::ostream* os) { *os << row.name; }

class ShowRules : public ServiceTest, public ::testing::WithParamInterface<RulesRow> {};

TEST_P(ShowRules, WebPageDocumentOrLocalText) {
  const RulesRow& row = GetParam();
  // The operator supplies the address of one contest.
  std::ofstream(folder_ / "contests.toml") << "[V]\nRulesPage = \"https://example.org/mv\"\n";
  Fkt().ShowRules(row.code);
  std::string call = row.call;
  if (call.find("START/") != std::string::npos) call.replace(call.find("START/"), 6, folder_ / "");
  if (call.empty()) {
    EXPECT_TRUE(port_->calls.empty());
    ASSERT_EQ(presenter_->calls.size(), 1u);
    EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kHinweis);
    EXPECT_EQ(presenter_->calls[0].text, "Für diesen Contest ist keine Ausschreibung hinterlegt.");
  } else {
    EXPECT_EQ(port_->calls, std::vector<std::string>{call});
    EXPECT_TRUE(presenter_->calls.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ShowRules,
    ::testing::Values(RulesRow{"nDefaultText", 'n', "ShowText Contestregeln MVPR.RTF []"},
                      RulesRow{"NOwnText", 'N', "ShowText Contestregeln nacr.rtf []"},
                      RulesRow{"gOwnText", 'g', "ShowText Contestregeln ukwnordseer.rtf []"},
                      RulesRow{"ZDocument", 'Z', "OpenLink START/IPARC-Contest-d-e.pdf"},
                      RulesRow{"mDocument", 'm', "OpenLink START/AUSSCHREIBUNG MOBILTEST.pdf"},
                      RulesRow{"VWebPage", 'V', "OpenLink https://example.org/mv"},
                      RulesRow{"WWithoutAddress", 'W', ""}),
    RowName);

// Which codes have a rules page, over every character a catalogue record can hold: a code
// missing from the list would show another contest's local rules text.
TEST(RulesSources, EveryCodeWithAWebPageAndNoOther) {
  const std::string web_codes = "!.1456789ABCDEFGHJKLOPQRSTUVWXYabcdefhijklopqrstuvwyz";
  const std::string documents = "Zm";
  ASSERT_EQ(web_codes.size(), 53u);
  for (int c = 0; c < 256; ++c) {
    const char code = static_cast<char>(c);
    const bool web = c != 0 && web_codes.find(code) != std::string::npos;
    const bool document = c != 0 && documents.find(code) != std::string::npos;
    const contest::RulesSource expected = web        ? contest::RulesSource::kWebPage
                                          : document ? contest::RulesSource::kDocument
                                                     : contest::RulesSource::kLocalText;
    EXPECT_EQ(contest::RulesSourceOf(code), expected) << "code " << c;
    EXPECT_EQ(contest::RulesFile(code).empty(), web) << "code " << c;
  }
}

TEST_F(ServiceTest, MakerPageAndFurtherPrograms) {
  Fkt().OpenMakerPage();
  Fkt().ShowMorePrograms();
  EXPECT_EQ(port_->calls, (std::vector<std::string>{"OpenLink https://www.domivox.example/",
                                                    "ShowMorePrograms"}));
}

TEST_F(ServiceTest, AMakerPageTheOperatorEmptiedOpensNothing) {
  std::ofstream(folder_ / "contests.toml") << "[Program]\nMakerPage = \"\"\n";
  Fkt().OpenMakerPage();
  EXPECT_TRUE(port_->calls.empty());
}

}  // namespace
}  // namespace contest_test
