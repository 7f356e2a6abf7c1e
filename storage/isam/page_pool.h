// The process-wide pool of page buffers, shared by all open fileblocks.
//
// N buffers in one LRU list (move to front on every hit; the least recently used unpinned
// buffer is reused on a miss, written back first when dirty). A hash index finds the buffer of
// (fileblock, key, page) without walking the list. Pages are read whole and checked on the way in
// (btree_page.h); only their used part is written back.
//
// A PageRef pins its buffer: a pinned buffer is never reused, so the B-tree code can hold the few
// pages one step works on (page, parent, neighbour, new page) at once. The pool has at least 8
// buffers, more than any step pins.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "storage/isam/btree_page.h"

namespace storage {

struct Fileblock;

struct PageNode {
  PageNode* next = nullptr;  // towards the more recently used end
  PageNode* prev = nullptr;
  Fileblock* owner = nullptr;  // nullptr: the buffer is free
  std::int32_t page = 0;
  std::uint16_t key = 0;
  bool dirty = false;
  std::uint16_t pins = 0;
  Page data;
};

class PageRef {
 public:
  PageRef() = default;
  explicit PageRef(PageNode* node) : node_(node) {
    if (node_ != nullptr) ++node_->pins;
  }
  ~PageRef() { Release(); }
  PageRef(PageRef&& other) noexcept : node_(other.node_) { other.node_ = nullptr; }
  PageRef& operator=(PageRef&& other) noexcept {
    if (this != &other) {
      Release();
      node_ = other.node_;
      other.node_ = nullptr;
    }
    return *this;
  }
  PageRef(const PageRef&) = delete;
  PageRef& operator=(const PageRef&) = delete;

  explicit operator bool() const { return node_ != nullptr; }
  Page* operator->() const { return &node_->data; }
  Page& operator*() const { return node_->data; }
  std::int32_t number() const { return node_->page; }
  // After the page was changed: it is written back later, and its fileblock counts the change.
  void MarkDirty() const;
  void Release() {
    if (node_ != nullptr) --node_->pins;
    node_ = nullptr;
  }

 private:
  PageNode* node_ = nullptr;
};

class PagePool {
 public:
  PagePool() = default;
  ~PagePool() { Free(); }
  PagePool(const PagePool&) = delete;
  PagePool& operator=(const PagePool&) = delete;

  // Allocates up to `count` buffers one by one, stopping at the first allocation that fails;
  // returns the number allocated.
  int Allocate(int count);
  void Free();
  int Size() const { return static_cast<int>(nodes_.size()); }

  // Page `page` of key `key`, read from the index file on a miss. An empty PageRef on failure
  // (IsamError set: file errors, 10120 for a damaged page).
  PageRef Get(Fileblock& fb, int key, std::int32_t page);
  // A buffer for a page that is new to the key: empty (no items), dirty, nothing read.
  PageRef Fresh(Fileblock& fb, int key, std::int32_t page);
  // Whether the page's buffer is held by a PageRef.
  bool Pinned(const Fileblock& fb, int key, std::int32_t page) const;
  // Drops a page's buffer without writing it (the page went to the free chain).
  void Discard(Fileblock& fb, int key, std::int32_t page);
  // Drops every buffer of a key without writing (its pages were changed by another process).
  void DiscardKey(Fileblock& fb, int key);
  // Writes every dirty page of the fileblock; with `detach` its buffers become free and move to
  // the least recently used end. Goes on after a failure and reports the first.
  bool WriteFileblock(Fileblock& fb, bool detach);
  // Detaches every buffer of the fileblock without writing (after a failed close).
  void DropFileblock(Fileblock& fb);

  // The (key, page) of every dirty buffer of the fileblock.
  std::vector<std::pair<int, std::int32_t>> DirtyPages(const Fileblock& fb) const;
  // For tests: how many buffers hold pages of the fileblock, and how many of those are dirty.
  int CountPages(const Fileblock& fb, bool dirty_only) const;

 private:
  static std::uint64_t Id(const Fileblock& fb, int key, std::int32_t page);
  bool WritePage(PageNode* node);
  void Unlink(PageNode* node);
  void PushMostRecent(PageNode* node);
  void PushLeastRecent(PageNode* node);
  void Forget(PageNode* node);
  // The least recently used unpinned buffer, written back and forgotten; nullptr on failure.
  PageNode* Victim();

  std::vector<std::unique_ptr<PageNode>> nodes_;
  PageNode sentinel_;  // sentinel_.next: least recently used, sentinel_.prev: most recently used
  std::unordered_map<std::uint64_t, PageNode*> index_;
  std::vector<std::uint8_t> scratch_;  // one narrowed page
};

}  // namespace storage
