// The catalogue service's operations on whole logs and contest codes (contest/contest_fkt.h); the
// definition loader is in contest_fkt.cpp.
#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/text_file_writer.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contest/contest_tables.h"
#include "contest/contest_titles.h"
#include "logbook/settings/setups.h"
#include "storage/driver/db_error.h"

namespace contest {
namespace {

constexpr std::string_view kProgramName = "Domivox";
constexpr std::string_view kVersion = "Version 2020-2.0";
constexpr std::string_view kTitlePicture = "titel_pelhamburg";
constexpr std::size_t kDataFolderEntry = 6;  // the seventh entry of the folder list

common::ToMessages& Messages() { return common::Service<common::ToMessages>::Get(); }

// A slice of an exchange text and the length the joined text is cut to after it.
struct CutSlice {
  std::size_t cut;
  std::string_view slice;
};

std::string JoinSlices(std::initializer_list<CutSlice> slices) {
  std::string text;
  for (const CutSlice& s : slices) {
    text += s.slice;
    if (text.size() > s.cut) text.resize(s.cut);
  }
  return text;
}

// The characters of `text` from `from` (0-based) on, at most `count`; empty past its end.
std::string_view Part(std::string_view text, std::size_t from, std::size_t count) {
  return from < text.size() ? text.substr(from, count) : std::string_view{};
}

// Lines of a text file as a list editor reads them: CR LF, LF or CR end a line; a last line
// without an end counts. Nothing when the file does not exist.
std::vector<std::string> ReadLines(const std::string& name) {
  std::vector<std::string> lines;
  std::ifstream in(common::OsPath(name), std::ios::binary);
  if (!in) return lines;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line.push_back(c);
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

// Whether a data or index file of the log's QSO table is still on disk.
bool LogFilesRemain(std::int32_t log_number) {
  std::string path = common::Service<ToDatContest>::Get().TablePath(kTableLK, log_number);
  // The driver places a relative table path in its start folder.
  std::replace(path.begin(), path.end(), '\\', '/');
  if (!path.starts_with('/') && path.find(':') == std::string::npos) path = StartDir() + path;
  return common::FileExists(path + ".DAT") || common::FileExists(path + ".IX");
}

}  // namespace

TContestFkt::TContestFkt() : port_(std::make_unique<ContestPort>()) {}
TContestFkt::~TContestFkt() = default;

std::unique_ptr<ContestPort> TContestFkt::SetPort(std::unique_ptr<ContestPort> port) {
  std::unique_ptr<ContestPort> previous = std::move(port_);
  port_ = port != nullptr ? std::move(port) : std::make_unique<ContestPort>();
  return previous;
}

// --- exchange texts ---

std::string TContestFkt::SentExchangeText(const TContestLKRec& record) {
  return JoinSlices({{9, record.SentExch1_9.view()},
                     {11, record.SentExch10_11.view()},
                     {13, record.SentExch12_13.view()},
                     {20, record.SentExch14_20.view()}});
}

std::string TContestFkt::RcvdExchangeText(const TContestLKRec& record) {
  return JoinSlices({{9, record.RcvdExch1_9.view()},
                     {11, record.RcvdExch10_11.view()},
                     {13, record.RcvdExch12_13.view()},
                     {20, record.RcvdExch14_20.view()},
                     {24, record.RcvdExch21_24.view()}});
}

void TContestFkt::SetSentExchange(std::string_view text, TContestLKRec& record) {
  record.SentExch1_9 = Part(text, 0, 9);
  record.SentExch10_11 = Part(text, 9, 2);
  record.SentExch12_13 = Part(text, 11, 2);
  record.SentExch14_20 = Part(text, 13, 7);
}

void TContestFkt::SetRcvdExchange(std::string_view text, TContestLKRec& record) {
  record.RcvdExch1_9 = Part(text, 0, 9);
  record.RcvdExch10_11 = Part(text, 9, 2);
  record.RcvdExch12_13 = Part(text, 11, 2);
  record.RcvdExch14_20 = Part(text, 13, 7);
  record.RcvdExch21_24 = Part(text, 20, 4);
}

// --- the contest code and this edition ---

std::string TContestFkt::TitleOf(const ContestTitleRow& row) {
  if (row.code != kEventCode) return std::string(row.title);
  const ContestData* event = Definitions().Find(kEventCode);
  return event != nullptr ? event->Title : std::string();
}

void TContestFkt::ContestTitleAndPicture(char code, std::string& title, std::string& picture) {
  title.clear();
  picture.clear();
  const ContestTitleRow* row = FindContestTitle(code);
  if (row == nullptr) return;
  title = "\"" + TitleOf(*row) + "\"";
  if (row->picture.empty()) return;
  picture = (row->in_data_folder ? DataDir() : std::string()) + std::string(row->picture);
}

void TContestFkt::EditionInfo(char& code, std::string& caption, std::string& notice,
                              std::string& picture_name) {
  const std::string& maker = Definitions().Program().Maker;
  code = kEditionCode;
  const ContestTitleRow* edition = FindContestTitle(kEditionCode);
  caption = maker + " " + std::string(kProgramName) + " " + std::string(kVersion);
  if (edition != nullptr) caption += " " + TitleOf(*edition);
  notice = "Contest-Logbuch der " + maker;
  picture_name = kTitlePicture;
}

// --- a log of the catalogue ---

std::int32_t TContestFkt::OpenEntryForm(char show, int change, int mode, TdbContest& catalogue,
                                        TdbContest& contest_data) {
  if (show == 0) return 0;
  return Port().RunEntryForm(change, mode, show, catalogue, contest_data);
}

bool TContestFkt::EnsureContestData(std::int32_t record, TdbContest& catalogue,
                                    TdbContest& contest_data) {
  // Without its catalogue record there is no Nummer to give the contest data.
  if (record > 0 && !catalogue.SeekRef(record)) return false;
  TContestKKRec log{};
  catalogue.GetKKRec(log);
  if (log.Nummer == 0) return false;
  if (contest_data.FindByNummer(log.Nummer)) return true;
  contest_data.ClearRec();
  const auto data = std::make_unique<TContestKZRec>();
  data->Nummer = log.Nummer;
  contest_data.SetKZRec(*data);
  return contest_data.InsertRec();
}

void TContestFkt::DeleteLog(TdbContest& catalogue, TdbContest& contest_data, std::int32_t record) {
  if (!catalogue.SeekRef(record)) return;
  TContestKKRec log{};
  catalogue.GetKKRec(log);
  const std::string name = log.Name.str();
  if (!Messages().JaNeinFrage("", "Sicherheitsabfrage", "Logbuch " + name + " löschen?", false) ||
      !Messages().JaNeinFrage("", "Sicherheitsabfrage",
                              "Komplettes Logbuch " + name + " unwiederbringlich löschen?",
                              false)) {
    return;
  }
  EnsureContestData(record, catalogue, contest_data);
  ToDatContest& dat = common::Service<ToDatContest>::Get();
  const std::int32_t nummer = log.Nummer;
  if (!dat.OpenTables(TableMask(kTableLK), nummer)) return;
  try {
    TdbContest qsos(kTableLK, nummer);
    qsos.EraseFiles();
  } catch (const storage::EDBError&) {
    // The platform refuses to erase files another program instance has open (the driver
    // raises that as a serious error): the log is still being written there. Told below.
  }
  dat.CloseTables(TableMask(kTableLK), nummer);
  // Whatever stopped the erase, a log whose files remain keeps its catalogue entry.
  if (LogFilesRemain(nummer)) {
    Messages().Fehler("Das Logbuch " + name + " ist noch geöffnet und wurde nicht gelöscht.");
    return;
  }
  if (contest_data.FindByNummer(nummer)) contest_data.Delete(false);
  catalogue.Delete(false);
}

void TContestFkt::RunLog(platform::qt::TForm* owner, const TContestRec& definition,
                         TdbContest& catalogue, TdbContest& contest_data) {
  TContestKKRec log{};
  catalogue.GetKKRec(log);
  if (log.Typ == 0) return;
  Port().RunContestLog(owner, log.Nummer, definition, catalogue, contest_data);
}

void TContestFkt::EditNote(const std::string& note_file, TdbContest& catalogue,
                           const TdbContestBase& log) {
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  std::string stamp = dates.DateToDateString(dates.TodayUtc(), "dd.mm.yyyy") + " " +
                      dates.TimeToTimeString(dates.NowUtc(), "hh:mm") + " " +
                      common::SetLen(log.GetCall(), 10, true) + " > ";
  std::vector<std::string> lines = ReadLines(note_file);
  lines.insert(lines.begin(), stamp);
  if (!common::WriteTextFile(note_file, lines)) {
    Messages().Fehler("Die Notiz " + note_file + " konnte nicht gespeichert werden.");
    return;
  }

  // Only the note's place changes: the rest of the record stays as stored (another station's
  // claim among it).
  catalogue.ReRead();
  TContestKKRec record{};
  catalogue.GetKKRec(record);
  WindowRect rect;
  if (record.NoteWidth > 0) {
    rect.left = record.NoteLeft;
    rect.top = record.NoteTop;
    rect.right = rect.left + record.NoteWidth - 1;
    rect.bottom = rect.top + record.NoteHeight - 1;
  }
  Port().ShowText("Notiz", &rect, note_file, stamp);
  // A window that reports no place of its own (none was shown) leaves the stored one.
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  record.NoteLeft = static_cast<std::int16_t>(rect.left);
  record.NoteTop = static_cast<std::int16_t>(rect.top);
  record.NoteWidth = static_cast<std::int16_t>(rect.right - rect.left + 1);
  record.NoteHeight = static_cast<std::int16_t>(rect.bottom - rect.top + 1);
  catalogue.SetKKRec(record);
  if (!catalogue.UpdateRec()) {
    Messages().Fehler("Die Position des Notizfensters konnte nicht gespeichert werden.");
  }
}

// --- the maker and the rules ---

void TContestFkt::ShowMorePrograms() { Port().ShowMorePrograms(); }

void TContestFkt::OpenMakerPage() {
  const std::string& page = Definitions().Program().MakerPage;
  if (!page.empty()) Port().OpenLink(page);
}

std::string TContestFkt::DataDir() {
  return common::Service<logbook::ToSetups>::Get().GetDirs().dirs[kDataFolderEntry];
}

void TContestFkt::ShowRules(char code) {
  switch (RulesSourceOf(code)) {
    case RulesSource::kWebPage: {
      const ContestData* contest = Definitions().Find(code);
      if (contest == nullptr || contest->RulesPage.empty()) {
        Messages().Hinweis("", "", "Für diesen Contest ist keine Ausschreibung hinterlegt.", false);
        return;
      }
      Port().OpenLink(contest->RulesPage);
      return;
    }
    case RulesSource::kDocument:
      Port().OpenLink(DataDir() + StartDir() + std::string(RulesFile(code)));
      return;
    case RulesSource::kLocalText: {
      std::string short_text;
      Port().ShowText("Contestregeln", nullptr, DataDir() + std::string(RulesFile(code)),
                      short_text);
      return;
    }
  }
}

}  // namespace contest
