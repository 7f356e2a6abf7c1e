// The main window's layout when its size changes, the highlight of the side bar's menu label,
// the maker label's underline, and the caption colours of its buttons.
#include <algorithm>

#include "app/contest_brow.h"
#include "common/grafik.h"
#include "platform/qt/colors.h"

namespace app {
namespace {

constexpr platform::qt::TColor kTitleColour = 0xE9E9E9;
constexpr int kVisibleButtons = 5;

bool IsMenuTag(std::intptr_t tag) {
  return tag != 0 && tag != 98 && tag != 99 && tag % 100 == 0;
}

}  // namespace

void TContestBrow::FormResize() {
  if (lCall == nullptr) return;  // still being built
  const int s30 = ui::ScalePixels(*this, 30, false);
  lCall->SetLeft(ClientWidth() - s30 - lCall->Width());
  lUtils->SetLeft(lCall->Left() - ui::ScalePixels(*this, 20, false) - lUtils->Width());
  PlaceTaggedPanels();
  PlaceListAndTitles();
  PlaceBottomLine();
}

// Panels a window shows beside the list take the content area, never shrinking.
void TContestBrow::PlaceTaggedPanels() {
  const int s30 = ui::ScalePixels(*this, 30, false);
  for (platform::qt::TControl* control : Controls()) {
    auto* panel = dynamic_cast<platform::qt::TPanel*>(control);
    if (panel == nullptr || panel->Tag() == 0 || panel->Tag() == 98 || panel->Tag() == 99) {
      continue;
    }
    panel->SetTop(ui::ScalePixels(*this, 40, false));
    panel->SetLeft(Image2->Left() + Image2->Width());
    panel->SetWidth(std::max(panel->Width(), ClientWidth() - s30 - panel->Left()));
    panel->SetHeight(std::max(panel->Height(), ClientHeight() - s30 - panel->Top()));
  }
}

void TContestBrow::PlaceListAndTitles() {
  const auto scaled = [this](int value) { return ui::ScalePixels(*this, value, false); };
  imgtitels->SetTop(scaled(48));
  lworked->SetTop(imgtitels->Top() + imgtitels->Height());
  panelContest->SetTop(lworked->Top() + lworked->Height() + scaled(10));
  panelContest->SetHeight(ClientHeight() - scaled(60) - panelContest->Top());
  imglinks->SetTop(ClientHeight() >= scaled(650) ? scaled(135) : scaled(52));
  if (ClientWidth() <= scaled(900)) {
    imglinks->SetLeft(scaled(32));
    panelContest->SetLeft(imglinks->Left() + imglinks->Width() + scaled(10));
    panelContest->SetWidth(ClientWidth() - scaled(30) - panelContest->Left());
  } else {
    imglinks->SetLeft(scaled(100));
    panelContest->SetLeft(imglinks->Left() + imglinks->Width() + scaled(30));
    panelContest->SetWidth(ClientWidth() - scaled(60) - panelContest->Left());
  }
  const int needed = kVisibleButtons * btnHilfePx4->Width() + scaled(10);
  if (panelContest->Width() < needed) {
    panelContest->SetWidth(needed);
    panelContest->SetLeft(ClientWidth() - scaled(10) - needed);
  }
  for (platform::qt::TLabel* label : {imgtitels, lworked}) {
    label->SetLeft(panelContest->Left() + (panelContest->Width() - label->Width()) / 2);
  }
  lworked->Font().SetColor(kTitleColour);
  lhinweisupdate2->Font().SetColor(platform::qt::clYellow);
}

void TContestBrow::PlaceBottomLine() {
  const auto scaled = [this](int value) { return ui::ScalePixels(*this, value, false); };
  btnweitere->SetTop(ClientHeight() - scaled(5) - btnweitere->Height());
  lhinweisupdate->SetTop(btnweitere->Top());
  lhinweisupdate2->SetTop(lhinweisupdate->Top() + lhinweisupdate->Height());
  for (platform::qt::TLabel* label : {lhinweisupdate, lhinweisupdate2}) {
    label->SetLeft(panelContest->Left());
    label->SetWidth(ClientWidth() - scaled(30) - label->Left());
  }
  lhersteller->SetTop(btnweitere->Top() - scaled(10) - lhersteller->Height());
  lhersteller->SetVisible(true);
}

void TContestBrow::PanelUntenResize() {
  const int width = PanelUnten->ClientWidth();
  Bevel1->SetWidth(width);
  Bevel2->SetWidth(width);
  panelbuttonsPx4->SetLeft(0);
  panelbuttonsPx4->SetWidth(width);
}

// The menu label under the mouse shows its colour; every other menu label of the side bar is
// plain again.
void TContestBrow::MenueBeendenMouseMove(platform::qt::TComponent* sender) {
  auto* lit = dynamic_cast<platform::qt::TLabel*>(sender);
  if (lit != nullptr && lit->Tag() != 98) lit->SetTransparent(false);
  for (platform::qt::TComponent* component : Components()) {
    auto* label = dynamic_cast<platform::qt::TLabel*>(component);
    if (label != nullptr && label != lit && IsMenuTag(label->Tag())) label->SetTransparent(true);
  }
}

void TContestBrow::MakerMouseMove() {
  lhersteller->Font().SetStyle(platform::qt::fsUnderline);
}

// Leaving the maker label or the menu label over the side bar takes their highlights away.
void TContestBrow::Image2MouseMove() {
  lhersteller->Font().SetStyle(0);
  MenueBeendenMouseMove(Image2);
}

void TContestBrow::ColourButtonCaptions(platform::qt::TWinControl& panel) {
  for (platform::qt::TControl* control : panel.Controls()) {
    if (auto* button = dynamic_cast<ui::TkvBitBtn*>(control)) {
      button->Font().SetColor(common::ToGrafik::KontrastFarbe(panel.Color()));
    } else if (auto* inner = dynamic_cast<platform::qt::TPanel*>(control)) {
      ColourButtonCaptions(*inner);
    }
  }
}

}  // namespace app
