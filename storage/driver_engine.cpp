#include "storage/driver_engine.h"

namespace storage {

int EngineClassOf(int error) {
  if (error == 0) return 0;
  if (error == 9903 || error == 10410 || (error >= 10200 && error <= 10299)) return 1;
  switch (error) {
    case 9900:
    case 10065:
    case 10110:
    case 10306:
    case 10330:
    case 10332:
    case 10335:
    case 10355:
    case 10360:
    case 10390:
    case 10397:
    case 10399:
      return 2;
    default:
      break;
  }
  if (error >= 10001 && error <= 10009) return 3;
  return 4;
}

}  // namespace storage
