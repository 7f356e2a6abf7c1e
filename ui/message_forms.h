// The five modal message dialogs behind ToMessages (ui/message_dialogs.h): the yes/no question,
// the notice (optionally with the check box "Meldung nicht mehr anzeigen" and a continue button
// instead of the close button), the warning, the error and the error with a link button.
//
// All share one design (client 446 x 198 before sizing, Arial 9): Panel1 fills the form; the icon
// Image1 at (24, 16); the bold title Label1 at (128, 16); the message Label2 at (128, 48); Panel2
// (66 high) at the bottom of Panel1 with the line Bevel1 and the buttons at top 25, 35 high. A
// form applies the dialog layout (ToLayout::FormLayout) when it is made; SetupDialog then takes
// the texts and sizes the form to them (see SizeDialog).
#pragma once

#include <string>

#include "platform/qt/check_box.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/shape.h"
#include "ui/bit_btn.h"
#include "ui/kv_form.h"
#include "ui/panels.h"

namespace ui {

// What a controller hands its form: the texts and switches of one call.
struct TMessageDialogParams {
  std::string caption{};         // window caption; empty keeps the form's
  std::string title{};           // Label1; empty keeps the form's
  std::string text{};            // Label2, always
  std::string button_caption{};  // the link button's caption (error with link)
  std::string link{};            // opened by the link button
  bool default_yes = false;    // question: yes is the default button
  bool continue_button = false;  // notice: the continue button instead of the close button
  bool show_check_box = false;   // notice: the check box is shown
};

class TMessageDialogForm : public TkvForm {
 public:
  virtual void SetupDialog(const TMessageDialogParams& params) = 0;

  TkvPanel* Panel1;
  TkvPanel* Panel2;
  platform::qt::TBevel* Bevel1;
  TkvBitBtn* kvBitBtn1;
  platform::qt::TImage* Image1;
  platform::qt::TLabel* Label1;
  platform::qt::TLabel* Label2;

 protected:
  // The common design with the form's name, caption, title, icon and first button.
  TMessageDialogForm(const std::string& name, const std::string& caption,
                     const std::string& title, const std::string& icon, TkvBitBtnKind kind);
  // The creation handler: Scaled by the scaling rule, then the dialog layout. Each form calls it
  // at the end of its constructor.
  void FormCreate();
  // Texts common to the forms: a non-empty caption and title replace the form's, the text
  // always replaces Label2's.
  void TakeTexts(const TMessageDialogParams& params, bool caption, bool title);
  // Sizes the form to Label2 (S(x): x at the form's pixel scale): at least S(320) wide; a text
  // whose line would make it wider than S(600) wraps at S(580), as high as S(15) per started
  // line plus S(15) per carriage return or as the wrapped text needs, whichever is more, plus
  // S(20); never lower than the icon over the button panel.
  void SizeDialog();
  // Places the buttons when Panel2 changes size; the base centres kvBitBtn1.
  virtual void Panel2Resize();
  // The narrowest the form may be: S(320).
  virtual int MinimumWidth();
  // A button in Panel2 at top 25, 35 high.
  TkvBitBtn* AddButton(TkvBitBtnKind kind, int width);
};

class TJaNeinFrageForm final : public TMessageDialogForm {
 public:
  TJaNeinFrageForm();
  void SetupDialog(const TMessageDialogParams& params) override;
  TkvBitBtn* kvBitBtn2;  // no

 protected:
  void Panel2Resize() override;
};

class THinweisForm final : public TMessageDialogForm {
 public:
  THinweisForm();
  void SetupDialog(const TMessageDialogParams& params) override;
  platform::qt::TCheckBox* ccheck;
};

class TFehlerForm final : public TMessageDialogForm {
 public:
  TFehlerForm();
  void SetupDialog(const TMessageDialogParams& params) override;
};

class TFehlerInfoForm final : public TMessageDialogForm {
 public:
  TFehlerInfoForm();
  void SetupDialog(const TMessageDialogParams& params) override;
  TkvBitBtn* kvBitBtn2;  // opens the link
  const std::string& Link() const { return link_; }

 protected:
  void Panel2Resize() override;
  // Wide enough for both buttons side by side.
  int MinimumWidth() override;

 private:
  std::string link_{};
};

class TAchtungForm final : public TMessageDialogForm {
 public:
  TAchtungForm();
  void SetupDialog(const TMessageDialogParams& params) override;
};

}  // namespace ui
