#include "app/output_menu.h"

#include "common/messages.h"
#include "common/service.h"

namespace app {

bool Offered(const OutputMenuEntry& entry, const contest::TContestRec& definition) {
  return entry.element < 0 || definition.OutputMenu.test(static_cast<std::size_t>(entry.element));
}

TOutputMenu::TOutputMenu(platform::qt::TComponent& form, OutputFunction write_output)
    : druckwagpopup(new platform::qt::TPopupMenu(&form)), write_output_(std::move(write_output)) {
  druckwagpopup->SetName("druckwagpopup");
  druckwagpopup->SetAutoPopup(false);
  for (std::size_t i = 0; i < kOutputMenu.size(); ++i) {
    const OutputMenuEntry& entry = kOutputMenu[i];
    auto* item = new platform::qt::TMenuItem(&form);
    item->SetName(entry.name);
    item->SetCaption(entry.caption);
    const int code = entry.code;
    const bool adif = code == 9;
    item->OnClick = [this, code, adif](platform::qt::TComponent*) {
      if (adif) {
        // The answer (the box "Meldung nicht mehr anzeigen") is not kept.
        common::Service<common::ToMessages>::Get().HinweisMitCheck(
            "Contest", "Exportdatei",
            "Achtung: Bitte die Ausschreibung beachten, ob ADIF-Dateien erwünscht sind und "
            "akzeptiert werden.",
            true);
      }
      write_output_(code);
    };
    druckwagpopup->Items()->Add(item);
    items_[i] = item;
    if (entry.separator_after) {
      auto* line = new platform::qt::TMenuItem(&form);
      line->SetCaption("-");
      druckwagpopup->Items()->Add(line);
    }
  }
}

void TOutputMenu::Update(const contest::TContestRec& definition) {
  for (std::size_t i = 0; i < kOutputMenu.size(); ++i) {
    const OutputMenuEntry& entry = kOutputMenu[i];
    const bool offered = Offered(entry, definition);
    items_[i]->SetEnabled(offered);
    items_[i]->SetCaption(!offered && entry.plain_caption != nullptr ? entry.plain_caption
                                                                     : entry.caption);
  }
}

bool TOutputMenu::Open(const contest::TContestRec& definition, bool log_stored,
                       const platform::qt::TControl& button) {
  if (!log_stored) return false;
  Update(definition);
  const platform::qt::TPoint corner = button.ClientToScreen({0, 0});
  Popup(corner.X, corner.Y);
  return druckwagpopup->IsShowing();
}

platform::qt::TMenuItem* TOutputMenu::Item(const std::string& name) const {
  for (std::size_t i = 0; i < kOutputMenu.size(); ++i) {
    if (name == kOutputMenu[i].name) return items_[i];
  }
  return nullptr;
}

}  // namespace app
