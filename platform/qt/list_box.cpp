#include "platform/qt/list_box.h"

#include <QListWidget>
#include <QScrollBar>

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

}  // namespace

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
}

TListBox::~TListBox() {
  BeginDestroy();
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

}  // namespace platform::qt
