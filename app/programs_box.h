// The further-programs box "weitere AFU-Programme von Tarnex": a modal box that presents this
// program with a picture of its own, links to the project's web pages and its e-mail address.
// One second after it became active a second box opens over it by itself, once per opening.
// Both boxes open their links in the user's browser or mail program (ui::TWebSS::OpenLink).
//
// The main window's and the log window's btnweitere reach it through the catalogue service's
// port (TContestFkt::ShowMorePrograms), which InstallProgramsBox lays over the port before it.
#pragma once

#include <string>

#include "contest/contest_port.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/timer.h"
#include "ui/kv_form.h"

namespace app {

// The pictures of the two boxes in the application's picture registry.
inline constexpr const char* kProgramsPicture = "wagprogramme_bild";
inline constexpr const char* kProgramsPicture2 = "wagprogramme2_bild";
// Registers both pictures once per application object (programs_box_pictures.cpp).
void RegisterProgramsBoxPictures();

// The addresses the boxes link to: the project's page (the one the maker link of the contest
// data opens; a fallback when the data name none), two pages under it and the e-mail address.
struct ProgramLinks {
  std::string project;
  std::string download;
  std::string news;
  std::string mail;  // with "mailto:"
};
ProgramLinks CurrentProgramLinks();

// The second box, opened over the first by its timer.
class Twagprogramme2 : public ui::TkvForm {
 public:
  Twagprogramme2();

  void FormCreate();
  void BitBtn1Click();
  void SpeedButton4Click();

  platform::qt::TImage* Image1;
  platform::qt::TLabel* Label4;
  platform::qt::TSpeedButton* SpeedButton1;
  platform::qt::TLabel* Label1;
  platform::qt::TSpeedButton* SpeedButton4;

 private:
  ProgramLinks links_;
};

class Twagprogramme : public ui::TkvForm {
 public:
  Twagprogramme();

  void FormCreate();
  // Starts the timer, unless the second box has shown in this opening: it follows one second
  // later, once per opening (the box is made for one opening).
  void FormActivate();
  // The first tick switches the timer off and shows the second box modally; a tick of a timer
  // already switched off does nothing.
  void TimerTimer();
  void BitBtn1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();

  platform::qt::TImage* Image1;
  platform::qt::TSpeedButton* SpeedButton1;
  platform::qt::TSpeedButton* SpeedButton2;
  platform::qt::TSpeedButton* SpeedButton3;
  platform::qt::TLabel* Label1;
  platform::qt::TSpeedButton* SpeedButton4;
  platform::qt::TTimer* Timer;

 private:
  ProgramLinks links_;
  bool second_box_shown_ = false;
};

// The second box while it shows; null otherwise.
Twagprogramme2* wagprogramme2();

// Creates the first box, shows it modally and frees it.
void ShowMorePrograms();

// The catalogue service's port part that opens the box.
class ProgramsBoxPort final : public contest::ForwardingPort {
 public:
  using ForwardingPort::ForwardingPort;
  void ShowMorePrograms() override;
};

// Registers the boxes' pictures (once) and installs ProgramsBoxPort over the catalogue
// service's port.
void InstallProgramsBox();

}  // namespace app
