// OpenDriver: what the driver system, its open-file ring and the error dumps need of a driver
// they list.
//
// IFbiDriver implements it. The lists hold plain pointers and never own a driver: a driver
// leaves them when it is destroyed, and the system detaches the drivers still listed when it
// ends first. The system sees its drivers only through this interface, so the driver system
// lies below the driver classes and never reaches up into them.
#pragma once

#include <string>

namespace storage {

class OpenDriver {
 public:
  OpenDriver() = default;
  OpenDriver(const OpenDriver&) = delete;
  OpenDriver& operator=(const OpenDriver&) = delete;

  // The sharing name (normalised, 40 characters) and the data file path without extension.
  virtual const std::string& FileName() const = 0;
  virtual const std::string& FilePath() const = 0;
  virtual bool FilesOpen() const = 0;
  // True when the driver's fileblock is shared and this user holds its write lock, its read lock
  // or a record lock in it.
  virtual bool HoldsLocks() const = 0;
  // Closes the fileblock (engine close) and leaves the open-file ring; the driver keeps its state
  // and reopens on its next use. Answers the class of the close (0 when nothing was open).
  virtual int CloseFiles() = 0;
  // The driver system is ending: forget the files (the engine closes them) and the system.
  virtual void DetachFromSystem() = 0;

 protected:
  ~OpenDriver() = default;
};

}  // namespace storage
