// A demo form with every control of the layer, saved as a screenshot. Under a real display
// (QT_QPA_PLATFORM=xcb or wayland) it stays shown for DOMIVOX_SHOW_SECONDS seconds.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "common/dates.h"
#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/check_box.h"
#include "platform/qt/colors.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/edit.h"
#include "platform/qt/group_box.h"
#include "platform/qt/image.h"
#include "platform/qt/image_list.h"
#include "platform/qt/label.h"
#include "platform/qt/list_box.h"
#include "platform/qt/memo.h"
#include "platform/qt/month_calendar.h"
#include "platform/qt/panel.h"
#include "platform/qt/progress_bar.h"
#include "platform/qt/rich_edit.h"
#include "platform/qt/scroll_bar.h"
#include "platform/qt/scroll_box.h"
#include "platform/qt/shape.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/system_pictures.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/tool_bar.h"
#include "platform/qt/up_down.h"

namespace platform::qt {
namespace {

// Demo pictures: arrows for the tool bar (10 x 10, on white) and a two-state glyph.
void RegisterDemoPictures() {
  TPictureRegistry& pictures = Application().Pictures();
  for (int i = 0; i < 4; ++i) {
    pictures.Register(
        "DEMO_PFEIL" + std::to_string(i), {10, 10, 1, clWhite},
        [i](TCanvas& c, const TRect& r, int) {
          const bool right = i >= 2;
          c.Pen = {clNavy, 1};
          c.Brush = {clNavy, TBrushStyle::bsSolid};
          const int tip = right ? r.Left + 8 : r.Left + 1;
          const int base = right ? r.Left + 3 : r.Left + 6;
          const TPoint arrow[] = {{tip, r.Top + 5}, {base, r.Top + 1}, {base, r.Top + 9}};
          c.Polygon(arrow);
          if (i == 0 || i == 3) c.FillRect({right ? 8 : 0, 1, right ? 10 : 2, 10});
        });
  }
  pictures.Register("DEMO_HAKEN", {16, 16, 2, clOlive}, [](TCanvas& c, const TRect& r, int s) {
    c.Pen = {s == 0 ? clGreen : clGray, 2};
    c.MoveTo(r.Left + 2, r.Top + 8);
    c.LineTo(r.Left + 6, r.Top + 12);
    c.LineTo(r.Left + 14, r.Top + 3);
  });
}

struct DemoForm : TForm {
  TToolBar* tools = new TToolBar(this);
  TImageList* images = new TImageList(this);
  TGroupBox* station = new TGroupBox(this);
  TLabel* call_label = new TLabel(this);
  TEdit* call = new TEdit(this);
  TComboBox* band = new TComboBox(this);
  TCheckBox* check = new TCheckBox(this);
  TRadioButton* single = new TRadioButton(this);
  TRadioButton* multi = new TRadioButton(this);
  TListBox* list = new TListBox(this);
  TMemo* memo = new TMemo(this);
  TRichEdit* rich = new TRichEdit(this);
  TMonthCalendar* calendar = new TMonthCalendar(this);
  TProgressBar* progress = new TProgressBar(this);
  TScrollBar* scroll = new TScrollBar(this);
  TUpDown* up_down = new TUpDown(this);
  TSpeedButton* speed[3] = {new TSpeedButton(this), new TSpeedButton(this), new TSpeedButton(this)};
  TImage* image = new TImage(this);
  TShape* shape = new TShape(this);
  TBevel* bevel = new TBevel(this);
  TScrollBox* box = new TScrollBox(this);
  TPanel* buttons = new TPanel(this);
  TButton* ok = new TButton(this);
  TButton* cancel = new TButton(this);

  template <typename T>
  T* Place(T* c, TWinControl* parent, int left, int top, int width, int height) {
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
  }

  DemoForm() : TForm(nullptr) {
    LoadingScope loading(*this);
    SetName("DemoForm");
    SetCaption("PEL Domivox - Steuerelemente");
    SetClientSize(660, 470);
    SetShowHint(true);
    images->SetSize(10, 10);
    for (int i = 0; i < 4; ++i) {
      images->AddMasked(Application().Pictures().Get("DEMO_PFEIL" + std::to_string(i)), clWhite);
    }
    tools->SetParent(this);
    tools->SetAlign(TAlign::alTop);
    tools->SetHeight(24);
    tools->SetImages(images);
    tools->SetButtonWidth(22);
    for (const char* hint :
         {"Dateianfang", "voriger Datensatz", "-", "nächster Datensatz", "Dateiende"}) {
      auto* b = new TToolButton(this);
      b->SetParent(tools);
      if (std::string(hint) == "-") {
        b->SetStyle(TToolButtonStyle::tbsSeparator);
        continue;
      }
      b->SetImageIndex(tools->ControlCount() - 1 - (tools->ControlCount() > 3 ? 1 : 0));
      b->SetHint(hint);
    }
    Place(station, this, 8, 32, 220, 150)->SetCaption("&Station");
    Place(call_label, station, 10, 24, 0, 0)->SetCaption("&Rufzeichen:");
    Place(call, station, 90, 20, 118, 21)->SetText("DL1ABC");
    call_label->SetFocusControl(call);
    Place(band, station, 90, 48, 118, 21);
    for (const char* b : {"160m", "80m", "40m", "20m"}) band->Items().Add(b);
    band->SetItemIndex(2);
    Place(check, station, 10, 76, 200, 17)->SetCaption("&Doppelte melden");
    check->SetChecked(true);
    Place(single, station, 10, 100, 100, 17)->SetCaption("&Einmann");
    Place(multi, station, 110, 100, 100, 17)->SetCaption("&Mehrmann");
    single->SetChecked(true);
    Place(list, this, 8, 190, 105, 110);
    for (const char* s : {"CW", "SSB", "FM", "RTTY", "PSK"}) list->Items().Add(s);
    list->SetItemIndex(1);
    Place(memo, this, 120, 190, 108, 110)->SetText("Notiz\r\nzum Contest");
    Place(rich, this, 8, 306, 220, 60);
    rich->Font().SetName("Courier New");
    rich->SetText("Regeln: 2 Punkte je QSO");
    Place(calendar, this, 240, 32, 230, 170);
    calendar->SetDate(common::DMYToDate(24, 6, 2023));
    Place(progress, this, 240, 210, 230, 16)->SetPosition(60);
    Place(scroll, this, 240, 234, 200, 17)->SetParams(30, 0, 100);
    Place(up_down, this, 448, 230, 17, 25);
    const TBitmap& glyph = Application().Pictures().Get("DEMO_HAKEN");
    for (int i = 0; i < 3; ++i) {
      Place(speed[i], this, 240 + 28 * i, 262, 26, 26)->SetGlyph(glyph);
      speed[i]->SetGroupIndex(1);
      speed[i]->SetFlat(i > 0);
    }
    speed[0]->SetDown(true);
    speed[2]->SetEnabled(false);
    Place(image, this, 340, 262, 32, 32)->SetPicture(Application().Pictures().Get(kIconWarning));
    image->SetTransparent(true);
    Place(shape, this, 380, 262, 40, 28)->SetShape(TShapeType::stRoundRect);
    shape->SetBrush({clAqua, TBrushStyle::bsSolid});
    Place(bevel, this, 240, 298, 230, 4)->SetShape(TBevelShape::bsTopLine);
    Place(box, this, 480, 32, 170, 120);
    for (int i = 0; i < 6; ++i) {
      auto* l = new TLabel(this);
      Place(l, box, 8, 8 + 26 * i, 0, 0)->SetCaption("Zeile " + std::to_string(i + 1));
      auto* e = new TEdit(this);
      Place(e, box, 60, 6 + 26 * i, 80, 21)->SetText("Wert " + std::to_string(i + 1));
    }
    buttons->SetParent(this);
    buttons->SetAlign(TAlign::alBottom);
    buttons->SetHeight(44);
    buttons->SetBevelOuter(TBevelCut::bvLowered);
    Place(ok, buttons, 480, 10, 75, 25)->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    Place(cancel, buttons, 565, 10, 85, 25)->SetCaption("Abbrechen");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
  }
};

TEST(DemoFormTest, ShowsEveryControl) {
  RegisterDemoPictures();
  DemoForm form;
  form.SetPosition(TPosition::poScreenCenter);
  form.Show();
  EXPECT_TRUE(form.box->VertScrollBar().IsScrollBarVisible());
  EXPECT_EQ(form.tools->Controls().back()->Left(), 3 * 22 + 8);
  const std::string platform = std::getenv("QT_QPA_PLATFORM");
  const std::string path = testkit::SaveScreenshot(
      form, platform == "offscreen" ? "demo_form" : "demo_form_" + platform);
  EXPECT_FALSE(path.empty());
  const TBitmap shot = testkit::Grab(form);
  EXPECT_EQ(shot.Pixel(form.image->Left(), form.image->Top()), ColorToRGB(clBtnFace));
  EXPECT_EQ(shot.Pixel(form.shape->Left() + 20, form.shape->Top() + 14), clAqua);
  if (const char* seconds = std::getenv("DOMIVOX_SHOW_SECONDS")) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(seconds));
    while (std::chrono::steady_clock::now() < until) Application().ProcessMessages();
  }
}

}  // namespace
}  // namespace platform::qt
