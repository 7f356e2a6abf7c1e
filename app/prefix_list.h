// The DXCC prefix list: the prefix table ("PXPREFIX") in the data list window, with the browse
// controller of prefix_brow_ctrl.h. TDatenPrefixFkt::ChooseDXCC opens it in select mode for the
// QSO edit dialog, which takes the chosen entry's prefix and DXCC prefix. Entries can be deleted
// from the list; new entries and changes are not offered for this table.
#pragma once

#include <cstdint>
#include <string>

#include "app/daten_liste_ctrl.h"
#include "logbook/reference/prefix_cursor.h"

namespace app {

class TDatenPrefixFkt final : public TDatenFkt {
 public:
  // The one object of the prefix table's data functions.
  static TDatenPrefixFkt& Instance();

  // Asks once ("alle selektierten Einträge löschen?" for several, "Prefix <prefix> löschen?" for
  // one) and deletes each entry that still exists; true once one was deleted.
  bool DeleteSelection(const platform::qt::TStrings& refs) override;
  // The main table's use count (ToDatPrefix, kind set 1).
  int OpenFiles() override;
  void CloseFiles() override;

  // Lets the user pick an entry (the list in select mode, by DXCC prefix); `dxcc` and `prefix`
  // take the entry's DXCC prefix and prefix, both empty when none was taken. The start text is
  // kept with the list; it does not position it.
  static void ChooseDXCC(std::string& dxcc, const std::string& start_text, std::string& prefix);
};

class TDatenPrefixListeCtrl : public TDatenListeCtrl {
 public:
  static constexpr std::int32_t kHelpContext = 300060001;

  // Opens the prefix table for the list's life; `owner` may be null (the application).
  TDatenPrefixListeCtrl(platform::qt::TComponent* owner, bool select_mode,
                        const std::string& start_text, int index_nr, std::uint8_t view_flag);

  void CreateBrowCtrl() override;

  const std::string& StartText() const { return start_text_; }
  int IndexNr() const { return index_nr_; }
  std::uint8_t ViewFlag() const { return view_flag_; }

 private:
  std::string start_text_;
  int index_nr_;
  std::uint8_t view_flag_;
};

}  // namespace app
