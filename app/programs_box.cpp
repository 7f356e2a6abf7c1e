#include "app/programs_box.h"

#include <memory>
#include <utility>

#include "common/service.h"
#include "contest/contest_fkt.h"
#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "ui/web.h"
#include "ui/winskal.h"

namespace app {
namespace {

using platform::qt::TComponent;
using platform::qt::TSpeedButton;

constexpr const char* kCaption = "weitere AFU-Programme von Tarnex";
constexpr const char* kFallbackPage = "https://www.domivox.example/";
constexpr const char* kMailAddress = "info@domivox.example";
constexpr const char* kAddressLine = "PEL Domivox – das freie Contest-Logbuch für Funkamateure";
constexpr int kLinkHeight = 22;

Twagprogramme2* second_box = nullptr;

// The page as a reader would type it: without the scheme and the closing slash.
std::string Shown(std::string page) {
  for (const char* scheme : {"https://", "http://"}) {
    if (page.rfind(scheme, 0) == 0) page.erase(0, std::string(scheme).size());
  }
  if (!page.empty() && page.back() == '/') page.pop_back();
  return page;
}

TSpeedButton* MakeLink(ui::TkvForm& form, const char* name, const std::string& caption, int left,
                       int top, int width) {
  auto* link = new TSpeedButton(&form);
  link->SetName(name);
  link->SetParent(&form);
  link->SetFlat(true);
  link->SetCaption(caption);
  link->Font().SetColor(platform::qt::clBlue);
  link->Font().SetStyle(platform::qt::fsUnderline);
  link->SetCursor(platform::qt::crHandPoint);
  link->SetBounds(left, top, width, kLinkHeight);
  return link;
}

platform::qt::TLabel* MakeLabel(ui::TkvForm& form, const char* name, const std::string& caption,
                                int left, int top) {
  auto* label = new platform::qt::TLabel(&form);
  label->SetName(name);
  label->SetParent(&form);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

platform::qt::TImage* MakeImage(ui::TkvForm& form, const char* picture) {
  auto* image = new platform::qt::TImage(&form);
  image->SetName("Image1");
  image->SetParent(&form);
  image->SetPicture(platform::qt::Application().Pictures().Get(picture));
  image->SetBounds(0, 0, image->Picture().Width(), image->Picture().Height());
  // The picture grows with the box when the screen scaling enlarges it.
  image->SetStretch(true);
  return image;
}

void StartForm(ui::TkvForm& form, const char* name) {
  form.SetName(name);
  form.SetCaption(kCaption);
  form.SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
  form.SetPosition(platform::qt::TPosition::poScreenCenter);
}

void ScaleForScreen(ui::TkvForm& form) {
  form.SetScaled(ui::ToWinskal::FormScaled(form));
  ui::ToWinskal::ScaleForm(form);
}

}  // namespace

ProgramLinks CurrentProgramLinks() {
  std::string page = common::Service<contest::TContestFkt>::Get().Definitions().Program().MakerPage;
  if (page.empty()) page = kFallbackPage;
  if (page.back() != '/') page += '/';
  return {page, page + "download/", page + "neuigkeiten/", std::string("mailto:") + kMailAddress};
}

// --- the second box ---

Twagprogramme2::Twagprogramme2() : ui::TkvForm(nullptr), links_(CurrentProgramLinks()) {
  {
    platform::qt::LoadingScope loading(*this);
    StartForm(*this, "wagprogramme2");
    SetColor(platform::qt::clWhite);
    Image1 = MakeImage(*this, kProgramsPicture2);
    const int top = Image1->Height() + 8;
    Label4 = MakeLabel(*this, "Label4", "Alle Info's unter: ", 12, top + 3);
    Label4->Font().SetColor(platform::qt::clRed);
    Label4->Font().SetStyle(platform::qt::fsBold);
    SpeedButton1 = MakeLink(*this, "SpeedButton1", Shown(links_.project), 140, top, 220);
    SpeedButton4 = MakeLink(*this, "SpeedButton4", kMailAddress, 370, top, 200);
    Label1 = MakeLabel(*this, "Label1", kAddressLine, 12, top + kLinkHeight + 6);
    SetClientSize(Image1->Width(), top + 2 * kLinkHeight + 12);
  }
  SpeedButton1->OnClick = [this](TComponent*) { BitBtn1Click(); };
  SpeedButton4->OnClick = [this](TComponent*) { SpeedButton4Click(); };
  FormCreate();
}

void Twagprogramme2::FormCreate() { ScaleForScreen(*this); }

void Twagprogramme2::BitBtn1Click() { ui::TWebSS::OpenLink(links_.project); }

void Twagprogramme2::SpeedButton4Click() { ui::TWebSS::OpenLink(links_.mail); }

Twagprogramme2* wagprogramme2() { return second_box; }

// --- the first box ---

Twagprogramme::Twagprogramme() : ui::TkvForm(nullptr), links_(CurrentProgramLinks()) {
  {
    platform::qt::LoadingScope loading(*this);
    StartForm(*this, "wagprogramme");
    SetAutoSize(true);
    Image1 = MakeImage(*this, kProgramsPicture);
    const int top = Image1->Height() + 8;
    SpeedButton1 = MakeLink(*this, "SpeedButton1", Shown(links_.project), 12, top, 240);
    SpeedButton2 = MakeLink(*this, "SpeedButton2", "Download", 280, top, 150);
    SpeedButton3 = MakeLink(*this, "SpeedButton3", "Neuigkeiten", 450, top, 150);
    Label1 = MakeLabel(*this, "Label1", kAddressLine, 16, top + kLinkHeight + 6);
    SpeedButton4 = MakeLink(*this, "SpeedButton4", kMailAddress, 560, top + kLinkHeight + 2, 220);
    SetClientSize(Image1->Width(), top + 2 * kLinkHeight + 12);
    Timer = new platform::qt::TTimer(this);
    Timer->SetName("Timer");
    Timer->SetEnabled(false);
    Timer->SetInterval(1000);
  }
  SpeedButton1->OnClick = [this](TComponent*) { BitBtn1Click(); };
  SpeedButton2->OnClick = [this](TComponent*) { SpeedButton2Click(); };
  SpeedButton3->OnClick = [this](TComponent*) { SpeedButton3Click(); };
  SpeedButton4->OnClick = [this](TComponent*) { SpeedButton4Click(); };
  Timer->SetOnTimer([this](TComponent*) { TimerTimer(); });
  OnActivate = [this](TComponent*) { FormActivate(); };
  FormCreate();
}

void Twagprogramme::FormCreate() { ScaleForScreen(*this); }

// The box becomes active again when the second box closes: the timer starts only while the
// second box is still to come.
void Twagprogramme::FormActivate() {
  if (!second_box_shown_) Timer->SetEnabled(true);
}

void Twagprogramme::TimerTimer() {
  if (!Timer->Enabled()) return;
  Timer->SetEnabled(false);
  second_box_shown_ = true;
  Twagprogramme2 box;
  second_box = &box;
  struct Forget {
    ~Forget() { second_box = nullptr; }
  } forget;
  box.ShowModal();
}

void Twagprogramme::BitBtn1Click() { ui::TWebSS::OpenLink(links_.project); }

void Twagprogramme::SpeedButton2Click() { ui::TWebSS::OpenLink(links_.download); }

void Twagprogramme::SpeedButton3Click() { ui::TWebSS::OpenLink(links_.news); }

void Twagprogramme::SpeedButton4Click() { ui::TWebSS::OpenLink(links_.mail); }

void ShowMorePrograms() {
  Twagprogramme box;
  box.ShowModal();
}

void ProgramsBoxPort::ShowMorePrograms() { app::ShowMorePrograms(); }

void InstallProgramsBox() {
  RegisterProgramsBoxPictures();
  contest::TContestFkt& service = common::Service<contest::TContestFkt>::Get();
  std::unique_ptr<contest::ContestPort> previous = service.SetPort(nullptr);
  service.SetPort(std::make_unique<ProgramsBoxPort>(std::move(previous)));
}

}  // namespace app
