#include "storage/isam/page_pool.h"

#include <new>

#include "storage/isam/engine_state.h"
#include "storage/isam/fileblock.h"

namespace storage {

void PageRef::MarkDirty() const {
  node_->dirty = true;
  ++node_->owner->page_changes;
}

std::uint64_t PagePool::Id(const Fileblock& fb, int key, std::int32_t page) {
  return (static_cast<std::uint64_t>(fb.serial) << 40) |
         (static_cast<std::uint64_t>(key & 0xFF) << 32) | static_cast<std::uint32_t>(page);
}

int PagePool::Allocate(int count) {
  Free();
  sentinel_.next = sentinel_.prev = &sentinel_;
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<PageNode> node(new (std::nothrow) PageNode);
    if (!node) break;
    PushLeastRecent(node.get());
    nodes_.push_back(std::move(node));
  }
  index_.reserve(nodes_.size() * 2);
  scratch_.assign(kWidestPageSize, 0);
  return Size();
}

void PagePool::Free() {
  index_.clear();
  nodes_.clear();
  sentinel_.next = sentinel_.prev = &sentinel_;
}

void PagePool::Unlink(PageNode* node) {
  node->prev->next = node->next;
  node->next->prev = node->prev;
}

void PagePool::PushMostRecent(PageNode* node) {
  node->prev = sentinel_.prev;
  node->next = &sentinel_;
  sentinel_.prev->next = node;
  sentinel_.prev = node;
}

void PagePool::PushLeastRecent(PageNode* node) {
  node->next = sentinel_.next;
  node->prev = &sentinel_;
  sentinel_.next->prev = node;
  sentinel_.next = node;
}

void PagePool::Forget(PageNode* node) {
  if (node->owner != nullptr) index_.erase(Id(*node->owner, node->key, node->page));
  node->owner = nullptr;
  node->dirty = false;
}

bool PagePool::WritePage(PageNode* node) {
  Fileblock& fb = *node->owner;
  // The journal keeps the page's old image before it is overwritten; other users must learn
  // that the key changed.
  if (!JournalBeforePageWrite(fb, node->key, node->page)) return false;
  NoteHeaderChanged(fb, node->key);
  const int length = fb.keys[node->key].key_length;
  const std::int32_t bytes = PackPage(node->data, length, scratch_.data());
  if (!fb.index.Write(fb.PageOffset(node->key, node->page), scratch_.data(),
                      static_cast<std::uint32_t>(bytes))) {
    return false;
  }
  node->dirty = false;
  return true;
}

PageNode* PagePool::Victim() {
  for (PageNode* node = sentinel_.next; node != &sentinel_; node = node->next) {
    if (node->pins != 0) continue;
    if (node->owner != nullptr && node->dirty && !WritePage(node)) return nullptr;
    Forget(node);
    return node;
  }
  // Every buffer pinned: more than the pool was sized for; a damaged tree can't cause it.
  Fail(kIsamTooFewBuffers);
  return nullptr;
}

PageRef PagePool::Get(Fileblock& fb, int key, std::int32_t page) {
  const KeyDesc& d = fb.keys[key];
  if (page < 1 || page > d.allocated) {
    Fail(kIsamKeyHeaderBad);
    return PageRef();
  }
  const std::uint64_t id = Id(fb, key, page);
  if (auto it = index_.find(id); it != index_.end()) {
    PageNode* node = it->second;
    Unlink(node);
    PushMostRecent(node);
    return PageRef(node);
  }
  PageNode* node = Victim();
  if (node == nullptr) return PageRef();
  // The full page size is read; a page beyond the end of the file is damage, not zeros.
  if (!fb.index.Read(fb.PageOffset(key, page), scratch_.data(),
                     static_cast<std::uint32_t>(d.size))) {
    return PageRef();
  }
  // Only an empty tree has a page without items, its root, and its header counts no entries: any
  // other would hide the entries of its part of the tree from every walk and search.
  if (!UnpackPage(scratch_.data(), d.key_length, d.allocated, page, &node->data) ||
      (node->data.count == 0 && (page != d.root || !node->data.IsLeaf() || d.entries != 0))) {
    Fail(kIsamKeyHeaderBad);
    return PageRef();
  }
  node->owner = &fb;
  node->key = static_cast<std::uint16_t>(key);
  node->page = page;
  index_[id] = node;
  Unlink(node);
  PushMostRecent(node);
  return PageRef(node);
}

PageRef PagePool::Fresh(Fileblock& fb, int key, std::int32_t page) {
  const std::uint64_t id = Id(fb, key, page);
  PageNode* node = nullptr;
  if (auto it = index_.find(id); it != index_.end()) {
    node = it->second;  // a stale buffer of a page that came back from the free chain
  } else {
    node = Victim();
    if (node == nullptr) return PageRef();
    node->owner = &fb;
    node->key = static_cast<std::uint16_t>(key);
    node->page = page;
    index_[id] = node;
  }
  node->data.count = 0;
  node->data.left = 0;
  node->dirty = true;
  Unlink(node);
  PushMostRecent(node);
  return PageRef(node);
}

bool PagePool::Pinned(const Fileblock& fb, int key, std::int32_t page) const {
  auto it = index_.find(Id(fb, key, page));
  return it != index_.end() && it->second->pins != 0;
}

void PagePool::Discard(Fileblock& fb, int key, std::int32_t page) {
  auto it = index_.find(Id(fb, key, page));
  if (it == index_.end()) return;
  PageNode* node = it->second;
  Forget(node);
  Unlink(node);
  PushLeastRecent(node);
}

void PagePool::DiscardKey(Fileblock& fb, int key) {
  for (auto& node : nodes_) {
    if (node->owner == &fb && node->key == key) {
      Forget(node.get());
      Unlink(node.get());
      PushLeastRecent(node.get());
    }
  }
}

bool PagePool::WriteFileblock(Fileblock& fb, bool detach) {
  bool ok = true;
  for (auto& node : nodes_) {
    if (node->owner != &fb) continue;
    if (node->dirty && !WritePage(node.get())) {
      ok = false;
      continue;  // keep it dirty and attached: nothing written is lost yet
    }
    if (detach) {
      Forget(node.get());
      Unlink(node.get());
      PushLeastRecent(node.get());
    }
  }
  return ok;
}

void PagePool::DropFileblock(Fileblock& fb) {
  for (auto& node : nodes_) {
    if (node->owner != &fb) continue;
    Forget(node.get());
    Unlink(node.get());
    PushLeastRecent(node.get());
  }
}

std::vector<std::pair<int, std::int32_t>> PagePool::DirtyPages(const Fileblock& fb) const {
  std::vector<std::pair<int, std::int32_t>> pages;
  for (const auto& node : nodes_) {
    if (node->owner == &fb && node->dirty) pages.emplace_back(node->key, node->page);
  }
  return pages;
}

int PagePool::CountPages(const Fileblock& fb, bool dirty_only) const {
  int n = 0;
  for (const auto& node : nodes_) {
    if (node->owner == &fb && (!dirty_only || node->dirty)) ++n;
  }
  return n;
}

}  // namespace storage
