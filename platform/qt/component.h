// TComponent: the owner tree of the window layer.
//
// A component made with an owner belongs to it: the owner frees it when the owner is freed, and
// a component freed earlier leaves its owner's list. `Components` lists the owned components in
// creation order; the owner frees them last-made first. Components are made with `new` and an
// owner, or held by the caller (std::unique_ptr) when they have none.
//
// Loading: code that builds a form as a design would be loaded opens a LoadingScope on the form;
// while it lives, the form and every component it owns report IsLoading() (the framework's
// "loaded from a design" state), and when it closes each of them gets Loaded(), in creation
// order, the form last.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::qt {

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  int ComponentIndex() const;  // position in the owner's list, -1 without owner
  // The owned component of that name (compared without regard to ASCII letter case), or null.
  TComponent* FindComponent(const std::string& name) const;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  bool IsLoading() const;
  bool IsDestroying() const { return destroying_; }
  // Expires when the component is freed: code that calls handlers which may free it checks this.
  std::weak_ptr<const bool> AliveToken() const { return alive_; }

 protected:
  // After the loading scope of its root closed.
  virtual void Loaded() {}
  // Every derived destructor that frees more than members calls this first, so callbacks that
  // arrive while the object is torn down see IsDestroying().
  void BeginDestroy() { destroying_ = true; }

 private:
  friend class LoadingScope;
  void Remove(TComponent* component);

  TComponent* owner_;
  std::vector<TComponent*> components_;
  std::string name_;
  std::intptr_t tag_ = 0;
  bool loading_ = false;
  bool destroying_ = false;
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

class LoadingScope {
 public:
  explicit LoadingScope(TComponent& root);
  ~LoadingScope();
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  TComponent& root_;
};

}  // namespace platform::qt
