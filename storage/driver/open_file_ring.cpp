#include "storage/driver/open_file_ring.h"

#include <algorithm>

namespace storage {

bool OpenFileRing::Contains(const OpenDriver* driver) const {
  return std::any_of(places_.begin(), places_.end(),
                     [driver](const Place& p) { return p.driver == driver; });
}

bool OpenFileRing::Touch(const OpenDriver* driver) {
  // Searched from the most recently used end: the driver in use is nearly always there.
  for (auto it = places_.rbegin(); it != places_.rend(); ++it) {
    if (it->driver == driver) {
      const Place p = *it;
      places_.erase(std::next(it).base());
      places_.push_back(p);
      return true;
    }
  }
  return false;
}

std::optional<std::vector<OpenDriver*>> OpenFileRing::PickVictims(
    int shortage, const std::function<bool(const OpenDriver*)>& may_close) const {
  std::vector<OpenDriver*> victims;
  int freed = 0;
  for (const Place& p : places_) {
    if (!may_close(p.driver)) continue;
    victims.push_back(p.driver);
    freed += p.files;
    if (freed >= shortage) return victims;
  }
  return std::nullopt;
}

void OpenFileRing::Add(OpenDriver* driver, int files) {
  Remove(driver);
  places_.push_back({driver, files});
  files_in_use_ += files;
}

void OpenFileRing::Remove(const OpenDriver* driver) {
  for (auto it = places_.begin(); it != places_.end(); ++it) {
    if (it->driver == driver) {
      files_in_use_ -= it->files;
      places_.erase(it);
      return;
    }
  }
}

std::vector<OpenDriver*> OpenFileRing::Drivers() const {
  std::vector<OpenDriver*> out;
  for (const Place& p : places_) out.push_back(p.driver);
  return out;
}

}  // namespace storage
