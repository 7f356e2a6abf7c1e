// TUpDown: a pair of arrow buttons drawn by the layer, stepping a position between Min and Max.
//
// A press on an arrow steps once (OnChanging may refuse, then Position moves by Increment,
// held within Min and Max, or wrapping round with Wrap) and calls OnClick with the arrow
// (btNext: up or right, towards Max; btPrev: down or left); holding the button repeats after
// 400 ms, every 100 ms. The arrow keys do the same while it has the focus. OnClick comes also
// at a limit, where the position stays.
#pragma once

#include <functional>
#include <memory>

#include "platform/qt/win_control.h"

namespace platform::qt {

class TTimer;

enum class TUDBtnType : std::uint8_t { btNext, btPrev };
enum class TUDOrientation : std::uint8_t { udVertical, udHorizontal };

using TUDClickEvent = std::function<void(TComponent* sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TComponent* sender, bool& allow)>;

class TUpDown : public TCustomControl {
 public:
  explicit TUpDown(TComponent* owner);
  ~TUpDown() override;

  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Position() const { return position_; }
  void SetPosition(int value);
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool on) { wrap_ = on; }
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation orientation);

  // One step as by the arrow (used by the mouse, the keys and the repeat).
  void Step(TUDBtnType button);
  // The arrow's half of the control.
  TRect ButtonRect(TUDBtnType button) const;

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  bool WantsChars() const override { return false; }

  TUDClickEvent OnClick;
  TUDChangingEvent OnChanging;

 private:
  void Repeat();

  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int increment_ = 1;
  bool wrap_ = false;
  TUDOrientation orientation_ = TUDOrientation::udVertical;
  bool pressing_ = false;
  TUDBtnType pressed_ = TUDBtnType::btNext;
  std::unique_ptr<TTimer> repeat_;
};

}  // namespace platform::qt
