#include "platform/qt/component.h"

#include <algorithm>

#include "platform/qt/types.h"

namespace platform::qt {
namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

int MulDiv(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t a = product < 0 ? -product : product;
  const std::int64_t d = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
  const std::int64_t q = (a + d / 2) / d;
  return static_cast<int>(negative ? -q : q);
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  while (!components_.empty()) {
    TComponent* last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    delete last;
  }
  if (owner_ != nullptr) owner_->Remove(this);
}

void TComponent::Remove(TComponent* component) { std::erase(components_, component); }

int TComponent::ComponentIndex() const {
  if (owner_ == nullptr) return -1;
  const auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (SameNameIgnoringCase(c->name_, name)) return c;
  }
  return nullptr;
}

bool TComponent::IsLoading() const {
  for (const TComponent* c = this; c != nullptr; c = c->owner_) {
    if (c->loading_) return true;
  }
  return false;
}

LoadingScope::LoadingScope(TComponent& root) : root_(root) { root_.loading_ = true; }

LoadingScope::~LoadingScope() {
  root_.loading_ = false;
  // Loaded may make components; only those present when the scope closed are told.
  const std::vector<TComponent*> loaded = root_.components_;
  for (TComponent* c : loaded) c->Loaded();
  root_.Loaded();
}

}  // namespace platform::qt
