// The sort list and the views of the browser, in the combo boxes and, once the layout engine has
// made them, in the sort and view menus; the sort change, SwitchSort and the view switch.
#include <string>

#include "platform/qt/combo_box.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/menus.h"
#include "storage/driver/driver.h"
#include "ui/bit_btn.h"
#include "ui/browser.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/layout.h"
#include "ui/mouse_grid.h"
#include "ui/rounding.h"

namespace ui {
namespace {

using platform::qt::TMenuItem;
using platform::qt::TPopupMenu;

constexpr int kMenuColumn = 10;  // items per menu column
constexpr const char* kViewNames[] = {"Details", "Liste", "", "Miniaturansicht"};

bool MenuHas(const TPopupMenu* menu, const std::string& caption) {
  if (menu == nullptr) return false;
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    if (menu->Items()->Items(i)->Caption() == caption) return true;
  }
  return false;
}

// Checks the item at `index` only (none for an index outside the menu).
void CheckOnly(TPopupMenu& menu, int index) {
  for (int i = 0; i < menu.Items()->Count(); ++i) menu.Items()->Items(i)->SetChecked(i == index);
}

}  // namespace

void AddSelectorItem(TkvBrow& browser, TPopupMenu& menu, const std::string& caption,
                     std::function<void(TComponent*)> click) {
  auto* item = new TMenuItem(&menu);
  item->SetCaption(caption);
  item->SetRadioItem(true);
  const int position = menu.Items()->Count();
  if (position > 0 && position % kMenuColumn == 0) {
    item->SetBreak(platform::qt::TMenuBreak::mbBarBreak);
  }
  item->OnClick = std::move(click);
  // The items die with the menu, which the browser owns.
  item->OnMeasureItem = [item, &browser](TComponent*, platform::qt::TCanvas& canvas, int& width,
                                         int& height) {
    ToLayout::MenuMeasureItem(*item, canvas, browser.GetScaleForm(), height, width);
  };
  item->OnDrawItem = [item, &browser](TComponent*, platform::qt::TCanvas& canvas,
                                      const platform::qt::TRect& rect, bool selected) {
    ToLayout::MenuDrawItem(*item, canvas, browser.GetScaleForm(), selected, rect);
  };
  menu.Items()->Add(item);
}

// --- sort list ---

void TkvBrow::ClearSortlist() {
  sort_combo_->Clear();
  if (sort_menu_ != nullptr) sort_menu_->Items()->Clear();
}

void TkvBrow::AddSortlist(const std::string& name) {
  sort_combo_->Items().Add(name);
  if (sort_menu_ != nullptr) {
    AddSelectorItem(*this, *sort_menu_, name, [this](TComponent* sender) { SortClick(sender); });
  }
}

int TkvBrow::SortlistCount() const { return sort_combo_->Items().Count(); }

int TkvBrow::SortlistItemIndex() const {
  if (sort_menu_ == nullptr) return sort_combo_->ItemIndex();
  int index = 0;
  for (int i = 0; i < sort_menu_->Items()->Count(); ++i) {
    if (sort_menu_->Items()->Items(i)->Checked()) index = i;
  }
  return index;
}

void TkvBrow::SetSortlistItemIndex(int index) {
  sort_combo_->SetItemIndex(index);
  if (sort_menu_ == nullptr) return;
  CheckOnly(*sort_menu_, index);
  if (const TMenuItem* item = sort_menu_->Items()->Items(index);
      item != nullptr && sort_button_ != nullptr) {
    sort_button_->SetCaption(item->Caption());
    sort_button_->SetkvautoWidth(16);
  }
}

// Without the layout engine's bar the label goes with the combo box it names.
void TkvBrow::ShowSortlist(bool visible) {
  if (sort_button_ != nullptr) {
    sort_button_->SetVisible(visible);
    if (!visible) {
      sort_label_->Hide();
      second_image_->Hide();
    }
  } else {
    sort_combo_->SetVisible(visible);
    sort_label_->SetVisible(visible);
  }
  ArrangeControls();
}

void TkvBrow::EnableSortlist(bool enabled) {
  if (sort_button_ != nullptr) {
    sort_button_->SetEnabled(enabled);
  } else {
    sort_combo_->SetEnabled(enabled);
  }
}

void TkvBrow::DoInitSortList() {
  if (OnInitSortList) OnInitSortList();
  const int count = SortlistCount();
  ShowSortlist(count >= 2);
  EnableSortlist(count >= 2);
  if (count == 1) SetSortlistItemIndex(0);
}

// --- views ---

void TkvBrow::ClearAnsicht() {
  view_combo_->Clear();
  if (view_menu_ != nullptr) view_menu_->Items()->Clear();
}

void TkvBrow::AddAnsicht(const std::string& name) {
  if (view_combo_->Items().IndexOf(name) >= 0 || MenuHas(view_menu_, name)) return;
  view_combo_->Items().Add(name);
  if (view_menu_ != nullptr) {
    AddSelectorItem(*this, *view_menu_, name, [this](TComponent* sender) { ViewClick(sender); });
  }
}

int TkvBrow::AnsichtCount() const { return view_combo_->Items().Count(); }

int TkvBrow::AnsichtItemIndex() const { return view_combo_->ItemIndex(); }

void TkvBrow::SetAnsichtItemIndex(int index) {
  view_combo_->SetItemIndex(index);
  if (view_menu_ != nullptr) CheckOnly(*view_menu_, index);
}

void TkvBrow::ShowAnsicht(bool visible) {
  if (view_button_ != nullptr) view_button_->SetVisible(visible);
  ArrangeControls();
}

void TkvBrow::EnableAnsicht(bool enabled) {
  if (view_button_ != nullptr) view_button_->SetEnabled(enabled);
}

void TkvBrow::DoInitAnsicht() {
  if (OnInitAnsicht) OnInitAnsicht();
  ShowAnsicht(AnsichtCount() >= 2);
}

void TkvBrow::InitAnsicht(int flags) {
  ClearAnsicht();
  if ((flags & 2) != 0) AddAnsicht("Liste");
  if ((flags & 1) != 0) AddAnsicht("Details");
  if ((flags & 8) != 0) AddAnsicht("Miniaturansicht");
  SetAnsichtItemIndex(1);
  if (view_ != TBrowserView::kDetails) SetView(0);
}

void TkvBrow::ViewClick(TComponent* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (page_ == nullptr || item == nullptr) return;
  if (TMenuItem* parent = item->Parent()) {
    for (int i = 0; i < parent->Count(); ++i) parent->Items(i)->SetChecked(parent->Items(i) == item);
  }
  for (std::uint8_t mode : {0, 1, 3}) {
    if (item->Caption() == kViewNames[mode]) SetView(mode);
  }
}

// The page is emptied and, outside Init, rebuilt around the record it showed.
void TkvBrow::SetView(std::uint8_t mode) {
  if (mode != 1 && mode != 3) mode = 0;
  std::string key;
  std::int32_t ref = 0;
  if (page_ != nullptr) {
    key = page_->CurrentKey();
    ref = page_->CurrentRef();
    page_->ClearRows();
    if (!Passive()) {
      ctrl_->Grid().Invalidate();
      Invalidate();
    }
  }
  view_ = static_cast<TBrowserView>(mode);
  const std::string name = kViewNames[mode];
  if (view_menu_ != nullptr) {
    for (int i = 0; i < view_menu_->Items()->Count(); ++i) {
      view_menu_->Items()->Items(i)->SetChecked(view_menu_->Items()->Items(i)->Caption() == name);
    }
  } else {
    view_combo_->SetItemIndex(view_combo_->Items().IndexOf(name));
  }
  TkvMouseGrid& grid = ctrl_->Grid();
  grid.Canvas().Font.SetName(grid.Font().Name());
  grid.Canvas().Font.SetSize(grid.Font().Size());
  grid.SetDefaultRowHeight(RoundEven(grid.Canvas().TextHeight("X") * kGridRowHeightFactor));
  const bool one_fixed_row = grid.FixedRows() == 1;
  if (view_ == TBrowserView::kDetails) {
    grid.SetOptions(grid.Options() | platform::qt::goRowSelect);
    if (one_fixed_row) grid.SetRowHeights(0, Scaled(25));
  } else {
    grid.SetOptions(grid.Options() & ~platform::qt::goRowSelect);
    if (view_ == TBrowserView::kMiniaturansicht) grid.SetDefaultRowHeight(Scaled(114));
    if (one_fixed_row) grid.SetRowHeights(0, Scaled(24));
    if (resized_) DoResize();
  }
  if (!initialising_) DoSetHeaderFooter();
  ArrangeControls();
  if (page_ == nullptr || Passive()) return;
  if (!initialising_) {
    bool changed = false;
    page_->GotoKey(ctrl_->PageEvents(), key, ref, page_->KeyNumber(), 1, page_->PageRows(),
                   changed);
    ctrl_->UpdateScrollBars();
  }
  ctrl_->Redisplay(true);
}

// --- the sort change ---

void TkvBrow::SortClick(TComponent* sender) { SortChanged(sender, true, true); }

void TkvBrow::SortButtonAction() {
  if (sort_button_ != nullptr && sort_button_->Visible() && sort_button_->Enabled()) {
    sort_button_->Click();
  }
}

void TkvBrow::SortChanged(TComponent* sender, bool reposition, bool bounds_flag) {
  if (page_ == nullptr) return;
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (item != nullptr && sort_menu_ != nullptr && item->Parent() == sort_menu_->Items()) {
    CheckOnly(*sort_menu_, item->MenuIndex());
    if (sort_button_ != nullptr) {
      sort_button_->SetCaption(item->Caption());
      sort_button_->SetkvautoWidth(Scaled(16));
      sort_button_->Invalidate();
    }
    remembered_sort_index_ = SortlistItemIndex();
  }
  TKeyStr lkey;
  TKeyStr hkey;
  const int key_nr = DoSortList2Key(SortlistItemIndex(), lkey, hkey);
  if (!reposition) {
    page_->SetKeyNumber(key_nr);
  } else {
    if (!bounds_flag) {
      lkey = page_->LKey();
      hkey = page_->HKey();
    }
    const storage::IFDriver* driver = page_->Treiber().Driver();
    const bool catalogue = key_nr == 9 && driver != nullptr && driver->FileName() == "PXCI";
    if ((key_nr == 0 || key_nr == page_->KeyNumber()) && !catalogue) return;
    SwitchKey(key_nr, lkey, hkey);
  }
  ClearSearchText();
  if (ctrl_->IsEditMode()) UpdateEditButton(false);
}

// Key number and bounds change; the page stays on the record it showed.
void TkvBrow::SwitchKey(int key_nr, const TKeyStr& lkey, const TKeyStr& hkey) {
  storage::TdbTreiber& t = page_->Treiber();
  page_->SetKeyNumber(key_nr);
  page_->SetKeyRange(lkey, hkey);
  const std::int32_t ref = page_->CurrentRef();
  std::string key;
  if (HasRecords() && ref > 0 && t.GotoRef(ref)) {
    key = common::LenArrayToShort(common::ShortToLenArray(t.BuildKey(key_nr)));
  }
  ctrl_->GotoKeyRow(key.substr(0, kBrowserKeyChars), ref, true);
  if (HasRecords() && page_->CurrentRef() > 0) t.GotoRef(page_->CurrentRef());
  DoSetHeaderFooter();
  if (view_ == TBrowserView::kMiniaturansicht) {
    ctrl_->GotoFirst();
  } else {
    ctrl_->Grid().SetLeftCol(ctrl_->Grid().FixedCols());
  }
}

// With a key number the browser goes to that key (within the texts' bounds, the whole index
// when both are empty); otherwise to the sort entry.
void TkvBrow::SwitchSort(int index, int key_nr, const std::string& lkey_text,
                         const std::string& hkey_text, std::uint8_t, std::uint8_t) {
  if (page_ == nullptr) return;
  const bool bounds = !lkey_text.empty() || !hkey_text.empty();
  if (key_nr > 0) {
    SwitchKey(key_nr, common::ShortToLenArray(lkey_text), common::ShortToLenArray(hkey_text));
    ClearSearchText();
  } else {
    SetSortlistItemIndex(index);
    SortChanged(this, true, false);
    if (bounds) {
      page_->SetKeyRange(common::ShortToLenArray(lkey_text), common::ShortToLenArray(hkey_text));
      GotoDatensatz(0, 1, 0);
    }
  }
  ctrl_->Redisplay(true);
}

int TkvBrow::FindSortEntryForColumn(int col) {
  if (view_ != TBrowserView::kDetails) return -1;
  const int at = Passive() ? col - 1 : col;
  if (at < 0 || at >= static_cast<int>(cols1_.size())) return -1;
  const int key_nr = cols1_[static_cast<std::size_t>(at)];
  if (key_nr == 0) return -1;
  for (int i = 0; i < SortlistCount(); ++i) {
    TKeyStr lkey;
    TKeyStr hkey;
    if (DoSortList2Key(i, lkey, hkey) == key_nr) return i;
  }
  return -1;
}

bool TkvBrow::IsColumnKeyCurrent(int col) const {
  if (view_ != TBrowserView::kDetails || col < 0 || col >= static_cast<int>(cols1_.size())) {
    return false;
  }
  const int key_nr = cols1_[static_cast<std::size_t>(col)];
  return key_nr != 0 && key_nr == GetKeyNr();
}

}  // namespace ui
