#include "app/contest_brow_ctrl.h"

#include <string>

#include "common/lang_text.h"
#include "common/messages.h"
#include "common/record_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "platform/qt/form.h"
#include "ui/browser.h"

namespace app {
namespace {

using common::Service;

constexpr int kNameKey = 1;
constexpr int kDateKey = 2;
constexpr int kNumberKey = 3;
constexpr int kNameWidth = 26;
constexpr int kDateWidth = 13;
constexpr int kDateCut = 20;

contest::TContestFkt& Fkt() { return Service<contest::TContestFkt>::Get(); }

common::TKeyStr CodeKey(char code) { return common::ShortToLenArray(std::string(1, code)); }

std::string DateColumn(std::int32_t day) {
  if (day < 1) return std::string(kDateWidth, ' ');
  const std::string text =
      Service<common::ToDates>::Get().DateToDateString(day, "dd.mm.yyyy") + "   ";
  return text.substr(0, kDateCut);
}

// The three columns in the order of the current sort: name first, or the from-date first.
std::string JoinColumns(bool date_first, const std::string& name, const std::string& from,
                        const std::string& to) {
  return " " + (date_first ? from + ";" + name : name + ";" + from) + ";" + to;
}

}  // namespace

TContestBrowCtrl::TContestBrowCtrl(ui::TkvBrow* grid, char code, platform::qt::TForm* owner,
                                   ui::TkvForm* scale_form, int list_number)
    : ProgramDatabases(code),
      ui::TDatenBrowCtrl(grid, 0, &Catalogue(), scale_form,
                         static_cast<std::uint8_t>(list_number)),
      owner_(owner) {
  if (grid == nullptr) return;
  const common::TKeyStr bound = CodeKey(code);
  grid->Init(kContestListNr, &Catalogue(), kNameKey, 0, 0, bound, bound, scale_form,
             static_cast<std::uint8_t>(list_number), 0);
  ShowNewestLog();
}

TContestBrowCtrl::~TContestBrowCtrl() = default;

void TContestBrowCtrl::ShowNewestLog() {
  contest::TdbContest& catalogue = Catalogue();
  if (!catalogue.Last(kNumberKey)) return;
  // The newest log of another contest code is not in the grid's range: the newest of ours is.
  contest::TContestKKRec log{};
  for (catalogue.GetKKRec(log); log.Typ != ContestCode(); catalogue.GetKKRec(log)) {
    if (!catalogue.MovePrev(kNumberKey)) return;
    catalogue.FetchRecord(true, true, 0);
  }
  Browser()->GotoDatensatz(catalogue.CurrentRef(), 0, 1);
}

// --- the grid's content ---

bool TContestBrowCtrl::DateFirst() const {
  return Browser() != nullptr && Browser()->GetKeyNr() == kDateKey;
}

void TContestBrowCtrl::BuildRow(ui::RowRec& row) {
  contest::TdbContest& rows = RowTable();
  if (!rows.GotoRef(row.ref)) return;
  contest::TContestKKRec log{};
  rows.GetKKRec(log);
  const std::string name = (log.Name.str() + " ").substr(0, kNameWidth);
  row.text = JoinColumns(DateFirst(), name, DateColumn(log.DatumVon), DateColumn(log.DatumBis));
}

void TContestBrowCtrl::SetHeaderFooter() {
  ui::TkvBrow* grid = Browser();
  if (grid == nullptr || grid->Page() == nullptr) return;
  const bool date_first = DateFirst();
  const std::string name = common::PadRightChar(" Name", kNameWidth, ' ');
  const std::string from =
      common::PadRightChar(common::LangText("Datum (von)", "Date (from)"), kDateWidth, ' ');
  const std::string to =
      common::PadRightChar(common::LangText("Datum (bis)", " Date (to) "), kDateWidth, ' ');
  ui::TBrowColumnBytes columns{};
  columns[date_first ? 1 : 0] = kNameKey;
  columns[date_first ? 0 : 1] = kDateKey;
  grid->SetHeaderFooter(JoinColumns(date_first, name, from, to),
                        date_first ? common::LangText("Datum", "Date") : "Name", columns, {},
                        "Nr:Nummer;");
}

void TContestBrowCtrl::InitSortList() {
  ui::TkvBrow* grid = Browser();
  if (grid == nullptr) return;
  grid->ClearSortlist();
  grid->AddSortlist("Name");
  grid->AddSortlist("Datum");
}

int TContestBrowCtrl::SortList2Key(int entry, common::TKeyStr& lkey, common::TKeyStr& hkey) {
  lkey = CodeKey(ContestCode());
  hkey = lkey;
  return entry + 1;
}

// --- the log actions ---

void TContestBrowCtrl::StartLog(std::int32_t ref) {
  contest::TdbContest& catalogue = Catalogue();
  contest::TdbContest& contest_data = ContestData();
  if (!catalogue.GotoRef(ref)) return;
  Fkt().EnsureContestData(ref, catalogue, contest_data);
  Fkt().RunLog(owner_, Definition(), catalogue, contest_data);
  // The log window wrote both records and moved the files' shared current records: read the
  // log's own records again, not whatever the files stand on.
  if (!catalogue.GotoRef(ref)) return;
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  contest_data.FindByNummer(log.Nummer);
}

std::int32_t TContestBrowCtrl::NewLog() {
  const std::string caption = owner_ != nullptr ? owner_->Caption() : std::string();
  Service<common::ToMessages>::Get().Hinweis(
      "Contest", common::LangText("Versionsprüfung", "Version"),
      common::LangText("Bitte prüfen Sie vor dem Contest auf den Internetseiten des Herstellers, "
                       "ob Sie die neueste Version dieses Programms verwenden.\r\rAktuell "
                       "installiert: " +
                           caption,
                       "Please check on the maker's web sites before the contest whether you "
                       "are using the newest version of this program."),
      false);
  return Fkt().OpenEntryForm(ContestCode(), 0, 0, Catalogue(), ContestData());
}

bool TContestBrowCtrl::ChangeLog(std::int32_t ref) {
  Fkt().EnsureContestData(ref, Catalogue(), ContestData());
  Fkt().LoadContestDefinition(Definition(), Catalogue(), ContestCode(), true);
  return Fkt().OpenEntryForm(ContestCode(), 1, 0, Catalogue(), ContestData()) > 0;
}

void TContestBrowCtrl::ReviewLog() {
  Fkt().OpenEntryForm(ContestCode(), 1, 1, Catalogue(), ContestData());
}

void TContestBrowCtrl::DeleteLog(std::int32_t ref) {
  Fkt().DeleteLog(Catalogue(), ContestData(), ref);
}

void TContestBrowCtrl::ShowMorePrograms() { Fkt().ShowMorePrograms(); }

}  // namespace app
