#include "ui/url_label.h"

#include "common/string_helpers.h"
#include "platform/desktop.h"
#include "platform/qt/application.h"
#include "platform/qt/message_box.h"
#include "platform/text_codec.h"

namespace ui {
namespace {

using platform::qt::fsUnderline;

// "http://...", "mailto:..." and the like already say how to open them.
bool HasScheme(const std::string& target) {
  const std::string upper = common::UpperCase(target);
  return target.find("://") != std::string::npos || upper.rfind("MAILTO:", 0) == 0 ||
         upper.rfind("NEWS:", 0) == 0;
}

std::string WithScheme(const char* scheme, const std::string& target) {
  return HasScheme(target) ? target : scheme + target;
}

}  // namespace

std::string PercentEncoded(const std::string& text, std::string_view keep) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : platform::Cp1252ToUtf8(text)) {
    const auto c = static_cast<unsigned char>(ch);
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' ||
                       keep.find(ch) != std::string_view::npos;
    if (plain) {
      out += ch;
    } else {
      out += {'%', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return out;
}

TFPUrlLabel::TFPUrlLabel(platform::qt::TComponent* owner)
    : TCustomLabel(owner), menu_(new platform::qt::TPopupMenu(this)) {
  SetCursor(platform::qt::crHandPoint);
  Font().SetColor(col_std_);
  Font().SetStyle(fsUnderline);
  auto* copy = new platform::qt::TMenuItem(menu_);
  copy->SetCaption("&Copy");
  copy->OnClick = [this](platform::qt::TComponent*) { CopyToClipboard(); };
  menu_->Items()->Add(copy);
}

void TFPUrlLabel::SetUnderline(bool on) {
  const platform::qt::TFontStyles style = Font().Style();
  Font().SetStyle(on ? (style | fsUnderline) : (style & ~fsUnderline));
}

void TFPUrlLabel::SetLabelType(TLabelType type) {
  label_type_ = type;
  SetUnderline(!effect98_);
}

void TFPUrlLabel::SetURLColStd(platform::qt::TColor colour) {
  col_std_ = colour;
  Font().SetColor(colour);
}

void TFPUrlLabel::SetEffect98(bool on) {
  effect98_ = on;
  SetUnderline(!on && label_type_ != TLabelType::hmCUSTOM);
}

void TFPUrlLabel::SetFont(const platform::qt::TFont& font) {
  Font() = font;
  col_std_ = font.Color();
}

std::string TFPUrlLabel::Target() const {
  const std::string target = TypedTarget();
  switch (label_type_) {
    case TLabelType::hmHTTP:
      return WithScheme("http://", target);
    case TLabelType::hmFTP:
      return WithScheme("ftp://", target);
    case TLabelType::hmNews:
      return WithScheme("news://", target);
    case TLabelType::hmMAIL:
      return WithScheme("mailto:", target) + "?subject=" + PercentEncoded(mail_subject_);
    case TLabelType::hmCUSTOM:
      break;
  }
  return target;
}

void TFPUrlLabel::Click() {
  TCustomLabel::Click();
  OpenBrowser(Target());
}

void TFPUrlLabel::OpenBrowser(const std::string& target) {
  const platform::WinError result = platform::CurrentShell().Open(target);
  if (label_type_ == TLabelType::hmHTTP && result != platform::kErrorSuccess) {
    platform::qt::Application().MessageBox("Sorry your browser could not be found", "",
                                           platform::qt::MB_OK);
  }
}

void TFPUrlLabel::CopyToClipboard() { platform::qt::Application().SetClipboardText(TypedTarget()); }

void TFPUrlLabel::MouseDown(platform::qt::TMouseButton button, platform::qt::TShiftState shift,
                            int x, int y) {
  TCustomLabel::MouseDown(button, shift, x, y);
  if (button == platform::qt::TMouseButton::mbLeft) {
    if (allow_down_ && !moved_down_) {
      SetTop(Top() + 1);
      moved_down_ = true;
    }
    Font().SetColor(col_pre_);
  } else if (button == platform::qt::TMouseButton::mbRight &&
             (label_type_ == TLabelType::hmHTTP || label_type_ == TLabelType::hmMAIL ||
              label_type_ == TLabelType::hmNews)) {
    const platform::qt::TPoint at = ClientToScreen({x, y});
    menu_->Popup(at.X, at.Y);
  }
}

void TFPUrlLabel::MouseUp(platform::qt::TMouseButton button, platform::qt::TShiftState shift,
                          int x, int y) {
  TCustomLabel::MouseUp(button, shift, x, y);
  if (!effect98_) Font().SetColor(col_std_);
  // Only a label that went down comes back up.
  if (button == platform::qt::TMouseButton::mbLeft && moved_down_) {
    SetTop(Top() - 1);
    moved_down_ = false;
  }
}

void TFPUrlLabel::MouseEnter() {
  TCustomLabel::MouseEnter();
  if (!effect98_) return;
  Font().SetColor(col_pre_);
  if (label_type_ != TLabelType::hmCUSTOM) SetUnderline(true);
  Repaint();
}

void TFPUrlLabel::MouseLeave() {
  TCustomLabel::MouseLeave();
  if (!effect98_) return;
  Font().SetColor(col_std_);
  if (label_type_ != TLabelType::hmCUSTOM) SetUnderline(false);
  Repaint();
}

}  // namespace ui
