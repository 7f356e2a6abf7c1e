// ToLayout: the layout and theme engine of the windows. It gives list windows their colours,
// font, caption bar and button panels (StyleListenfenster), lays out every dialog for the user's
// font size (FormLayout), switches the bitmap buttons of a window off and on around long
// operations (DisableButtons, EnableButtons), builds the sort and view bar of list browsers
// (sort_bar.cpp), draws owner-drawn menus with icons (menu_drawing.cpp) and paints the cells of
// list grids (grid_painting.cpp).
//
// Every appearance value is read from the settings object's layout record at the moment it is
// needed (the record's defaults when no settings object exists), so a changed setting applies to
// the next window styled. The roles of the record: window colour = panel colour; highlight,
// panel, panel text and button colour = list colours 1 to 4; font name and size; the layout
// variant switch (GetLayoutOption: the new look).
//
// Windows are designed for a 9-point font and these component names: "panelAllgemein" (content),
// "panelCaptions" (holds the caption area), "panelCaption" (becomes the gradient caption bar in the
// new look), "panelCaption1" (the old look's coloured strip), "panelCaption2" or any panel with
// Tag 10004 (secondary caption panel), "panelbuttonspx3" / "panelbuttonspx4" (button panels of the
// old / new look, compared in lower case), "lCaption1" (the window's title).
#pragma once

#include "common/grid_colours.h"
#include "logbook/settings/setup_records.h"
#include "logbook/settings/setups.h"
#include "platform/qt/bitmap.h"
#include "platform/qt/menus.h"
#include "platform/qt/string_grid.h"
#include "platform/qt/win_control.h"
#include "ui/kv_form.h"

namespace ui {

class TkvBrow;

inline constexpr int kDesignFontSize = 9;
inline constexpr int kSecondaryCaptionTag = 10004;
inline constexpr double kGridRowHeightFactor = 1.2;

class ToLayout : public logbook::ToLayout {
 public:
  ToLayout() = delete;

  // The layout record of the settings (the defaults when there is no settings object).
  static logbook::ToSetupLayout Settings();
  // The program-wide grid colours (their initial values when that service does not exist).
  static common::GridColours GridColours();

  // Styles a list window (colours, fonts, caption bar and button panels by the component names),
  // then lays it out with FormLayout, whose result it returns. The caption bar's gradients and
  // title label are made owned by the form.
  static bool StyleListenfenster(TkvForm& form);
  // Font, font-size scaling and bounds of a dialog, a sizeable form kept within the virtual
  // screen less 50 pixels, then ToWinskal::ScaleForm (its result is returned).
  static bool FormLayout(TkvForm& form);

  // Clears kvDeaktiviert on the bitmap buttons of `container` (a panel: its buttons and those of
  // its child panels, one level deep; otherwise every bitmap button the form owns), then makes
  // `focus` (may be null) the active control of its form when it can take the focus.
  static void EnableButtons(platform::qt::TWinControl& container, platform::qt::TWinControl* focus);
  // Releases the browser's direct-edit button (ending direct editing) when a browser is given
  // (may be null), then sets kvDeaktiviert on the same buttons.
  static void DisableButtons(platform::qt::TWinControl& container, TkvBrow* browser = nullptr);

  // --- the sort and view bar of list browsers (sort_bar.cpp) ---
  // BuildSortierleiste(browser, true).
  static void Sortierleiste(TkvBrow& browser);
  // Turns the browser's plain bottom bar into the bar the user sees: a sort button and a view
  // button with pop-up menus in place of the combo boxes, the sort and search pictures, fonts
  // from the settings, the grid switched to the engine's painting unless the grid drawing
  // switch (the layout record's first byte) is set; the menus are owner-drawn (MenuDrawItem)
  // under the same condition. May run again for the same browser: menus
  // and buttons are made once (owned by the browser), fonts and places are applied again. With
  // `find_sort_entry` the first sort entry (0 to 100) whose key number is the browser's current
  // one becomes the chosen entry; without a match the choice stays.
  static void BuildSortierleiste(TkvBrow& browser, bool find_sort_entry);

  // --- owner-drawn menus with icons (menu_drawing.cpp) ---
  // The item handlers of an owner-drawn menu; `form` (may be null: no scaling) is the window
  // the menu belongs to. Measure: the settings' font, at least 120 pixels wide and 1.3 times an
  // "X" high. Draw: the item in the scheme's colours with its icon (MenuBitmaps) and caption.
  static void MenuMeasureItem(platform::qt::TMenuItem& item, platform::qt::TCanvas& canvas,
                              TkvForm* form, int& height, int& width);
  static void MenuDrawItem(platform::qt::TMenuItem& item, platform::qt::TCanvas& canvas,
                           TkvForm* form, bool selected, const platform::qt::TRect& rect);
  // The icon the caption stands for (the menu icon table) or, for a QSL status caption, its
  // colour swatch; nothing while no picture form exists.
  static void MenuBitmaps(platform::qt::TMenuItem& item, const platform::qt::TRect& rect,
                          TkvForm* form, platform::qt::TCanvas& canvas);
  // Binds every item of the menu to the two handlers above and makes the menu owner-drawn, unless
  // the layout record's first byte asks for the standard menus.
  static void OwnerDrawMenu(platform::qt::TPopupMenu& menu, TkvForm* form);

  // --- list grids, painted for the grid controller with the grid's default drawing off ---
  // The program-wide grid colours (common::GridColours), the cells' texts and objects (1: the
  // row is marked) and the look switch decide. Both paint on the grid's canvas during its paint
  // and put its pen, brush and font colour back. `buffer` (new look only): the cell is composed
  // in it and copied in one step; `cache`: a 2-pixel-wide gradient strip kept per colour and
  // height (its canvas font colour is the tag) and stretched. Either may be null.
  //
  // Header cell (column, 0): old look a flat fill (lightened 50 % for the sort column); new look
  // the grid loses its lines, row 0 becomes 24 high, and two gradient bands are painted.
  static void DrawHeaderCell(platform::qt::TStringGrid& grid, bool sort_column,
                             const platform::qt::TRect& rect, int column,
                             platform::qt::TBitmap* buffer, platform::qt::TBitmap* cache);
  // Data cell: new look flat rows with a gradient bar for current, hovered (hot) and marked rows
  // (an empty row gets none unless it is row 1); old look alternating row colours, the highlight
  // for current and marked rows, and lines. In the browser's "Liste" and "Miniaturansicht" views
  // the text is the field markup label "[" width "]".
  static void DrawCell(platform::qt::TStringGrid& grid, const platform::qt::TRect& rect, int row,
                       int column, platform::qt::TBitmap* buffer, platform::qt::TBitmap* cache,
                       bool current, bool hot);
};

}  // namespace ui
