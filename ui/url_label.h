// TFPUrlLabel: a label that is a hyperlink. A click opens its target (URL, or the caption when
// that is empty) through the desktop's shell, with the scheme of its type in front when the
// target has none; a mail link adds "?subject=" and the subject, percent-encoded as UTF-8. When
// the shell cannot open a web link, the platform's message box says "Sorry your browser could
// not be found". A right press on a web, mail or news link opens a menu with "&Copy", which puts
// the target as typed on the clipboard.
//
// Looks: underlined in URLColStd (blue) at rest, URLColPre (red) while pressed; with Effect98
// underlined and red only while the mouse is over it; with AllowDown it moves down one pixel
// while pressed. The hand cursor shows over it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/qt/label.h"
#include "platform/qt/menus.h"

namespace ui {

enum class TLabelType : std::uint8_t { hmHTTP, hmMAIL, hmFTP, hmNews, hmCUSTOM };

class TFPUrlLabel : public platform::qt::TCustomLabel {
 public:
  explicit TFPUrlLabel(platform::qt::TComponent* owner);

  TLabelType LabelType() const { return label_type_; }
  void SetLabelType(TLabelType type);
  platform::qt::TColor URLColStd() const { return col_std_; }
  void SetURLColStd(platform::qt::TColor colour);  // also the font colour
  platform::qt::TColor URLColPre() const { return col_pre_; }
  void SetURLColPre(platform::qt::TColor colour) { col_pre_ = colour; }
  bool AllowDown() const { return allow_down_; }
  void SetAllowDown(bool on) { allow_down_ = on; }
  bool Effect98() const { return effect98_; }
  void SetEffect98(bool on);
  const std::string& URL() const { return url_; }
  void SetURL(std::string url) { url_ = std::move(url); }
  const std::string& MailSubject() const { return mail_subject_; }
  void SetMailSubject(std::string subject) { mail_subject_ = std::move(subject); }
  // Takes the font; URLColStd becomes its colour.
  void SetFont(const platform::qt::TFont& font);

  // The address a click opens.
  std::string Target() const;
  void OpenBrowser(const std::string& target);
  void CopyToClipboard();
  platform::qt::TPopupMenu& Menu() { return *menu_; }

  void Click() override;
  void MouseDown(platform::qt::TMouseButton button, platform::qt::TShiftState shift, int x,
                 int y) override;
  void MouseUp(platform::qt::TMouseButton button, platform::qt::TShiftState shift, int x,
               int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  void SetUnderline(bool on);
  std::string TypedTarget() const { return url_.empty() ? Caption() : url_; }

  TLabelType label_type_ = TLabelType::hmHTTP;
  platform::qt::TColor col_std_ = 0xFF0000;  // blue
  platform::qt::TColor col_pre_ = 0x0000FF;  // red
  bool allow_down_ = false;
  bool effect98_ = false;
  bool moved_down_ = false;
  std::string url_;
  std::string mail_subject_;
  platform::qt::TPopupMenu* menu_;
};

// The text percent-encoded as UTF-8 (everything but letters, digits, "-._~" and the characters
// of `keep`).
std::string PercentEncoded(const std::string& text, std::string_view keep = {});

}  // namespace ui
