// The open-file budget of the driver system: which drivers have their files open, how many
// operating-system files each uses, and which was used longest ago.
//
// The driver system may hold at most `max_files - 1` files. The ring has one place per allowed
// file; it is kept here as the list of occupied places from the least recently used to the most
// recently used, which is all the budget ever walks. The ring does not own the drivers.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace storage {

class OpenDriver;

class OpenFileRing {
 public:
  explicit OpenFileRing(int max_files) : max_files_(max_files) {}

  int MaxFiles() const { return max_files_; }
  int FilesInUse() const { return files_in_use_; }
  bool Contains(const OpenDriver* driver) const;

  // When the driver holds a place, makes it the most recently used and answers true.
  bool Touch(const OpenDriver* driver);

  // Files missing for an open that needs `needed` more: 0 or less when they fit.
  int Shortage(int needed) const { return files_in_use_ + needed - (max_files_ - 1); }

  // The drivers to close to cover `shortage`, least recently used first, skipping those that
  // `may_close` refuses; nothing when one walk round the ring does not cover it.
  std::optional<std::vector<OpenDriver*>> PickVictims(
      int shortage, const std::function<bool(const OpenDriver*)>& may_close) const;

  // Gives the driver the most recently used place; its files join the count.
  void Add(OpenDriver* driver, int files);
  // Empties the driver's place; its files leave the count. Nothing when it holds none.
  void Remove(const OpenDriver* driver);

  // The drivers holding places, least recently used first.
  std::vector<OpenDriver*> Drivers() const;

 private:
  struct Place {
    OpenDriver* driver;
    int files;
  };
  int max_files_;
  int files_in_use_ = 0;
  std::vector<Place> places_;  // least recently used first
};

}  // namespace storage
