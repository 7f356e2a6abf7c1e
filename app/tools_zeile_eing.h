// The line input tool: a small modal dialog that asks for one line of text under a caption and a
// label, optionally with a button that opens a link or mail address, a fixed hint under the line
// and a maximum length. Reached through TToolsFkt::InputLine (tools_fkt.h).
//
// The controller fills the parameter record, the form shows it, and on OK the controller takes
// the entered line back.
#pragma once

#include <cstdint>
#include <string>

#include "app/tools_form.h"
#include "common/short_string.h"
#include "platform/qt/edit.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "ui/bit_btn.h"
#include "ui/kv_edit.h"

namespace app {

// What the controller hands its form and takes back.
struct TToolsZeileEingParams {
  common::ShortString<255> caption;
  common::ShortString<255> label;       // above the line
  common::ShortString<255> line;        // the initial text in, the entered text out
  common::ShortString<255> below_line;  // under the line (the controller leaves it empty)
  bool link_button = false;
  std::int32_t max_length = 0;  // 0 or less: no limit but the record's 255
};

// The hint the hint flag shows under the line.
inline constexpr const char* kOperatingSignsHint = "Betriebszeichen: - = Bindestrich | + = Ende";

class TToolsZeileEingCtrl {
 public:
  // `owner` (may be null: the application) owns the form while it is shown.
  TToolsZeileEingCtrl(platform::qt::TComponent* owner, std::int32_t max_length,
                      std::string link_text, std::string line, std::string label,
                      std::string caption);

  // Shows the dialog; true on OK, Line() then holds the entered line.
  bool Execute();
  // The record from the controller: caption "Pelorin" when empty; an empty label becomes
  // "Eingabe Text:" in the controller too.
  void FillParams(TToolsZeileEingParams& params);
  void TakeResult(const TToolsZeileEingParams& params) { Line = params.line.str(); }
  void Init() {}
  // The link button: opens the link text (TToolsZeileEingFkt::OpenMailAddress).
  void MailLine() const;

  platform::qt::TComponent* Owner;
  std::string Caption;
  std::string Label;
  std::string LinkText;
  std::int32_t MaxLength;
  std::string Line;
  bool HintFlag = false;    // show kOperatingSignsHint under the line
  std::uint8_t Option = 0;  // kept for the callers that pass it; not read
};

class TToolsZeileEingForm : public TToolsForm {
 public:
  TToolsZeileEingForm(platform::qt::TComponent* owner, TToolsZeileEingCtrl& ctrl);

  void LoadParams(const TToolsZeileEingParams& params);
  void StoreParams(TToolsZeileEingParams& params) const;

  platform::qt::TLabel* lcaption;
  ui::TkvEdit* eZeile;
  platform::qt::TLabel* lUntereingabe;
  platform::qt::TPanel* panelunten;
  platform::qt::TPanel* panelschalter;
  ui::TkvBitBtn* btnOK;
  ui::TkvBitBtn* btnabbruch;
  ui::TkvBitBtn* btnemail;

 private:
  TToolsZeileEingCtrl& ctrl_;
};

// The line input's function object: opens a link.
class TToolsZeileEingFkt {
 public:
  TToolsZeileEingFkt() = delete;
  // A web page, or the mail program for an address (ui::TWebSS::OpenLink).
  static void OpenMailAddress(const std::string& text);
};

}  // namespace app
