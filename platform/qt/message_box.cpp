#include "platform/qt/message_box.h"

#include <algorithm>

#include "platform/qt/application.h"
#include "platform/qt/button.h"
#include "platform/qt/colors.h"
#include "platform/qt/form.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/panel.h"
#include "platform/qt/system_pictures.h"

namespace platform::qt {
namespace {

constexpr int kMargin = 16;
constexpr int kTextWidth = 400;  // where a long text breaks
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kIconSize = 32;

class MessageBoxForm : public TForm {
 public:
  explicit MessageBoxForm(const MessageBoxCall& call) : TForm(nullptr) {
    LoadingScope loading(*this);
    SetName("MessageBox");
    SetCaption(call.caption.empty() ? Application().Title : call.caption);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetIgnoresKeysTypedAhead(true);
    area_->SetParent(this);
    area_->SetBevelOuter(TBevelCut::bvNone);
    area_->SetColor(clWindow);
    area_->SetAlign(TAlign::alTop);
    const std::string icon = MessageBoxIcon(call.flags);
    int text_left = kMargin;
    if (!icon.empty()) {
      icon_->SetParent(area_);
      icon_->SetBounds(kMargin, kMargin, kIconSize, kIconSize);
      icon_->SetTransparent(true);
      icon_->SetPicture(Application().Pictures().Get(icon));
      text_left += kIconSize + 12;
    }
    text_->SetParent(area_);
    text_->SetShowAccelChar(false);
    text_->SetCaption(call.text);
    TRect need{0, 0, kTextWidth, 0};
    text_->Canvas().Font = text_->Font();
    text_->Canvas().DrawText(call.text, need, text_->TextFlags() | DT_WORDBREAK | DT_CALCRECT);
    const int text_height = std::max(need.Height(), text_->Canvas().TextHeight("X"));
    const int text_top = kMargin + (icon.empty() ? 0 : std::max(0, (kIconSize - text_height) / 2));
    text_->SetBounds(text_left, text_top, need.Width(), text_height);
    text_->SetWordWrap(true);
    const int area_height =
        std::max(text_top + text_height, icon.empty() ? 0 : kMargin + kIconSize) + kMargin;

    const std::vector<int> answers = MessageBoxButtons(call.flags);
    const int row = static_cast<int>(answers.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int width = std::max({text_left + need.Width() + kMargin, row + 2 * kMargin, 200});
    SetClientSize(width, area_height + 2 * 11 + kButtonHeight);
    area_->SetHeight(area_height);
    const int default_answer = MessageBoxDefault(call.flags);
    const bool has_cancel = std::find(answers.begin(), answers.end(), IDCANCEL) != answers.end();
    int x = (width - row) / 2;
    for (int answer : answers) {
      auto* button = new TButton(this);
      button->SetParent(this);
      button->SetBounds(x, area_height + 11, kButtonWidth, kButtonHeight);
      button->SetCaption(MessageBoxButtonCaption(answer));
      button->SetModalResult(answer);
      button->SetDefault(answer == default_answer);
      button->SetCancel(answer == IDCANCEL || (!has_cancel && answers.size() == 1));
      if (answer == default_answer) SetActiveControl(button);
      x += kButtonWidth + kButtonGap;
    }
  }

 private:
  TPanel* area_ = new TPanel(this);
  TImage* icon_ = new TImage(this);
  TLabel* text_ = new TLabel(this);
};

}  // namespace

std::vector<int> MessageBoxButtons(unsigned flags) {
  switch (flags & 0xF) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK};
  }
}

int MessageBoxDefault(unsigned flags) {
  const std::vector<int> answers = MessageBoxButtons(flags);
  const std::size_t n = (flags & 0xF00) >> 8;
  return n < answers.size() ? answers[n] : answers.front();
}

std::string MessageBoxIcon(unsigned flags) {
  switch (flags & 0xF0) {
    case MB_ICONERROR:
      return kIconError;
    case MB_ICONQUESTION:
      return kIconQuestion;
    case MB_ICONWARNING:
      return kIconWarning;
    case MB_ICONINFORMATION:
      return kIconInformation;
    default:
      return {};
  }
}

std::string MessageBoxButtonCaption(int answer) {
  switch (answer) {
    case IDCANCEL:
      return "Abbrechen";
    case IDABORT:
      return "&Abbrechen";
    case IDRETRY:
      return "&Wiederholen";
    case IDIGNORE:
      return "&Ignorieren";
    case IDYES:
      return "&Ja";
    case IDNO:
      return "&Nein";
    default:
      return "OK";
  }
}

int FormMessageBox::Show(const MessageBoxCall& call) {
  MessageBoxForm form(call);
  const int result = form.ShowModal();
  const std::vector<int> answers = MessageBoxButtons(call.flags);
  if (result == mrCancel && answers.size() == 1) return answers.front();
  return result;
}

}  // namespace platform::qt
