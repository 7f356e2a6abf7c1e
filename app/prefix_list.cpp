#include "app/prefix_list.h"

#include <memory>

#include "app/daten_liste_form.h"
#include "app/prefix_brow_ctrl.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/reference/prefix_files.h"

namespace app {
namespace {

bool Confirmed(const std::string& question) {
  return common::Service<common::ToMessages>::Get().JaNeinFrage("", "Sicherheitsabfrage", question,
                                                                true);
}

}  // namespace

TDatenPrefixFkt& TDatenPrefixFkt::Instance() {
  static TDatenPrefixFkt functions;
  return functions;
}

bool TDatenPrefixFkt::DeleteSelection(const platform::qt::TStrings& refs) {
  if (refs.Count() == 0) return false;
  logbook::TdbPrefix cursor(logbook::kPrefixMain);
  // Only a reference that still finds its entry is deleted: a row another user removed meanwhile
  // must not take whichever entry the cursor holds with it.
  const auto seek = [&cursor](const std::string& text) {
    const std::int32_t ref = common::StrToIntNoComma(text);
    return ref > 0 && cursor.SeekRef(ref);
  };
  if (refs.Count() > 1) {
    if (!Confirmed("alle selektierten Einträge löschen?")) return false;
  } else {
    if (!seek(refs.Get(0))) return false;
    if (!Confirmed("Prefix " + cursor.GetPrefix() + " löschen?")) return false;
  }
  bool deleted = false;
  for (int i = 0; i < refs.Count(); ++i) {
    if (seek(refs.Get(i)) && cursor.Delete(false)) deleted = true;
  }
  return deleted;
}

int TDatenPrefixFkt::OpenFiles() {
  return common::Service<logbook::ToDatPrefix>::Get().OpenFiles(logbook::ToDatPrefix::kBitMain,
                                                                false)
             ? 0
             : 1;
}

void TDatenPrefixFkt::CloseFiles() {
  common::Service<logbook::ToDatPrefix>::Get().CloseFiles(logbook::ToDatPrefix::kBitMain, false);
}

void TDatenPrefixFkt::ChooseDXCC(std::string& dxcc, const std::string& start_text,
                                 std::string& prefix) {
  dxcc.clear();
  prefix.clear();
  TDatenPrefixListeCtrl list(nullptr, true, start_text, kPrefixIndexSelDxcc, 0);
  if (!list.Execute()) return;
  logbook::TdbPrefix cursor(logbook::kPrefixMain);
  if (list.ChosenRecord > 0 && cursor.SeekRef(list.ChosenRecord)) {
    prefix = cursor.GetPrefix();
    dxcc = cursor.GetDXCC();
  }
}

TDatenPrefixListeCtrl::TDatenPrefixListeCtrl(platform::qt::TComponent* owner, bool select_mode,
                                             const std::string& start_text, int index_nr,
                                             std::uint8_t view_flag)
    : TDatenListeCtrl(std::make_unique<logbook::TdbPrefix>(logbook::kPrefixMain),
                      TDatenPrefixFkt::Instance(), owner, select_mode),
      start_text_(start_text),
      index_nr_(index_nr),
      view_flag_(view_flag) {
  HelpContext = kHelpContext;
  Caption = "Prefix";
}

void TDatenPrefixListeCtrl::CreateBrowCtrl() {
  SetBrowCtrl(std::make_unique<TDatenPrefixBrowCtrl>(
      Window()->Brow, SelectMode(), common::LeftStr(start_text_, 255), index_nr_, view_flag_,
      static_cast<logbook::TdbPrefix*>(&Table()), Window(), 1));
}

}  // namespace app
