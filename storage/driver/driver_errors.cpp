#include "storage/driver/driver_errors.h"

#include "storage/driver/driver_engine.h"

namespace storage {

int DriverResultClass(int error) {
  if (error < 12288) return EngineClassOf(error);
  if (error == kDrvReentry) return kClassNotFound;
  const int c = (error & 0xF000) / 4096 - 2;
  return (c >= 1 && c <= 5) ? c : kClassUnknown;
}

int DriverErrorNumber(int error) { return error < 12288 ? error : (error & 0x0FFF); }

}  // namespace storage
