// An empty hook: callers pass or call it where a routine must be given but nothing is to happen.
#pragma once

namespace common {

inline void NoOperation() {}

}  // namespace common
