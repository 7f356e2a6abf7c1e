#include "ui/progress_window.h"

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "ui/winskal.h"

namespace ui {

TFortschrittWinForm::TFortschrittWinForm(platform::qt::TComponent* owner,
                                         TFortschrittWinCtrl* controller)
    : TkvForm(owner),
      fortschritt(new platform::qt::TProgressBar(this)),
      lfortschritt(new platform::qt::TLabel(this)),
      Button1(new platform::qt::TButton(this)),
      Image1(new platform::qt::TImage(this)),
      Label1(new platform::qt::TLabel(this)),
      controller_(controller) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("FortschrittWinForm");
    SetCaption("Fortschritt");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsSingle);
    SetFormStyle(platform::qt::TFormStyle::fsStayOnTop);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetColor(platform::qt::clWhite);
    SetClientSize(389, 145);
    fortschritt->SetName("fortschritt");
    fortschritt->SetParent(this);
    fortschritt->SetBounds(8, 32, 369, 16);
    lfortschritt->SetName("lfortschritt");
    lfortschritt->SetParent(this);
    lfortschritt->SetBounds(8, 8, 60, 15);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(304, 28, 75, 25);
    Button1->SetCaption("Abbrechen");
    Button1->OnClick = [this](platform::qt::TComponent*) { cancel_ = true; };
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetBounds(8, 64, 297, 73);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetBounds(312, 72, 65, 57);
    Label1->SetWordWrap(true);
  }
  SetScaled(ToWinskal::FormScaled(*this));
  OnCloseQuery = [this](platform::qt::TComponent*, bool& can_close) {
    can_close = controller_ == nullptr;
  };
  OnClose = [](platform::qt::TComponent*, platform::qt::TCloseAction& action) {
    action = platform::qt::TCloseAction::caFree;
  };
}

void TFortschrittWinForm::Setup(const std::string& title, const std::string& text, int maximum,
                                bool cancellable, bool with_picture) {
  with_picture_ = with_picture;
  if (!title.empty()) SetCaption(title);
  lfortschritt->SetCaption(text);
  lfortschritt->Repaint();
  fortschritt->SetMax(maximum);
  fortschritt->SetPosition(0);
  Button1->SetVisible(cancellable);
  if (cancellable) fortschritt->SetWidth(Button1->Left() - fortschritt->Left() - 8);
  Image1->SetBounds(fortschritt->Left(), Image1->Top(), fortschritt->Width(), Image1->Height());
  if (!with_picture) {
    SetClientHeight(ClientHeight() - Image1->Height());
    Image1->Hide();
    Label1->Hide();
  }
}

void TFortschrittWinForm::Progress(const std::string& text, int position, bool& cancelled,
                                   int maximum) {
  if (!text.empty() && text != lfortschritt->Caption()) {
    lfortschritt->SetCaption(text);
    lfortschritt->Repaint();
  }
  if (position > 0) {
    fortschritt->SetPosition(position);
    if (maximum >= 1 && maximum != fortschritt->Max()) fortschritt->SetMax(maximum);
    fortschritt->Repaint();
  }
  Repaint();
  cancelled = cancel_;
}

TFortschrittWinCtrl::TFortschrittWinCtrl(platform::qt::TComponent* owner, std::string title,
                                         std::string text, int maximum, bool cancellable,
                                         bool modal, bool with_picture)
    : owner_(owner),
      title_(std::move(title)),
      text_(std::move(text)),
      maximum_(maximum),
      cancellable_(cancellable),
      modal_(modal),
      with_picture_(with_picture) {}

TFortschrittWinCtrl::~TFortschrittWinCtrl() {
  EnableOtherWindows();
  if (TFortschrittWinForm* window = Window()) {
    window->ReleaseController();
    delete window;
  }
}

TFortschrittWinForm* TFortschrittWinCtrl::Window() const {
  return window_alive_.expired() ? nullptr : window_;
}

bool TFortschrittWinCtrl::Show() {
  if (Window() == nullptr) {
    window_ = new TFortschrittWinForm(owner_, this);
    window_alive_ = window_->AliveToken();
  }
  window_->Setup(title_, text_, maximum_, cancellable_, with_picture_);
  if (modal_) {
    // A blocking modal loop would never return to the run that steps the window.
    for (platform::qt::TForm* form : platform::qt::Application().Forms()) {
      if (form == window_ || !form->Enabled()) continue;
      form->SetEnabled(false);
      disabled_.emplace_back(form, form->AliveToken());
    }
  }
  window_->Show();
  return true;
}

void TFortschrittWinCtrl::EnableOtherWindows() {
  for (const auto& [form, alive] : disabled_) {
    if (!alive.expired()) form->SetEnabled(true);
  }
  disabled_.clear();
}

void TFortschrittWinCtrl::Step(const std::string& text, int position, int maximum,
                               bool& cancelled) {
  if (maximum > 0) maximum_ = maximum;
  if (TFortschrittWinForm* window = Window()) {
    window->Progress(text, position, cancelled, maximum_);
  }
  if (cancellable_) platform::qt::Application().ProcessMessages();
}

}  // namespace ui
