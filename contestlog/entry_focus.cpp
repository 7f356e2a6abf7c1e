#include "contestlog/entry_focus.h"

#include <iterator>
#include <map>
#include <vector>

#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contestlog/entry_rules.h"
#include "platform/qt/label.h"

namespace contestlog {
namespace {

constexpr int kTagStaysOpaque = 98;
constexpr int kTagKeepsLook = 99;
constexpr int kTagGroup = 100;

using platform::qt::TLabel;
using platform::qt::TWinControl;

}  // namespace

void LabelsTransparent(platform::qt::TControl& control, TWinControl& panel) {
  if (auto* label = dynamic_cast<TLabel*>(&control); label != nullptr) {
    if (label->Tag() != kTagStaysOpaque) label->SetTransparent(false);
  }
  for (platform::qt::TControl* child : panel.Controls()) {
    auto* label = dynamic_cast<TLabel*>(child);
    if (label == nullptr || label == &control) continue;
    const auto tag = label->Tag();
    if (tag != 0 && tag % kTagGroup == 0 && tag != kTagStaysOpaque && tag != kTagKeepsLook) {
      label->SetTransparent(true);
    }
  }
}

void NextField(TWinControl& current, platform::qt::TForm& form, ui::TkvEdit& emode,
               TWinControl& panel2, TWinControl& entry_panel) {
  // Tab order -> the field to focus; several fields of one order: the first that can.
  std::map<int, std::vector<TWinControl*>> fields;
  for (platform::qt::TComponent* component : form.Components()) {
    auto* edit = dynamic_cast<ui::TkvEdit*>(component);
    if (edit == nullptr || edit->Parent() != &entry_panel) continue;
    if (edit->CanFocus() && edit->TabStop()) fields[edit->TabOrder()].push_back(edit);
  }
  const bool mode_elsewhere = emode.CanFocus() && emode.Parent() != &entry_panel;
  if (mode_elsewhere) fields[emode.TabOrder()];
  if (fields.empty()) return;

  auto target = fields.end();
  if (auto at = fields.find(current.TabOrder()); at != fields.end()) {
    target = std::next(at) == fields.end() ? fields.begin() : std::next(at);
  } else if (dynamic_cast<ui::TkvEdit*>(&current) != nullptr && current.Parent() == &panel2) {
    target = fields.begin();
  } else {
    return;
  }
  if (mode_elsewhere && emode.TabOrder() == target->first) {
    emode.SetFocus();
    return;
  }
  for (TWinControl* field : target->second) {
    if (field->CanFocus()) {
      field->SetFocus();
      return;
    }
  }
}

bool EnterJump(TWinControl& current, ui::TkvEdit& eDatum, ui::TkvEdit& ezeit, ui::TkvEdit& eQTH,
               bool listener_log, ui::TkvEdit& eRSTr1, ui::TkvEdit& eRSTr2, ui::TkvEdit& eRSTr3,
               ui::TkvEdit& eRSTr4) {
  TWinControl* target = nullptr;
  if (!eQTH.Visible() && !listener_log &&
      (&current == &eRSTr4 || (&current == &eRSTr3 && !eRSTr4.Visible()) ||
       (&current == &eRSTr2 && !eRSTr3.Visible()))) {
    target = &ezeit;
  } else if ((&current == &eQTH && eQTH.Visible()) ||
             (&current == &eRSTr1 && !eQTH.Visible() && listener_log)) {
    target = &ezeit;
  } else if (&current == &ezeit) {
    target = &eDatum;
  }
  if (target == nullptr || !target->CanFocus()) return false;
  target->SetFocus();
  return true;
}

namespace {

bool WarnedEmpty(ui::TkvEdit& field, const char* warning) {
  if (!common::Trim(field.Text()).empty()) return false;
  common::Service<common::ToMessages>::Get().Achtung("", warning);
  if (field.CanFocus()) field.SetFocus();
  return true;
}

}  // namespace

bool WarnedModeMissing(ui::TkvEdit& emode) {
  return emode.Visible() && WarnedEmpty(emode, kModeMissing);
}

bool WarnedCallMissing(ui::TkvEdit& ecall) { return WarnedEmpty(ecall, kCallMissing); }

}  // namespace contestlog
