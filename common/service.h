// The one process-wide object of a service module (dates, settings, messages, tables, ...).
//
// The program creates its service objects in one start-up function, in a fixed order, and
// destroys them in reverse order; a test creates only the ones it needs, with ScopedService.
// Reaching an object that does not exist is a programming error and ends the process with a
// message naming the type, rather than running on with a null object.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>

namespace common {

template <typename T>
class Service {
 public:
  static bool Exists() { return Slot() != nullptr; }

  static T& Get() {
    if (Slot() == nullptr) {
      std::fprintf(stderr, "service object used before it was created: %s\n", typeid(T).name());
      std::abort();
    }
    return *Slot();
  }

  // Creates the object unless it exists; returns it.
  template <typename... Args>
  static T& Create(Args&&... args) {
    if (Slot() == nullptr) Slot() = std::make_unique<T>(std::forward<Args>(args)...);
    return *Slot();
  }

  // Installs an object made elsewhere (a fake, or a derived class); replaces any existing one.
  static void Install(std::unique_ptr<T> object) { Slot() = std::move(object); }

  static void Destroy() { Slot().reset(); }

 private:
  static std::unique_ptr<T>& Slot() {
    static std::unique_ptr<T> slot;
    return slot;
  }
};

// Creates the service object for a scope (a test) and destroys it afterwards.
template <typename T>
class ScopedService {
 public:
  template <typename... Args>
  explicit ScopedService(Args&&... args) {
    Service<T>::Destroy();
    Service<T>::Create(std::forward<Args>(args)...);
  }
  ~ScopedService() { Service<T>::Destroy(); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;
  T& operator*() const { return Service<T>::Get(); }
  T* operator->() const { return &Service<T>::Get(); }
};

}  // namespace common
