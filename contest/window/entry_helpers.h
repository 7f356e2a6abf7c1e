// Helpers of the contest log window's entry area: the automatic date and time of the new QSO,
// the Enter key of the active field, the keys of the call field, the QSL-sent toggle, the name
// and QTH fields, the switch between entry and list, and the small windows shown over the log
// at their remembered place. None keeps state; the controls are the log window's.
#pragma once

#include "contest/contest_table.h"
#include "platform/qt/control.h"
#include "platform/qt/form.h"
#include "platform/qt/label.h"
#include "platform/qt/types.h"
#include "platform/qt/win_control.h"
#include "storage/tables/table_base.h"
#include "ui/kv_edit.h"

namespace contest::window {

// The clock of the entry (every second): with the catalogue record's DatumAuto (byte 192) set,
// the new QSO in the log object's working copy gets today's UTC date, and `date_field` and
// `date_label` show it as "dd.mm.yyyy"; with ZeitAuto (byte 193) or `force_time` set, it gets
// the UTC time of day, shown as "hh:mm:ss" in `time_field` and `time_label`. Needs ToDates.
void ShowPeriodInfo(const TdbContestBase& catalogue, TdbContestBase& log, bool force_time,
                    platform::qt::TLabel& time_label, platform::qt::TLabel& date_label,
                    ui::TkvEdit& time_field, ui::TkvEdit& date_field);

// When the form's active control is a TkvEdit or a list box with an OnKeyPress handler, calls
// that handler with Enter (character 13) as if the key had been typed there.
void DefaultButton(platform::qt::TForm& form);

// Whether the settings show the zeros of calls slashed (ToSetups, further options byte 7
// counted from 0).
bool SlashedZeroDisplay();

// The key-press handler of the call fields. In a TkvEdit with the slashed zero, a typed '0'
// becomes the slashed zero (216) when the settings' slashed-zero display is on. In the field
// named "eCall" a typed '#' appends "/p" unless the text already holds "/p" in any letter case,
// and acts as Enter: `key` becomes 13 and DefaultButton runs.
void CallKeyPress(platform::qt::TForm& form, platform::qt::TWinControl& edit, char& key);

// Toggles the QSL-sent mark: 'J', 'S', 'Y' in either case become 'N', anything else 'Y'; the
// caption reads "&QSL senden: ja" or "&QSL senden: nein".
void QslSentCaption(char& qsl, platform::qt::TControl& caption);

// Shows or hides the QTH field; the name and frequency fields and the labels of name, QTH and
// frequency follow it, the call's name label does the opposite.
void ShowNameQth(platform::qt::TControl& leFreq, platform::qt::TControl& leName,
                 platform::qt::TControl& lcallname, platform::qt::TControl& eQTH,
                 platform::qt::TControl& eName, platform::qt::TControl& eFreq,
                 platform::qt::TControl& leQTH);

// Switches the log window between entry and list. Entry on: the speed buttons of both button
// panels are enabled, those of the list panel and its bitmap buttons disabled; the coloured
// panel goes navy, the caption white with "Contest-Logbuch" when the log grid is visible, else
// "DX-Cluster" when the cluster is shown. Entry off: the other way round, the coloured panel red
// and the captions end in " (ESC: zurück zur Eingabe)". Only the panels' own children change.
void SetClusterCaption(bool entry_on, platform::qt::TWinControl& buttons_a, bool cluster_shown,
                       const platform::qt::TControl& log_grid, platform::qt::TControl& caption,
                       platform::qt::TControl& coloured_panel,
                       platform::qt::TWinControl& list_panel, platform::qt::TWinControl& buttons_b);

// Shows `form` modally at the remembered bounds (ui::PlaceForm, when their width is above 0),
// keeps its bounds afterwards in `remembered` and re-reads the table object's current record,
// which the window may have changed.
void SetBounds(platform::qt::TRect& remembered, platform::qt::TForm& form, storage::TdbBase& table);

}  // namespace contest::window
