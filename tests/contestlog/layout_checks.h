// Checks of a window's layout for the log window's tests: which visible controls overlap, and
// a control's place in the coordinates of another.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/qt/control.h"
#include "platform/qt/label.h"
#include "platform/qt/win_control.h"

namespace contestlog_test {

// Whether the control shows anything: visible, of some size, and a label with a caption.
inline bool ShowsSomething(const platform::qt::TControl& c) {
  if (!c.Visible() || c.Width() <= 0 || c.Height() <= 0) return false;
  const auto* label = dynamic_cast<const platform::qt::TCustomLabel*>(&c);
  return label == nullptr || !label->Caption().empty();
}

// Whether two places overlap by more than the one pixel that spreading a row of adjacent
// fields by a factor may round them into each other.
inline bool Intersect(const platform::qt::TRect& a, const platform::qt::TRect& b) {
  return std::min(a.Right, b.Right) - std::max(a.Left, b.Left) > 1 &&
         std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top) > 1;
}

// Pairs of the log window that lie on each other on purpose: the own call drawn in three
// layers, the beam's caption 0.9 of the number's height below the number (their label boxes
// share the leading; the texts do not touch), and the field of a typed digital mode over the
// mode's label, which it covers.
inline bool OverlapWanted(const std::string& a, const std::string& b) {
  const auto own_call = [](const std::string& n) { return n.rfind("lglobcall", 0) == 0; };
  if (own_call(a) && own_call(b)) return true;
  const auto pair = [&a, &b](const char* x, const char* y) {
    return (a == x && b == y) || (a == y && b == x);
  };
  return pair("leNummer", "lebeam") || pair("emode", "lMode");
}

// "a / b" for each pair of controls on one parent that both show something and overlap, from
// `parent` down through its visible children; `skip` (a background) and the wanted pairs are
// left out.
inline std::vector<std::string> Overlaps(const platform::qt::TWinControl& parent,
                                         const platform::qt::TControl* skip = nullptr) {
  std::vector<std::string> found;
  std::vector<const platform::qt::TControl*> shown;
  for (const platform::qt::TControl* c : parent.Controls()) {
    if (c != skip && ShowsSomething(*c)) shown.push_back(c);
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      if (Intersect(shown[i]->BoundsRect(), shown[j]->BoundsRect()) &&
          !OverlapWanted(shown[i]->Name(), shown[j]->Name())) {
        found.push_back(shown[i]->Name() + " / " + shown[j]->Name());
      }
    }
    if (const auto* w = dynamic_cast<const platform::qt::TWinControl*>(shown[i])) {
      const std::vector<std::string> inner = Overlaps(*w, skip);
      found.insert(found.end(), inner.begin(), inner.end());
    }
  }
  return found;
}

}  // namespace contestlog_test
