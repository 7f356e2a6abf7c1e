// The layout engine's sort and view bar of list browsers: the sort and view buttons with their
// pop-up menus in place of the browser's combo boxes, the pictures, the fonts and the places on
// the bottom bar.
#include <functional>
#include <string>

#include "platform/qt/combo_box.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/menus.h"
#include "platform/qt/panel.h"
#include "ui/bit_btn.h"
#include "ui/browser.h"
#include "ui/browser_pictures.h"
#include "ui/kv_edit.h"
#include "ui/layout.h"
#include "ui/mouse_grid.h"

namespace ui {
namespace {

using platform::qt::TComboBox;
using platform::qt::TControl;
using platform::qt::TPopupMenu;

constexpr int kLastSortEntry = 100;  // the sort entries asked for the current key

// The font of the bar's own controls: the settings' name, their size scaled as a font size.
struct BarFont {
  std::string name;
  int size;
};

void ApplyFont(TControl& control, const BarFont& font) {
  control.SetParentFont(false);
  control.Font().SetName(font.name);
  control.Font().SetSize(font.size);
}

// A menu with one radio item per entry of the combo box, the combo's current entry checked.
TPopupMenu* MenuFromCombo(TkvBrow& browser, TComboBox& combo,
                          std::function<void(TComponent*)> click) {
  auto* menu = new TPopupMenu(&browser);
  for (int i = 0; i < combo.Items().Count(); ++i) {
    AddSelectorItem(browser, *menu, combo.Items().Get(i), click);
    if (i == combo.ItemIndex()) menu->Items()->Items(i)->SetChecked(true);
  }
  return menu;
}

TkvBitBtn* MenuButton(TkvBrow& browser, TPopupMenu* menu, const BarFont& font) {
  auto* button = new TkvBitBtn(&browser);
  button->SetParent(browser.BottomBar());
  ApplyFont(*button, font);
  button->SetkvMenue(menu);
  return button;
}

// The first sort entry whose key number is the browser's current one, -1 for none. The columns
// stay as they are while the entries are asked (the inquiry flag). An unbound browser has no
// key to look for.
int SortEntryOfCurrentKey(TkvBrow& browser) {
  const int key_nr = browser.GetKeyNr();
  if (key_nr <= 0) return -1;
  const bool before = browser.SortListInquiry();
  browser.SetSortListInquiry(true);
  struct Restore {
    TkvBrow& b;
    bool flag;
    ~Restore() { b.SetSortListInquiry(flag); }
  } restore{browser, before};
  for (int i = 0; i <= kLastSortEntry; ++i) {
    common::TKeyStr lkey;
    common::TKeyStr hkey;
    if (browser.DoSortList2Key(i, lkey, hkey) == key_nr) return i;
  }
  return -1;
}

void SetPicture(platform::qt::TImage& image, const char* name) {
  const platform::qt::TBitmap& picture = BrowserPicture(name);
  image.SetPicture(picture);
  image.SetTransparent(true);
  image.SetWidth(picture.Width());
  image.SetHeight(picture.Height());
}

// The places on the bottom bar; `scaled` converts a design value for the browser's form.
template <typename Scaled>
void PlaceBar(TkvBrow& b, const Scaled& scaled) {
  platform::qt::TImage& sort_picture = *b.SecondImage();
  SetPicture(sort_picture, "SORTIERUNGPX4");
  sort_picture.SetLeft(scaled(5));
  sort_picture.SetTop(scaled(9));
  sort_picture.Show();
  platform::qt::TLabel& label = *b.SortLabel();
  label.SetLeft(sort_picture.Left() + sort_picture.Width() + scaled(7));
  label.SetTop(scaled(12));
  TComboBox& combo = *b.SortCombo();
  combo.SetLeft(label.Left() + label.Width() + scaled(4));
  combo.Hide();
  TkvBitBtn& sort = *b.SortButton();
  sort.SetBounds(combo.Left() - scaled(4), label.Top() - scaled(7), sort.Width(), scaled(26));
  sort.Show();
  sort_picture.OnClick = [&b](TComponent*) { b.SortButtonAction(); };
  label.OnClick = [&b](TComponent*) { b.SortButtonAction(); };
  b.SetToolBarOffset(scaled(6));
  platform::qt::TImage& search_picture = *b.SearchImage();
  SetPicture(search_picture, "SCHNELLSUCHEPX42");
  search_picture.SetLeft(combo.Left() + combo.Width() + scaled(6));
  search_picture.SetTop(scaled(6));
  TkvEdit& field = *b.SearchField();
  // The field stands level with the sort button.
  field.SetBounds(search_picture.Left() + search_picture.Width() + scaled(4),
                  sort.Top() + (sort.Height() - field.Height()) / 2, scaled(70), field.Height());
  TkvBitBtn& view = *b.ViewButton();
  view.SetBounds(field.Left() + field.Width() + scaled(10), sort.Top(), view.Width(),
                 sort.Height());
}

}  // namespace

void ToLayout::Sortierleiste(TkvBrow& browser) { BuildSortierleiste(browser, true); }

void ToLayout::BuildSortierleiste(TkvBrow& b, bool find_sort_entry) {
  const logbook::ToSetupLayout s = Settings();
  TkvForm* form = b.GetScaleForm();
  const auto scaled = [form](int value) { return ScalePixels(form, value, false); };
  const BarFont font{s.font_name.str().empty() ? std::string("Arial") : s.font_name.str(),
                     ScalePixels(form, s.font_size > 0 ? s.font_size : kDesignFontSize, true)};
  const bool new_look = s.layout_variant_switch > 0;
  TkvMouseGrid& grid = b.GetGrid();

  b.SetNewLayoutFlag(s.layout_variant_switch);
  if (new_look && (grid.Options() & platform::qt::goHorzLine) != 0) {
    grid.SetOptions(grid.Options() & ~platform::qt::kGridLineOptions);
  }
  b.CloseStrip()->SetBevelOuter(platform::qt::TBevelCut::bvNone);
  if (s.popup_menu_switch == 0) b.SetGridOption(false);
  b.SetBrowFont("", 0, 0);
  for (TComponent* c : b.Components()) {
    if (auto* button = dynamic_cast<TkvBitBtn*>(c)) button->SetParentFont(true);
  }
  ApplyFont(*b.SearchField(), font);
  ApplyFont(*b.SortCombo(), font);
  ApplyFont(*b.SortLabel(), font);
  b.SortLabel()->SetCaption("S&ortierung:");

  if (b.SortMenu() == nullptr) {
    b.SetSortMenu(
        MenuFromCombo(b, *b.SortCombo(), [&b](TComponent* sender) { b.SortClick(sender); }));
  }
  // The menus are drawn as the grid is: by the engine unless the drawing switch is set.
  b.SortMenu()->SetOwnerDraw(s.popup_menu_switch == 0);
  if (b.SortButton() == nullptr) {
    TkvBitBtn* sort = MenuButton(b, b.SortMenu(), font);
    sort->SetCaption(b.SortCombo()->Text());
    sort->SetWidth(b.SortCombo()->Width());
    b.SetSortButton(sort);
  }
  b.SortLabel()->SetFocusControl(b.SortButton());
  if (find_sort_entry) {
    if (const int entry = SortEntryOfCurrentKey(b); entry >= 0) b.SetSortlistItemIndex(entry);
  }
  if (b.ViewMenu() == nullptr) {
    b.SetViewMenu(
        MenuFromCombo(b, *b.ViewCombo(), [&b](TComponent* sender) { b.ViewClick(sender); }));
  }
  b.ViewMenu()->SetOwnerDraw(s.popup_menu_switch == 0);
  if (b.ViewButton() == nullptr) {
    TkvBitBtn* view = MenuButton(b, b.ViewMenu(), font);
    view->SetCaption("Ansicht");
    view->SetWidth(scaled(70));
    b.SetViewButton(view);
  }
  b.ShowAnsicht(b.AnsichtCount() >= 1);

  if (new_look && grid.RowCount() > 0 && grid.RowHeights(0) != scaled(24)) {
    grid.SetRowHeights(0, scaled(24));
  }
  b.SetGridBorderStyle(platform::qt::TBorderStyle::bsNone);
  b.GridPanel()->SetBevelOuter(platform::qt::TBevelCut::bvLowered);
  b.SetBottomBarHeight(scaled(38));
  PlaceBar(b, scaled);
  b.ArrangeControls();
  b.DoSetHeaderFooter();
}

}  // namespace ui
