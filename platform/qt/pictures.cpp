#include "platform/qt/pictures.h"

#include <algorithm>

namespace platform::qt {

std::string TPictureRegistry::Key(const std::string& name) {
  std::string key = name;
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

void TPictureRegistry::Register(const std::string& name, const TPictureSpec& spec,
                                TPictureRecipe recipe) {
  const std::string key = Key(name);
  if (entries_.find(key) == entries_.end()) names_.push_back(name);
  TPictureSpec checked = spec;
  checked.width = std::max(0, spec.width);
  checked.height = std::max(0, spec.height);
  checked.states = std::clamp(spec.states, 1, 4);
  entries_[key] = Entry{checked, std::move(recipe), nullptr};
}

bool TPictureRegistry::Contains(const std::string& name) const {
  return entries_.find(Key(name)) != entries_.end();
}

const TBitmap& TPictureRegistry::Get(const std::string& name) {
  const auto it = entries_.find(Key(name));
  if (it == entries_.end()) return empty_;
  Entry& entry = it->second;
  if (!entry.picture) {
    const TPictureSpec& spec = entry.spec;
    auto picture = std::make_unique<TBitmap>(spec.width * spec.states, spec.height);
    TCanvas& canvas = picture->Canvas();
    for (int state = 0; state < spec.states; ++state) {
      const TRect cell = Bounds(state * spec.width, 0, spec.width, spec.height);
      canvas.Brush = {spec.background, TBrushStyle::bsSolid};
      canvas.Pen = TPen{};
      canvas.Font = TFont{};
      canvas.FillRect(cell);
      if (entry.recipe) entry.recipe(canvas, cell, state);
    }
    picture->Transparent = true;
    picture->TransparentColor = spec.background;
    entry.picture = std::move(picture);
  }
  return *entry.picture;
}

}  // namespace platform::qt
