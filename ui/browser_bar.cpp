// The browser's child controls in creation order, their arrangement, the navigation tool bar,
// the close buttons, the scroll bars and the grid's mouse, wheel and key events.
#include <algorithm>
#include <string>

#include "platform/qt/combo_box.h"
#include "platform/qt/image.h"
#include "platform/qt/image_list.h"
#include "platform/qt/label.h"
#include "platform/qt/scroll_bar.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/tool_bar.h"
#include "ui/browser.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/browser_pictures.h"
#include "ui/browser_select.h"
#include "ui/kv_edit.h"
#include "ui/mouse_grid.h"

namespace ui {
namespace {

using namespace platform::qt;

constexpr const char* kCloseHint = "Schließen der Liste";
constexpr int kToolButtonWidth = 23;
constexpr int kToolBarHeight = 19;
constexpr int kNarrowBar = 200;
constexpr int kScrollBarSize = 17;
constexpr int kNarrowestField = 30;  // the system's scroll-bar breadth

struct ToolButtonSpec {
  const char* hint;
};
constexpr ToolButtonSpec kToolButtons[] = {{"Dateianfang"},        {"vorige Seite"},
                                           {"voriger Datensatz"},  {"nächster Datensatz"},
                                           {"nächste Seite"},      {"Dateiende"}};

TSpeedButton* MakeSpeedButton(TComponent* owner, TWinControl* parent, const char* picture,
                              int glyphs, int width, int height, const char* hint) {
  auto* b = new TSpeedButton(owner);
  b->SetParent(parent);
  b->SetBounds(0, 1, width, height);
  b->SetGlyph(BrowserPicture(picture));
  b->SetNumGlyphs(glyphs);
  b->SetHint(hint);
  b->SetShowHint(true);
  return b;
}

}  // namespace

void TkvBrow::MakeChildControls() {
  images1_ = new TImageList(this);
  images1_->SetSize(32, 16);
  for (const char* name : kToolPictures) {
    images1_->AddMasked(BrowserPicture(name), kToolPictureBackground);
  }
  images2_ = new TImageList(this);
  images2_->SetSize(10, 10);
  for (const char* name : kArrowPictures) images2_->AddMasked(BrowserPicture(name), clWhite);

  spacer_ = new TPanel(this);
  spacer_->SetParent(this);
  spacer_->SetWidth(1);
  spacer_->SetAlign(TAlign::alLeft);
  spacer_->Hide();

  // The child panels report the mouse as the browser's own.
  const auto mouse_panel = [this](int height) {
    auto* p = new TkvMousePanel(this);
    p->SetParent(this);
    p->SetHeight(height);
    p->SetCaption("");
    p->OnMouseEnter = [this](TComponent*) {
      if (OnMouseEnter) OnMouseEnter(this);
    };
    p->OnMouseLeave = [this](TComponent*) { ChildMouseLeave(); };
    return p;
  };
  top_panel_ = mouse_panel(0);
  top_panel_->SetAlign(TAlign::alTop);
  close_strip_ = mouse_panel(15);
  close_strip_->SetAlign(TAlign::alTop);
  close_button1_ = MakeSpeedButton(this, close_strip_, "BTNCLOSE", 1, 14, 14, kCloseHint);
  close_button1_->SetAnchors(akTop | akRight);
  close_button1_->Hide();
  close_button1_->OnClick = [this](TComponent* sender) { CloseBtnClick(sender); };

  bottom_bar_ = mouse_panel(26);
  bottom_bar_->SetAlign(TAlign::alBottom);
  sort_label_ = new TLabel(this);
  sort_label_->SetParent(bottom_bar_);
  sort_label_->SetCaption("Sortierung:");
  sort_label_->SetBounds(2, 5, sort_label_->Width(), sort_label_->Height());
  sort_combo_ = new TComboBox(this);
  sort_combo_->SetParent(bottom_bar_);
  sort_combo_->SetBounds(sort_label_->Left() + sort_label_->Width() + 7, 2, 80,
                         sort_combo_->Height());
  sort_combo_->SetText(kSortText);
  sort_combo_->OnChange = [this](TComponent* sender) { SortClick(sender); };
  sort_combo_->OnKeyDown = [this](TComponent*, std::uint16_t& key, TShiftState shift) {
    SortComboKeyDown(key, shift);
  };
  bottom_bar_->SetHeight(sort_combo_->Height() + 4);
  view_combo_ = new TComboBox(this);
  view_combo_->SetParent(bottom_bar_);
  view_combo_->SetBounds(sort_combo_->Left(), 2, 80, sort_combo_->Height());
  view_combo_->Hide();
  search_image_ = new TImage(this);
  search_image_->SetParent(bottom_bar_);
  search_image_->SetPicture(BrowserPicture("SCHNELLSUCHE"));
  search_image_->SetTransparent(true);
  search_image_->SetBounds(sort_combo_->Left() + sort_combo_->Width() + 5, 5, 16, 16);
  second_image_ = new TImage(this);
  second_image_->SetParent(bottom_bar_);
  second_image_->SetBoundsRect(search_image_->BoundsRect());
  second_image_->Hide();
  search_field_ = new TkvEdit(this);
  search_field_->SetParent(bottom_bar_);
  search_field_->SetBounds(search_image_->Left() + search_image_->Width() + 8, 2, 80,
                           search_field_->Height());
  search_field_->OnKeyDown = [this](TComponent*, std::uint16_t& key, TShiftState shift) {
    SearchKeyDown(key, shift);
  };
  search_field_->OnChange = [this](TComponent*) { SearchChanged(); };
  MakeToolBar();

  edit_button_ = MakeSpeedButton(this, bottom_bar_, "BTNEDIT", 4, 30, 20,
                                 "direktes Editieren in der Liste");
  edit_button_->SetTransparent(true);
  edit_button_->SetGroupIndex(1);
  edit_button_->SetAllowAllUp(true);
  edit_button_->Hide();
  edit_button_->OnClick = [this](TComponent*) { EditBtnClick(); };
  close_button2_ = MakeSpeedButton(this, bottom_bar_, "BTNCLOSE2", 1, 60, 15, kCloseHint);
  close_button2_->Hide();
  close_button2_->OnClick = [this](TComponent* sender) { CloseBtnClick(sender); };

  grid_panel_ = new TPanel(this);
  grid_panel_->SetParent(this);
  grid_panel_->SetCaption("");
  grid_panel_->SetBevelOuter(TBevelCut::bvNone);
  grid_panel_->SetAlign(TAlign::alClient);
  ctrl_->Grid().SetParent(grid_panel_);
  for (const TScrollBarKind kind : {TScrollBarKind::sbVertical, TScrollBarKind::sbHorizontal}) {
    auto* bar = new TScrollBar(this);
    bar->SetParent(this);
    bar->SetKind(kind);
    bar->SetTabStop(false);
    if (kind == TScrollBarKind::sbVertical) {
      bar->SetBounds(0, 0, kScrollBarSize, 100);
      bar->SetAlign(TAlign::alRight);
    } else {
      bar->SetBounds(0, 0, 100, kScrollBarSize);
      bar->SetAlign(TAlign::alBottom);
    }
    bar->OnScroll = [this](TComponent* sender, TScrollCode code, int& position) {
      ScrollBarScroll(sender, code, position);
    };
    (kind == TScrollBarKind::sbVertical ? vert_bar_ : horz_bar_) = bar;
  }
  horz_bar_->Hide();
}

void TkvBrow::MakeToolBar() {
  tool_bar_ = new TToolBar(this);
  tool_bar_->SetParent(bottom_bar_);
  tool_bar_->SetShowCaptions(false);
  tool_bar_->SetImages(images2_);
  tool_bar_->SetButtonWidth(kToolButtonWidth);
  tool_bar_->SetButtonHeight(kToolBarHeight);
  tool_bar_->SetBounds(0, 2, kToolButtonWidth * 6, kToolBarHeight);
  for (int i = 0; i < 6; ++i) {
    auto* b = new TToolButton(this);
    b->SetParent(tool_bar_);
    b->SetImageIndex(i);
    b->SetHint(kToolButtons[i].hint);
    b->SetShowHint(true);
    b->OnClick = [this, i](TComponent*) { ToolClick(i); };
  }
}

void TkvBrow::ToolClick(int index) {
  if (ctrl_->IsEditMode()) return;
  if (OnBrowScroll) OnBrowScroll();
  switch (index) {
    case 0:
      GotoFirst();
      break;
    case 1:
      PageUp();
      break;
    case 2:
      if (!Passive()) ctrl_->LineUp();
      break;
    case 3:
      if (!Passive()) ctrl_->LineDown();
      break;
    case 4:
      PageDown();
      break;
    default:
      GotoLast();
      break;
  }
}

void TkvBrow::CloseBtnClick(TComponent* sender) {
  if (OnBrowCloseBtnKlick) OnBrowCloseBtnKlick(sender);
}

void TkvBrow::ChildMouseLeave() {
  ctrl_->ClearHot();
  if (OnMouseLeave) OnMouseLeave(this);
}

// Without the layout engine's sort button: the tool bar at the right, the sort combo and the
// quick-search field widened by the room left, the sort label given up when they do not fit.
// A bar narrower than 200 pixels has no room for the tool bar: the second close button takes
// the right edge instead (its own place) and the selectors fit before it.
void TkvBrow::ArrangeControls() {
  if (bottom_bar_ == nullptr || destroying_) return;
  const int height =
      bottom_bar_height_ > 0 ? bottom_bar_height_ : sort_combo_->Height() + 4;
  if (bottom_bar_->Height() != height) bottom_bar_->SetHeight(height);
  close_button1_->SetLeft(close_strip_->ClientWidth() - close_button1_->Width());
  const int width = bottom_bar_->ClientWidth();
  const bool narrow = width < kNarrowBar;
  tool_bar_->SetVisible(!narrow);
  tool_bar_->SetBounds(width - tool_bar_->Width() - 4, 2 + tool_bar_offset_, tool_bar_->Width(),
                       kToolBarHeight);
  close_button2_->SetVisible(narrow);
  close_button2_->SetBounds(width - 4 - close_button2_->Width(), (height - 15) / 2,
                            close_button2_->Width(), 15);
  int right = narrow ? close_button2_->Left() : tool_bar_->Left();
  const bool editable = static_cast<bool>(OnBrowTextausZelle);
  edit_button_->SetVisible(editable);
  if (editable) {
    edit_button_->SetLeft(right - edit_button_->Width() - 2);
    right = edit_button_->Left();
  }
  if (sort_button_ != nullptr) return;  // the layout engine's bar places the rest

  const int room = width - tool_bar_->Width();
  const int combo_width = room <= 200 ? 75 : room <= 220 ? 80 : 100;
  const int field_width = room <= 200 ? 60 : 100;
  sort_combo_->SetWidth(combo_width);
  view_combo_->SetWidth(combo_width);
  search_field_->SetWidth(field_width);
  const bool combo = sort_combo_->Visible();
  const auto place = [&](bool label) {
    int x = 2;
    if (combo) {
      if (label) x = sort_label_->Left() + sort_label_->Width() + 9;
      sort_combo_->SetLeft(x);
      view_combo_->SetLeft(x);
      x = sort_combo_->Left() + sort_combo_->Width() + 5;
    }
    search_image_->SetLeft(x);
    second_image_->SetLeft(x);
    search_field_->SetLeft(search_image_->Left() + search_image_->Width() + 8);
    return search_field_->Left() + search_field_->Width();
  };
  bool label = combo;
  if (place(label) > right - 2 && label) {
    label = false;
    place(false);
    if (sort_combo_->ItemIndex() < 0) sort_combo_->SetText(kSortText);
  }
  // Still too wide: the field takes the room that is left, and below 30 pixels the picture's.
  bool picture = true;
  if (search_field_->Left() + search_field_->Width() > right - 2) {
    if (right - 2 - search_field_->Left() < kNarrowestField) {
      picture = false;
      search_field_->SetLeft(search_image_->Left());
    }
    search_field_->SetWidth(std::max(right - 2 - search_field_->Left(), 0));
  }
  search_image_->SetVisible(picture);
  sort_label_->SetVisible(label);
}

// --- scroll bars and the grid's mouse ---

void TkvBrow::ScrollBarScroll(TComponent* sender, TScrollCode code, int& position) {
  auto* bar = dynamic_cast<TScrollBar*>(sender);
  if (bar == nullptr || Passive() || page_ == nullptr) return;
  ctrl_->ScrollBarScroll(*bar, code, position);
}

void TkvBrow::WireGridEvents() {
  TkvMouseGrid& g = ctrl_->Grid();
  g.OnMouseDown = [this](TComponent*, TMouseButton button, TShiftState shift, int x, int y) {
    GridMouseDown(button, shift, x, y);
  };
  g.OnMouseUp = [this](TComponent*, TMouseButton button, TShiftState shift, int x, int y) {
    GridMouseUp(button, shift, x, y);
  };
  g.OnMouseMove = [this](TComponent*, TShiftState shift, int x, int y) {
    GridMouseMove(shift, x, y);
  };
  g.OnDblClick = [this](TComponent*) { GridDblClick(); };
  g.OnKeyDown = [this](TComponent*, std::uint16_t& key, TShiftState shift) {
    KeyDown(key, shift);
  };
  g.OnMouseWheelDown = [this](TComponent*, TShiftState, TPoint, bool& handled) {
    GridWheel(true, handled);
  };
  g.OnMouseWheelUp = [this](TComponent*, TShiftState, TPoint, bool& handled) {
    GridWheel(false, handled);
  };
  g.OnMouseEnter = [this](TComponent*) {
    if (OnMouseEnter) OnMouseEnter(this);
  };
  g.OnMouseLeave = [this](TComponent*) { ChildMouseLeave(); };
}

// A left press on a record starts the rubber band; the drag that follows moves it.
void TkvBrow::GridMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (Passive() || !IsReady()) return;
  TkvMouseGrid& g = ctrl_->Grid();
  int col = -1;
  int row = -1;
  g.MouseToCell(x, y, col, row);
  if (button == TMouseButton::mbLeft && col >= 0 && row >= g.FixedRows() &&
      !ctrl_->IsEditMode()) {
    select_->BeginFrame(x, y, shift);
  }
  ctrl_->MouseDown(button, shift, x, y);
}

void TkvBrow::GridMouseUp(TMouseButton, TShiftState, int, int) { select_->RemoveFrame(); }

void TkvBrow::GridMouseMove(TShiftState shift, int x, int y) {
  if (!Passive() && IsReady()) ctrl_->MouseMove(shift, x, y);
}

void TkvBrow::GridDblClick() {
  if (OnBrowDoppelKlick && MayStartRowOperation(RowOperation::kOpen)) OnBrowDoppelKlick();
}

void TkvBrow::GridWheel(bool down, bool& handled) {
  handled = true;
  ToolClick(down ? 3 : 2);
}

}  // namespace ui
