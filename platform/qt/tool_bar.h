// TToolBar and TToolButton: a row of flat picture buttons, the pictures from an image list.
//
// The tool bar places its buttons itself, left to right in child order from Indent, each
// ButtonWidth x ButtonHeight (a separator keeps its own width); buttons added, removed, shown or
// hidden are placed again. A button shows the picture ImageIndex of the bar's Images (greyed
// while disabled), its caption only with ShowCaptions, an edge while the mouse is over it and a
// sunken edge while pressed; releasing the mouse over it clicks it. Hints show as for any
// control (ShowHint).
#pragma once

#include <memory>

#include "platform/qt/control.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

class TImageList;

class TToolBar : public TCustomControl {
 public:
  explicit TToolBar(TComponent* owner);

  // Not owned; forgotten when it is freed.
  TImageList* Images() const;
  void SetImages(TImageList* images);
  int ButtonWidth() const { return button_width_; }
  void SetButtonWidth(int width);
  int ButtonHeight() const { return button_height_; }
  void SetButtonHeight(int height);
  bool ShowCaptions() const { return show_captions_; }
  void SetShowCaptions(bool on);
  bool Flat() const { return flat_; }
  void SetFlat(bool on);
  int Indent() const { return indent_; }
  void SetIndent(int indent);

  // Places the buttons again (called by the bar and its buttons).
  void ArrangeButtons();

 protected:
  void ChildListChanged() override { ArrangeButtons(); }

 private:
  TImageList* images_ = nullptr;
  std::weak_ptr<const bool> images_alive_;
  int button_width_ = 23;
  int button_height_ = 22;
  bool show_captions_ = false;
  bool flat_ = true;
  int indent_ = 0;
};

enum class TToolButtonStyle : std::uint8_t { tbsButton, tbsSeparator };

class TToolButton : public TGraphicControl {
 public:
  explicit TToolButton(TComponent* owner);

  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle style);
  TToolBar* ToolBar() const;

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 protected:
  void VisibleChanged() override;

 private:
  int image_index_ = -1;
  TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
  bool pressed_ = false;
  bool hot_ = false;
};

}  // namespace platform::qt
