#include "platform/qt/combo_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include "platform/qt/colors.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/keys.h"

namespace platform::qt {
namespace {

QComboBox& Combo(const TComboBox& box) {
  return *static_cast<QComboBox*>(box.Window().widget.data());
}

class ComboItems : public TStrings {
 public:
  explicit ComboItems(QComboBox& combo) : combo_(combo) {}
  int Count() const override { return combo_.count(); }
  std::string Get(int index) const override {
    return index >= 0 && index < Count() ? impl::FromQString(combo_.itemText(index)) : "";
  }
  void Put(int index, const std::string& line) override {
    if (index >= 0 && index < Count()) combo_.setItemText(index, impl::ToQString(line));
  }
  void Insert(int index, const std::string& line) override {
    if (index < 0) return;
    const QString text = combo_.isEditable() ? combo_.currentText() : QString();
    combo_.insertItem(index, impl::ToQString(line));
    // Qt chooses the first entry of an empty list; the framework's list stays unchosen.
    if (Count() == 1) {
      combo_.setCurrentIndex(-1);
      if (combo_.isEditable()) combo_.setEditText(text);
    }
  }
  void Delete(int index) override {
    if (index >= 0 && index < Count()) combo_.removeItem(index);
  }
  void Clear() override { combo_.clear(); }

 private:
  QComboBox& combo_;
};

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  AttachWindow(impl::MakeHost<QComboBox>(*this, impl::PaintMode::kNative));
  QComboBox& combo = Combo(*this);
  combo.setInsertPolicy(QComboBox::NoInsert);
  combo.setMaxVisibleItems(drop_down_count_);
  items_ = std::make_unique<ComboItems>(combo);
  SetTabStop(true);
  QObject::connect(&combo, &QComboBox::activated, [this](int) {
    if (!IsDestroying()) Chosen();
  });
  SetStyle(TComboBoxStyle::csDropDown);
}

TComboBox::~TComboBox() {
  BeginDestroy();
  items_.reset();
}

int TComboBox::ItemIndex() const {
  QComboBox& combo = Combo(*this);
  const int index = combo.currentIndex();
  if (index < 0) return -1;
  // A typed text that differs from the entry leaves nothing chosen.
  return combo.isEditable() && combo.currentText() != combo.itemText(index) ? -1 : index;
}

void TComboBox::SetItemIndex(int index) {
  QComboBox& combo = Combo(*this);
  if (index < -1 || index >= combo.count()) index = -1;
  combo.setCurrentIndex(index);
  if (index < 0 && combo.isEditable()) combo.setEditText(QString());
}

std::string TComboBox::Text() const { return impl::FromQString(Combo(*this).currentText()); }

void TComboBox::SetText(const std::string& text) {
  QComboBox& combo = Combo(*this);
  if (combo.isEditable()) {
    const QString next = impl::ToQString(text);
    const int match = combo.findText(next, Qt::MatchExactly);
    if (match >= 0) combo.setCurrentIndex(match);
    combo.setEditText(next);
  } else {
    combo.setCurrentIndex(Items().IndexOf(text));
  }
}

void TComboBox::Clear() {
  Items().Clear();
  SetItemIndex(-1);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  style_ = style;
  QComboBox& combo = Combo(*this);
  const int index = combo.currentIndex();
  const bool was_editable = combo.isEditable();
  combo.setEditable(style == TComboBoxStyle::csDropDown);
  combo.setCurrentIndex(index);
  // A new text field (Qt makes one each time the box becomes editable) reports typing.
  if (QLineEdit* edit = combo.lineEdit(); edit != nullptr && !was_editable) {
    edit->setMaxLength(max_length_ == 0 ? 32767 : max_length_);
    QObject::connect(edit, &QLineEdit::textEdited, [this] {
      if (!IsDestroying()) Change();
    });
  }
}

void TComboBox::SetMaxLength(int length) {
  max_length_ = length < 0 ? 0 : length;
  if (QLineEdit* edit = Combo(*this).lineEdit()) {
    edit->setMaxLength(max_length_ == 0 ? 32767 : max_length_);
  }
}

void TComboBox::SetDropDownCount(int count) {
  drop_down_count_ = count < 1 ? 1 : count;
  Combo(*this).setMaxVisibleItems(drop_down_count_);
}

bool TComboBox::DroppedDown() const { return Combo(*this).view()->isVisible(); }

void TComboBox::SetDroppedDown(bool on) {
  if (on == DroppedDown()) return;
  if (on) {
    Combo(*this).showPopup();
  } else {
    Combo(*this).hidePopup();
  }
}

void TComboBox::SetFlat(bool on) {
  flat_ = on;
  Combo(*this).setFrame(!on);
}

bool TComboBox::WantsKey(std::uint16_t key, TShiftState shift) const {
  (void)shift;
  return (key == VK_RETURN || key == VK_ESCAPE) && DroppedDown();
}

void TComboBox::Chosen() {
  const auto alive = AliveToken();
  Click();
  if (!alive.expired()) Select();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::Select() {
  if (OnSelect) {
    OnSelect(this);
  } else {
    Change();
  }
}

}  // namespace platform::qt
