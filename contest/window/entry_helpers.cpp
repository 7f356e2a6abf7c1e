#include "contest/window/entry_helpers.h"

#include <string>

#include "common/lang_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "logbook/settings/setups.h"
#include "platform/qt/colors.h"
#include "platform/qt/list_box.h"
#include "platform/qt/speed_button.h"
#include "ui/bit_btn.h"
#include "ui/kv_form.h"

namespace contest::window {
namespace {

using platform::qt::TControl;
using platform::qt::TWinControl;

constexpr char kEnter = 13;
constexpr char kSlashedZero = static_cast<char>(216);
// The further options' slashed-zero display, the byte the call entry asks.
constexpr std::size_t kSlashedZeroTyping = 7;


// Enables or disables the panel's own children of the kinds asked for.
void EnableButtons(TWinControl& panel, bool enabled, bool bitmap_buttons_too) {
  for (TControl* child : panel.Controls()) {
    if (dynamic_cast<platform::qt::TSpeedButton*>(child) != nullptr ||
        (bitmap_buttons_too && dynamic_cast<ui::TkvBitBtn*>(child) != nullptr)) {
      child->SetEnabled(enabled);
    }
  }
}

}  // namespace

bool SlashedZeroDisplay() {
  return common::Service<logbook::ToSetups>::Get()
             .WeiterePtr()
             .option_bytes_1_to_11[kSlashedZeroTyping] != 0;
}

void ShowPeriodInfo(const TdbContestBase& catalogue, TdbContestBase& log, bool force_time,
                    platform::qt::TLabel& time_label, platform::qt::TLabel& date_label,
                    ui::TkvEdit& time_field, ui::TkvEdit& date_field) {
  TContestKKRec settings{};
  catalogue.GetKKRec(settings);
  const bool date = settings.DatumAuto != 0;
  const bool time = settings.ZeitAuto != 0 || force_time;
  if (!date && !time) return;
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  TContestLKRec qso{};
  log.GetLKRec(qso);
  if (date) {
    qso.Datum = dates.TodayUtc();
    const std::string text = dates.DateToDateString(qso.Datum, "dd.mm.yyyy");
    date_field.SetStr(text);
    date_label.SetCaption(text);
  }
  if (time) {
    qso.Zeit = dates.NowUtc();
    const std::string text = dates.TimeToTimeString(qso.Zeit, "hh:mm:ss");
    time_field.SetStr(text);
    time_label.SetCaption(text);
  }
  log.SetLKWorkingCopy(qso);
}

void DefaultButton(platform::qt::TForm& form) {
  TWinControl* active = form.ActiveControl();
  if (dynamic_cast<ui::TkvEdit*>(active) == nullptr &&
      dynamic_cast<platform::qt::TListBox*>(active) == nullptr) {
    return;
  }
  if (!active->OnKeyPress) return;
  char key = kEnter;
  active->OnKeyPress(active, key);
}

void CallKeyPress(platform::qt::TForm& form, TWinControl& edit, char& key) {
  auto* field = dynamic_cast<ui::TkvEdit*>(&edit);
  if (key == '0' && field != nullptr && field->SlashedZero() && SlashedZeroDisplay()) {
    key = kSlashedZero;
  }
  if (key != '#' || edit.Name() != "eCall") return;
  const std::string text = edit.Text();
  if (common::UpperCase(text).find("/P") == std::string::npos) edit.SetText(text + "/p");
  key = kEnter;
  DefaultButton(form);
}

void QslSentCaption(char& qsl, TControl& caption) {
  const std::string marks = "JSYjsy";
  qsl = marks.find(qsl) != std::string::npos ? 'N' : 'Y';
  caption.SetCaption(qsl == 'Y' ? "&QSL senden: ja" : "&QSL senden: nein");
}

void ShowNameQth(TControl& leFreq, TControl& leName, TControl& lcallname, TControl& eQTH,
                 TControl& eName, TControl& eFreq, TControl& leQTH) {
  const bool shown = !eQTH.Visible();
  eQTH.SetVisible(shown);
  for (TControl* follower : {&eName, &leName, &leQTH, &eFreq, &leFreq}) {
    follower->SetVisible(shown);
  }
  lcallname.SetVisible(!shown);
}

void SetClusterCaption(bool entry_on, TWinControl& buttons_a, bool cluster_shown,
                       const TControl& log_grid, TControl& caption, TControl& coloured_panel,
                       TWinControl& list_panel, TWinControl& buttons_b) {
  EnableButtons(buttons_a, entry_on, false);
  EnableButtons(buttons_b, entry_on, false);
  EnableButtons(list_panel, !entry_on, true);
  std::string text;
  if (log_grid.Visible()) {
    text = common::LangText("Contest-Logbuch", "Contest-logbook");
  } else if (cluster_shown) {
    text = "DX-Cluster";
  }
  if (entry_on) {
    coloured_panel.SetColor(platform::qt::clNavy);
    caption.Font().SetColor(platform::qt::clWhite);
  } else {
    coloured_panel.SetColor(platform::qt::clRed);
    if (!text.empty()) {
      text += common::LangText(" (ESC: zurück zur Eingabe)", " (ESC: return to entry)");
    }
  }
  if (!text.empty()) caption.SetCaption(text);
}

void SetBounds(platform::qt::TRect& remembered, platform::qt::TForm& form,
               storage::TdbBase& table) {
  if (remembered.Width() > 0) ui::PlaceForm(form, remembered);
  form.ShowModal();
  remembered = form.BoundsRect();
  table.Reposition(true);
}

}  // namespace contest::window
