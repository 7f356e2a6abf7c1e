#include "ui/glyph_cache.h"

#include <map>
#include <memory>
#include <utility>

namespace ui {

int TGlyphList::Add(const platform::qt::TBitmap& image) {
  int index = 0;
  while (index < static_cast<int>(used_.size()) && used_[static_cast<std::size_t>(index)]) ++index;
  if (index == static_cast<int>(used_.size())) {
    images_.emplace_back();
    used_.push_back(false);
  }
  images_[static_cast<std::size_t>(index)] = image;
  used_[static_cast<std::size_t>(index)] = true;
  ++count_;
  return index;
}

void TGlyphList::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(used_.size())) return;
  const auto slot = static_cast<std::size_t>(index);
  if (!used_[slot]) return;
  used_[slot] = false;
  images_[slot] = platform::qt::TBitmap();
  --count_;
}

const platform::qt::TBitmap& TGlyphList::Image(int index) const {
  static const platform::qt::TBitmap empty;
  if (index < 0 || index >= static_cast<int>(used_.size())) return empty;
  const auto slot = static_cast<std::size_t>(index);
  return used_[slot] ? images_[slot] : empty;
}

namespace {

using Lists = std::map<std::pair<int, int>, std::unique_ptr<TGlyphList>>;

std::unique_ptr<Lists>& Cache() {
  static std::unique_ptr<Lists> cache;
  return cache;
}

}  // namespace

TGlyphList& TGlyphCache::GetList(int width, int height) {
  if (!Cache()) Cache() = std::make_unique<Lists>();
  std::unique_ptr<TGlyphList>& list = (*Cache())[{width, height}];
  if (!list) list = std::make_unique<TGlyphList>(width, height);
  return *list;
}

void TGlyphCache::ReturnList(TGlyphList* list) {
  if (list == nullptr || list->Count() != 0 || !Cache()) return;
  Cache()->erase({list->Width(), list->Height()});
  if (Cache()->empty()) Cache().reset();
}

int TGlyphCache::ListCount() { return Cache() ? static_cast<int>(Cache()->size()) : 0; }

}  // namespace ui
