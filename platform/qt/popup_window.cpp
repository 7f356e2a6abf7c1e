#include "platform/qt/popup_window.h"

#include <QHideEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/keys.h"
#include "platform/qt/menus.h"

namespace platform::qt {
namespace {

// The room left of a caption for the check mark, and the item sizes of the layer's own look.
constexpr int kCheckRoom = 20;
constexpr int kRightRoom = 24;
constexpr int kLineHeight = 8;

// The menu's window tells its control when the window system hides it.
class MenuHost : public impl::Host<QWidget> {
 public:
  using Host::Host;

 protected:
  void hideEvent(QHideEvent* e) override {
    Host::hideEvent(e);
    if (auto* window = dynamic_cast<TPopupWindow*>(impl::ControlOf(this))) window->WindowHidden();
  }
};

struct OpenMenu {
  TPopupWindow* window = nullptr;
  std::weak_ptr<const bool> alive;
};

OpenMenu& Current() {
  static OpenMenu current;
  return current;
}

}  // namespace

TPopupWindow::TPopupWindow(TPopupMenu& menu) : TWinControl(nullptr), menu_(menu) {
  SetColor(clMenu);
  AttachWindow(impl::MakeHostOf<MenuHost>(*this, impl::PaintMode::kCanvas, nullptr, Qt::Popup));
}

TPopupWindow::~TPopupWindow() {
  BeginDestroy();
  Close();
}

void TPopupWindow::CloseOpenMenu() {
  OpenMenu& current = Current();
  if (!current.alive.expired() && current.window != nullptr) current.window->Close();
  current = {};
}

void TPopupWindow::Open(int x, int y) {
  entries_.clear();
  for (int i = 0; i < menu_.Items()->Count(); ++i) {
    TMenuItem* item = menu_.Items()->Items(i);
    if (item->Visible()) entries_.push_back({item, item->AliveToken()});
  }
  if (entries_.empty()) return;
  std::vector<MenuCell> cells;
  MeasureItems(cells);
  geometry_ = LayOutMenu(cells);
  ScreenSource& screen = Application().Screen();
  x = std::max(0, std::min(x, screen.ScreenWidth() - geometry_.width));
  y = std::max(0, std::min(y, screen.ScreenHeight() - geometry_.height));
  SetBounds(x, y, geometry_.width, geometry_.height);
  selected_ = -1;
  open_ = true;
  Current() = {this, AliveToken()};
  QWidget* w = Window().widget;
  w->setGeometry(x, y, geometry_.width, geometry_.height);
  w->show();
  w->update();
}

void TPopupWindow::Close() {
  if (!open_) return;
  open_ = false;
  selected_ = -1;
  if (Current().window == this) Current() = {};
  if (QWidget* w = Window().widget; w != nullptr && w->isVisible()) w->hide();
}

void TPopupWindow::WindowHidden() {
  open_ = false;
  selected_ = -1;
  if (Current().window == this) Current() = {};
}

bool TPopupWindow::Alive(int index) const {
  return index >= 0 && index < static_cast<int>(entries_.size()) &&
         !entries_[static_cast<std::size_t>(index)].alive.expired();
}

std::vector<TMenuItem*> TPopupWindow::ShownItems() const {
  std::vector<TMenuItem*> items;
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    if (Alive(i)) items.push_back(entries_[static_cast<std::size_t>(i)].item);
  }
  return items;
}

TMenuItem* TPopupWindow::Selected() const {
  return Alive(selected_) ? entries_[static_cast<std::size_t>(selected_)].item : nullptr;
}

void TPopupWindow::Select(TMenuItem* item) {
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    if (Alive(i) && entries_[static_cast<std::size_t>(i)].item == item) SelectIndex(i);
  }
}

TRect TPopupWindow::ItemRect(const TMenuItem* item) const {
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    if (Alive(i) && entries_[static_cast<std::size_t>(i)].item == item) {
      return geometry_.items[static_cast<std::size_t>(i)];
    }
  }
  return {};
}

int TPopupWindow::ColumnCount() const {
  return geometry_.columns.empty() ? 0 : geometry_.columns.back() + 1;
}

void TPopupWindow::MeasureItems(std::vector<MenuCell>& cells) {
  TCanvas& c = Canvas();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    TMenuItem& item = *entries_[i].item;
    c.Font = Font();
    int width = kLineHeight;
    int height = kLineHeight;
    if (!item.IsLine()) {
      TRect need{0, 0, 0, 0};
      c.DrawText(item.Caption(), need, DT_SINGLELINE | DT_CALCRECT);
      width = kCheckRoom + need.Width() + kRightRoom;
      height = c.TextHeight("X") + 6;
    }
    if (menu_.OwnerDraw() && item.OnMeasureItem) item.OnMeasureItem(&item, c, width, height);
    cells.push_back({std::max(0, width), std::max(0, height),
                     i > 0 && item.Break() != TMenuBreak::mbNone,
                     item.Break() == TMenuBreak::mbBarBreak});
  }
}

void TPopupWindow::Paint() {
  TCanvas& c = Canvas();
  c.Brush = {clMenu, TBrushStyle::bsSolid};
  c.FillRect(ClientRect());
  TRect frame = ClientRect();
  c.DrawEdge(frame, EDGE_RAISED, BF_RECT);
  for (int x : geometry_.bar_lines) {
    c.Brush.Color = clBtnShadow;
    c.FillRect(Bounds(x, kMenuFrame, 1, Height() - 2 * kMenuFrame));
    c.Brush.Color = clBtnHighlight;
    c.FillRect(Bounds(x + 1, kMenuFrame, 1, Height() - 2 * kMenuFrame));
  }
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    if (Alive(i)) DrawItem(i);
  }
}

void TPopupWindow::DrawItem(int index) {
  TMenuItem& item = *entries_[static_cast<std::size_t>(index)].item;
  const TRect rect = geometry_.items[static_cast<std::size_t>(index)];
  const bool selected = index == selected_;
  TCanvas& c = Canvas();
  c.Font = Font();
  c.Font.SetColor(selected ? clHighlightText : clMenuText);
  c.Brush = {selected ? clHighlight : clMenu, TBrushStyle::bsSolid};
  c.Pen = TPen{};
  if (menu_.OwnerDraw() && item.OnDrawItem) {
    item.OnDrawItem(&item, c, rect, selected);
  } else {
    DrawOwnItem(item, rect, selected);
  }
}

void TPopupWindow::DrawOwnItem(TMenuItem& item, const TRect& rect, bool selected) {
  TCanvas& c = Canvas();
  c.FillRect(rect);
  if (item.IsLine()) {
    const int mid = rect.Top + rect.Height() / 2;
    c.Brush.Color = clBtnShadow;
    c.FillRect({rect.Left + 1, mid - 1, rect.Right - 1, mid});
    c.Brush.Color = clBtnHighlight;
    c.FillRect({rect.Left + 1, mid, rect.Right - 1, mid + 1});
    return;
  }
  TColor ink = selected ? clHighlightText : clMenuText;
  if (!item.Enabled()) ink = clGrayText;
  if (item.Checked()) {
    const int cx = rect.Left + kCheckRoom / 2;
    const int cy = rect.Top + rect.Height() / 2;
    c.Pen.Color = ink;
    c.Brush = {ink, TBrushStyle::bsSolid};
    if (item.RadioItem()) {
      c.Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
    } else {
      for (int dy = 0; dy < 2; ++dy) {  // a tick two pixels thick
        const TPoint tick[] = {{cx - 4, cy - 1 + dy}, {cx - 2, cy + 1 + dy}, {cx + 3, cy - 4 + dy}};
        c.Polyline(tick);
        c.SetPixel(cx + 3, cy - 4 + dy, ink);
      }
    }
  }
  TRect text{rect.Left + kCheckRoom, rect.Top, rect.Right - 4, rect.Bottom};
  c.Brush.Style = TBrushStyle::bsClear;
  if (!item.Enabled() && !selected) {
    // The disabled look: the caption embossed, a highlight one pixel down and right below it.
    TRect lower{text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
    c.Font.SetColor(clBtnHighlight);
    c.DrawText(item.Caption(), lower, DT_SINGLELINE | DT_VCENTER);
  }
  c.Font.SetColor(ink);
  c.DrawText(item.Caption(), text, DT_SINGLELINE | DT_VCENTER);
}

int TPopupWindow::IndexAt(int x, int y) const {
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    if (Alive(i) && geometry_.items[static_cast<std::size_t>(i)].Contains({x, y})) {
      return entries_[static_cast<std::size_t>(i)].item->IsLine() ? -1 : i;
    }
  }
  return -1;
}

void TPopupWindow::SelectIndex(int index) {
  if (index == selected_) return;
  selected_ = index;
  Invalidate();
}

void TPopupWindow::Step(int delta) {
  const int n = static_cast<int>(entries_.size());
  int i = selected_ >= 0 ? selected_ : (delta > 0 ? -1 : n);
  for (int tries = 0; tries < n; ++tries) {
    i = (i + delta + n) % n;
    if (Alive(i) && !entries_[static_cast<std::size_t>(i)].item->IsLine()) {
      SelectIndex(i);
      return;
    }
  }
}

void TPopupWindow::StepColumn(int delta) {
  const int columns = ColumnCount();
  if (columns < 2) return;
  const int from = selected_ >= 0 ? geometry_.columns[static_cast<std::size_t>(selected_)] : 0;
  const int to = (from + delta + columns) % columns;
  const int level = selected_ >= 0 ? (geometry_.items[static_cast<std::size_t>(selected_)].Top +
                                      geometry_.items[static_cast<std::size_t>(selected_)].Bottom) /
                                         2
                                   : 0;
  int best = -1;
  int best_distance = 0;
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    if (!Alive(i) || geometry_.columns[static_cast<std::size_t>(i)] != to ||
        entries_[static_cast<std::size_t>(i)].item->IsLine()) {
      continue;
    }
    const TRect& r = geometry_.items[static_cast<std::size_t>(i)];
    const int distance = std::abs((r.Top + r.Bottom) / 2 - level);
    if (best < 0 || distance < best_distance) {
      best = i;
      best_distance = distance;
    }
  }
  if (best >= 0) SelectIndex(best);
}

void TPopupWindow::Accelerator(char key) {
  std::vector<int> matches;
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    TMenuItem* item = entries_[static_cast<std::size_t>(i)].item;
    if (Alive(i) && !item->IsLine() && IsAccel(key, item->Caption())) matches.push_back(i);
  }
  if (matches.empty()) return;
  if (matches.size() == 1) {
    SelectIndex(matches.front());
    Choose(matches.front());
    return;
  }
  const auto next = std::upper_bound(matches.begin(), matches.end(), selected_);
  SelectIndex(next == matches.end() ? matches.front() : *next);
}

void TPopupWindow::Choose(int index) {
  if (!Alive(index)) return;
  TMenuItem* item = entries_[static_cast<std::size_t>(index)].item;
  if (item->IsLine() || !item->Enabled()) return;
  const auto alive = item->AliveToken();
  Close();
  if (!alive.expired()) item->Click();
}

void TPopupWindow::KeyDown(std::uint16_t& key, TShiftState shift) {
  (void)shift;
  const std::uint16_t pressed = key;
  key = 0;
  switch (pressed) {
    case VK_UP:
      Step(-1);
      return;
    case VK_DOWN:
      Step(1);
      return;
    case VK_LEFT:
      StepColumn(-1);
      return;
    case VK_RIGHT:
      StepColumn(1);
      return;
    case VK_HOME:
      selected_ = -1;
      Step(1);
      return;
    case VK_END:
      selected_ = -1;
      Step(-1);
      return;
    case VK_RETURN:
      Choose(selected_);
      return;
    case VK_ESCAPE:
      Close();
      return;
    default:
      if ((pressed >= 'A' && pressed <= 'Z') || (pressed >= '0' && pressed <= '9')) {
        Accelerator(static_cast<char>(pressed));
      }
      return;
  }
}

void TPopupWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  (void)button;
  (void)shift;
  if (!ClientRect().Contains({x, y})) Close();
}

void TPopupWindow::MouseMove(TShiftState shift, int x, int y) {
  (void)shift;
  SelectIndex(IndexAt(x, y));
}

void TPopupWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  (void)button;
  (void)shift;
  const int index = IndexAt(x, y);
  if (index >= 0) Choose(index);
}

}  // namespace platform::qt
