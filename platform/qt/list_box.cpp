#include "platform/qt/list_box.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <cstdlib>

#include "platform/qt/colors.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {
namespace {

QListWidget& List(const TListBox& box) {
  return *static_cast<QListWidget*>(box.Window().widget.data());
}

struct Quiet {
  explicit Quiet(int& counter) : counter_(counter) { ++counter_; }
  ~Quiet() { --counter_; }
  int& counter_;
};

constexpr int kDragThreshold = 5;

}  // namespace

// The user's mouse reaches the list's viewport, not the list: its presses, moves and releases
// are handed to the box in the list's client points. Qt's own handling goes on, except for the
// moves of a drag: they would move the selection along under the pointer, and the drop must
// carry the entry that was pressed.
class ListMouseFilter : public QObject {
 public:
  explicit ListMouseFilter(TListBox& box) : box_(box) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
      return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = static_cast<QWidget*>(watched)->mapTo(&List(box_),
                                                            mouse->position().toPoint());
    const TShiftState held = (mouse->buttons() & Qt::LeftButton) ? ssLeft : TShiftState(0);
    const TMouseButton button =
        mouse->button() == Qt::RightButton ? TMouseButton::mbRight : TMouseButton::mbLeft;
    if (type == QEvent::MouseButtonPress) box_.MouseDown(button, held, at.x(), at.y());
    if (type == QEvent::MouseMove) {
      box_.MouseMove(held, at.x(), at.y());
      return (held & ssLeft) != 0 && (box_.drag_pending_ || box_.dragging_);
    }
    if (type == QEvent::MouseButtonRelease) box_.MouseUp(button, held, at.x(), at.y());
    return false;
  }

 private:
  TListBox& box_;
};

class ListItems : public TStrings {
 public:
  explicit ListItems(TListBox& box) : box_(box) {}
  int Count() const override { return List(box_).count(); }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) return {};
    return impl::FromQString(List(box_).item(index)->text());
  }
  void Put(int index, const std::string& line) override {
    if (index >= 0 && index < Count()) List(box_).item(index)->setText(impl::ToQString(line));
  }
  void Insert(int index, const std::string& line) override {
    if (index < 0) return;
    Quiet quiet(box_.quiet_);
    List(box_).insertItem(index, impl::ToQString(line));
  }
  void Delete(int index) override {
    if (index < 0 || index >= Count()) return;
    Quiet quiet(box_.quiet_);
    delete List(box_).takeItem(index);
  }
  void Clear() override {
    Quiet quiet(box_.quiet_);
    List(box_).clear();
  }

 private:
  TListBox& box_;
};

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
  AttachWindow(impl::MakeHost<QListWidget>(*this, impl::PaintMode::kNative));
  items_ = std::make_unique<ListItems>(*this);
  QListWidget& list = List(*this);
  list.setSelectionMode(QAbstractItemView::SingleSelection);
  list.setUniformItemSizes(true);
  SetTabStop(true);
  QObject::connect(&list, &QListWidget::currentRowChanged, [this](int) {
    if (!IsDestroying() && quiet_ == 0) Click();
  });
  QObject::connect(&list, &QListWidget::itemDoubleClicked, [this](QListWidgetItem*) {
    if (!IsDestroying()) DblClick();
  });
  mouse_filter_ = std::make_unique<ListMouseFilter>(*this);
  list.viewport()->installEventFilter(mouse_filter_.get());
}

TListBox::~TListBox() {
  BeginDestroy();
  if (QWidget* list = Window().widget) {
    static_cast<QListWidget*>(list)->viewport()->removeEventFilter(mouse_filter_.get());
  }
  items_.reset();
}

int TListBox::ItemIndex() const { return List(*this).currentRow(); }

void TListBox::SetItemIndex(int index) {
  Quiet quiet(quiet_);
  QListWidget& list = List(*this);
  if (index < 0 || index >= list.count()) {
    list.setCurrentRow(-1);
    list.clearSelection();
    return;
  }
  list.setCurrentRow(index);
}

void TListBox::Clear() { Items().Clear(); }

void TListBox::SetMultiSelect(bool on) {
  multi_select_ = on;
  List(*this).setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                                  : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
  const QListWidgetItem* item = List(*this).item(index);
  return item != nullptr && item->isSelected();
}

void TListBox::SetSelected(int index, bool on) {
  Quiet quiet(quiet_);
  if (QListWidgetItem* item = List(*this).item(index)) item->setSelected(on);
}

int TListBox::SelCount() const { return static_cast<int>(List(*this).selectedItems().size()); }

int TListBox::TopIndex() const {
  const QListWidget& list = List(*this);
  return list.count() == 0 ? -1 : list.row(list.itemAt(2, 2));
}

void TListBox::SetTopIndex(int index) {
  QListWidget& list = List(*this);
  if (QListWidgetItem* item = list.item(index)) {
    list.scrollToItem(item, QAbstractItemView::PositionAtTop);
  }
}

int TListBox::ItemHeight() const {
  const QListWidget& list = List(*this);
  return list.count() > 0 ? list.visualItemRect(list.item(0)).height()
                          : list.fontMetrics().height();
}

int TListBox::ItemAtPos(TPoint p) const {
  const QListWidget& list = List(*this);
  const QPoint in_view = list.viewport()->mapFrom(&list, QPoint(p.X, p.Y));
  QListWidgetItem* item = list.itemAt(in_view);
  return item != nullptr ? list.row(item) : -1;
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (drag_mode_ != TDragMode::dmAutomatic || button != TMouseButton::mbLeft) return;
  const int item = ItemAtPos({x, y});
  if (item < 0) return;
  SetItemIndex(item);
  drag_pending_ = true;
  drag_from_ = {x, y};
}

void TListBox::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  if (!drag_pending_ || (shift & ssLeft) == 0) return;
  if (std::abs(x - drag_from_.X) > kDragThreshold || std::abs(y - drag_from_.Y) > kDragThreshold) {
    drag_pending_ = false;
    dragging_ = true;
  }
}

void TListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const auto alive = AliveToken();
  TWinControl::MouseUp(button, shift, x, y);
  if (alive.expired()) return;
  drag_pending_ = false;
  if (dragging_ && button == TMouseButton::mbLeft) Drop(x, y);
}

TListBox* TListBox::DropTargetAt(TPoint screen) const {
  QWidget* top = List(*this).window();
  QWidget* under = top->childAt(top->mapFromGlobal(QPoint(screen.X, screen.Y)));
  return dynamic_cast<TListBox*>(impl::ControlOf(under));
}

void TListBox::Drop(int x, int y) {
  dragging_ = false;
  const auto alive = AliveToken();
  const TPoint screen = ClientToScreen({x, y});
  TListBox* target = DropTargetAt(screen);
  bool dropped = false;
  if (target != nullptr && target->OnDragOver) {
    const TPoint at = target->ScreenToClient(screen);
    bool accept = true;
    const auto target_alive = target->AliveToken();
    target->OnDragOver(target, this, at.X, at.Y, TDragState::dsDragMove, accept);
    if (accept && !target_alive.expired() && target->OnDragDrop) {
      target->OnDragDrop(target, this, at.X, at.Y);
      dropped = true;
    }
  }
  if (!alive.expired() && OnEndDrag) OnEndDrag(this, dropped ? target : nullptr, x, y);
}

}  // namespace platform::qt
