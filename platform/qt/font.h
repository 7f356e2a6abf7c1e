// TFont: name, size in points, colour and style of a control's or a canvas's text.
//
// The layer renders at 96 pixels per inch whatever the screen says (it never scales by itself):
// a size of 9 points is 12 pixels (Height -12). Setting Height to -n sets the size from n
// pixels; a positive Height (cell height) is taken as the same number of pixels. Changes call
// OnChange, through which a control repaints and a child with ParentFont follows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/qt/types.h"

namespace platform::qt {

using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

inline constexpr const char* kDefaultFontName = "Arial";
inline constexpr int kDefaultFontSize = 9;

class TFont {
 public:
  TFont() = default;
  TFont(const TFont& other)
      : name_(other.name_), size_(other.size_), color_(other.color_), style_(other.style_) {}
  // Copies name, size, colour and style (not the change handler), then notifies.
  TFont& operator=(const TFont& other);
  void Assign(const TFont& other) { *this = other; }

  const std::string& Name() const { return name_; }
  void SetName(std::string name);
  int Size() const { return size_; }
  void SetSize(int points);
  int Height() const;  // -pixels
  void SetHeight(int height);
  int PixelSize() const;  // the height in pixels the text is rendered with
  TColor Color() const { return color_; }
  void SetColor(TColor colour);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);

  bool SameLook(const TFont& other) const {
    return name_ == other.name_ && size_ == other.size_ && color_ == other.color_ &&
           style_ == other.style_;
  }

  std::function<void()> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }

  std::string name_ = kDefaultFontName;
  int size_ = kDefaultFontSize;
  TColor color_ = 0x80000008;  // clWindowText
  TFontStyles style_ = 0;
};

}  // namespace platform::qt
