// The band and mode lists of the log window: opened by their buttons (F8, F7) at the band or mode
// label, applied by double click or Enter, closed by Esc or a second click. A contest with just
// two bands or modes switches at once, without showing the list.
#include <algorithm>
#include <string>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/catalogue_record.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_record.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_start.h"
#include "logbook/reference/bands.h"
#include "platform/qt/keys.h"
#include "ui/kv_form.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;
using platform::qt::TControl;
using platform::qt::TListBox;

constexpr const char* kTypedModeItem = "DIGITAL";
constexpr int kModeLength = 6;
// The list's frame above and below its entries.
constexpr int kListFrame = 4;
// emode stands this far (scaled) above the mode label.
constexpr int kModeFieldRaise = 4;

// The place of `control` in the client area of `parent`, which holds it at some depth (its own
// parent when it is not inside `parent`).
platform::qt::TPoint PlaceIn(const TControl& control, const TControl* parent) {
  platform::qt::TPoint at{control.Left(), control.Top()};
  for (const TControl* up = control.Parent(); up != nullptr && up != parent; up = up->Parent()) {
    at.X += up->Left();
    at.Y += up->Top();
  }
  return at;
}

// The band of the list's entry `index`: the list holds the contest's bands in their order.
char ListedBand(const contest::TContestRec& definition, int index) {
  for (const char band : definition.Bands) {
    if (band != 0 && index-- == 0) return band;
  }
  return 0;
}

// Whether the list's entry `item` is the mode `mode`, which keeps 6 characters of it.
bool SameMode(const std::string& item, const std::string& mode) {
  return common::Trim(common::LeftStr(item, kModeLength)) == common::Trim(mode);
}

// The exchange `text` with its report replaced by `report`.
std::string WithReport(const std::string& text, const std::string& report) {
  std::string old_report;
  std::string v1;
  std::string v2;
  std::string v3;
  contest::TContLogAlle::SplitCall(text, old_report, v1, v2, v3);
  return contest::TContLogAlle::JoinCall(report, v1, v2, v3);
}

}  // namespace

void TContestLogStd::btnBandaClick(TComponent* /*sender*/) {
  if (listband->Visible()) {
    CloseOpenList();
    return;
  }
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  OpenSwitchList(*listband, *listmode, *lband,
                 listband->Items().IndexOf(bands.Band2Name(CurrentBand, false)));
}

void TContestLogStd::btnModeaClick(TComponent* /*sender*/) {
  if (listmode->Visible()) {
    CloseOpenList();
    return;
  }
  // The current mode keeps 6 characters of its entry ("DIGITA").
  int current = -1;
  for (int i = 0; i < listmode->Items().Count() && current < 0; ++i) {
    if (SameMode(listmode->Items().Get(i), CurrentMode.str())) current = i;
  }
  OpenSwitchList(*listmode, *listband, *lMode, current);
}

void TContestLogStd::OpenSwitchList(TListBox& list, TListBox& other, const TLabel& place,
                                    int current) {
  other.SetVisible(false);
  // At the label, as high as its entries, lifted where the entry panel would cut it off.
  const platform::qt::TPoint at = PlaceIn(place, list.Parent());
  const int room = list.Parent()->ClientHeight();
  list.SetHeight(std::min(list.Items().Count() * list.ItemHeight() + kListFrame, room));
  list.SetLeft(at.X);
  list.SetTop(std::max(0, std::min(at.Y, room - list.Height())));
  list.SetItemIndex(current);
  ReturnControl = ActiveControl();
  if (list.Items().Count() == 2) {
    // One of two: the other one, at once.
    list.SetItemIndex(list.ItemIndex() == 1 ? 0 : 1);
    if (&list == listband) {
      listbandDblClick(&list);
    } else {
      listmodeDblClick(&list);
    }
    return;
  }
  list.SetVisible(true);
  list.BringToFront();
  list.SetFocus();
}

void TContestLogStd::listbandDblClick(TComponent* /*sender*/) {
  if (listband->ItemIndex() >= 0) {
    FieldsToRecord();
    const char band = ListedBand(Definition, listband->ItemIndex());
    if (band != 0 && band != CurrentBand) SwitchBand(band);
    RecordToFields();
    FocusReturnControl();
  }
  listband->SetVisible(false);
}

void TContestLogStd::listmodeDblClick(TComponent* /*sender*/) {
  const int index = listmode->ItemIndex();
  if (index >= 0) {
    FieldsToRecord();
    const std::string mode = listmode->Items().Get(index);
    const bool typed_mode_shown = emode->Visible();
    emode->SetVisible(false);
    if (mode == kTypedModeItem) {
      const platform::qt::TPoint at = PlaceIn(*lMode, emode->Parent());
      emode->SetLeft(at.X);
      emode->SetTop(at.Y - ui::ScalePixels(*this, kModeFieldRaise, false));
      emode->SetVisible(true);
      emode->BringToFront();
    }
    const char code = ContestCode(*Catalogue);
    if (!SameMode(mode, CurrentMode.str())) {
      // A mode the window cannot switch to keeps the entry as it was.
      if (!SwitchMode(mode)) {
        emode->SetVisible(typed_mode_shown);
      } else if (code != 'j') {
        contest::TContestKKRec log{};
        Catalogue->GetKKRec(log);
        contest::TContestLKRec entry = EntryRecord(*this);
        const std::string report = DefaultReport(code, entry.Mode.view(), emode->Visible());
        // A report the operator types freely (bytes 246, 247) stays; a fixed one follows.
        if (log.RstSentFree == 0) {
          contest::TContestFkt::SetSentExchange(
              WithReport(contest::TContestFkt::SentExchangeText(entry), report), entry);
        }
        if (log.RstRcvdFree == 0) {
          contest::TContestFkt::SetRcvdExchange(
              WithReport(contest::TContestFkt::RcvdExchangeText(entry), report), entry);
        }
        SetEntryRecord(*this, entry);
      }
    }
    RecordToFields();
    FocusReturnControl();
  }
  listmode->SetVisible(false);
}

void TContestLogStd::SwitchListKeyDown(TComponent* sender, std::uint16_t& key) {
  if (key != platform::qt::VK_RETURN) return;
  key = 0;
  if (sender == listband) {
    listbandDblClick(sender);
  } else {
    listmodeDblClick(sender);
  }
}

bool TContestLogStd::CloseOpenList() {
  if (!listband->Visible() && !listmode->Visible()) return false;
  ShowControls({listband, listmode}, false);
  FocusReturnControl();
  return true;
}

void TContestLogStd::FocusReturnControl() {
  if (ReturnControl != nullptr && ReturnControl->CanFocus()) ReturnControl->SetFocus();
}

}  // namespace contestlog
