// Base class of the system's service objects.
#pragma once

namespace common {

class Tssobject {
 public:
  virtual ~Tssobject() = default;
  // A hook for descendants; the base does nothing.
  virtual void Notify() {}
};

}  // namespace common
