// Insertion into a key's B-tree: a full page first gives entries to a neighbour under the same
// parent, and splits 31/1/31 only when that neighbour is full too.

#include <algorithm>
#include <cstring>

#include "storage/isam/btree.h"
#include "storage/isam/engine_state.h"

namespace storage {
namespace {

PagePool& Pool() { return Engine().pool; }

// Inserts `item` after item `pos` (0: before item 1) of a page with room.
void InsertAt(Page& page, int pos, const PageItem& item) {
  std::memmove(&page.items[pos + 1], &page.items[pos],
               sizeof(PageItem) * static_cast<std::size_t>(page.count - pos));
  page.items[pos] = item;
  ++page.count;
}

// The 63 items of a full page with `item` inserted after item `pos`.
void Combine(const Page& page, int pos, const PageItem& item, PageItem* out) {
  std::copy(page.items, page.items + pos, out);
  out[pos] = item;
  std::copy(page.items + pos, page.items + page.count, out + pos + 1);
}

void SetSeparator(PageItem& target, const PageItem& source) {
  target.ref = source.ref;
  target.len = source.len;
  std::memcpy(target.text, source.text, source.len);
}

// Spreads the entries of the full page `p`, the new item, the parent's separator and the
// neighbour over the two pages: the full page keeps ceil(T / 2), the neighbour gets floor(T / 2),
// the entry at the boundary becomes the separator. `done` stays false when the neighbour is full.
bool Redistribute(Fileblock& fb, int key, const PathLevel& parent, PageRef& p, int pos,
                  const PageItem& item, bool* done) {
  *done = false;
  PageRef c = Pool().Get(fb, key, parent.page);
  if (!c) return false;
  const int s = parent.index;
  if (s > c->count) return Fail(kIsamKeyHeaderBad);
  const bool right = s < c->count;
  if (!right && s == 0) return true;  // an inner page without items: nothing to share with
  const std::int32_t neighbour = c->Child(right ? s + 1 : s - 1);
  if (neighbour == 0 || neighbour == p.number()) return Fail(kIsamKeyHeaderBad);
  PageRef b = Pool().Get(fb, key, neighbour);
  if (!b) return false;
  if (b->count >= kItemsPerPage) return true;

  Page& left = right ? *p : *b;
  Page& rightp = right ? *b : *p;
  const int sep_index = right ? s : s - 1;  // 0-based item of the parent
  PageItem seq[2 * kItemsPerPage + 2];
  int n = 0;
  if (right) {
    Combine(left, pos, item, seq);
    n = left.count + 1;
  } else {
    std::copy(left.items, left.items + left.count, seq);
    n = left.count;
  }
  PageItem sep = c->items[sep_index];
  sep.child = rightp.left;
  seq[n++] = sep;
  if (right) {
    std::copy(rightp.items, rightp.items + rightp.count, seq + n);
    n += rightp.count;
  } else {
    Combine(rightp, pos, item, seq + n);
    n += rightp.count + 1;
  }
  const int total = n - 1;  // T: all entries less the new separator
  const int left_count = right ? (total + 1) / 2 : total / 2;
  std::copy(seq, seq + left_count, left.items);
  left.count = left_count;
  const PageItem& boundary = seq[left_count];
  rightp.left = boundary.child;
  std::copy(seq + left_count + 1, seq + n, rightp.items);
  rightp.count = n - left_count - 1;
  SetSeparator(c->items[sep_index], boundary);
  p.MarkDirty();
  b.MarkDirty();
  c.MarkDirty();
  *done = true;
  return true;
}

// Splits the full page `p` with the new item: items 1..31 stay, item 32 goes up (with the new
// page as its right child), items 33..63 go to the new page.
bool Split(Fileblock& fb, int key, PageRef& p, int pos, const PageItem& item, PageItem* up) {
  PageItem all[kItemsPerPage + 1];
  Combine(*p, pos, item, all);
  const std::int32_t page = AllocatePage(fb, key);
  if (page == 0) return false;
  PageRef q = Pool().Fresh(fb, key, page);
  if (!q) return false;
  std::copy(all, all + kMinFill, p->items);
  p->count = kMinFill;
  *up = all[kMinFill];
  q->left = up->child;
  std::copy(all + kMinFill + 1, all + kItemsPerPage + 1, q->items);
  q->count = kItemsPerPage - kMinFill;
  up->child = page;
  p.MarkDirty();
  q.MarkDirty();
  return true;
}

}  // namespace

bool TreeInsert(Fileblock& fb, int key, const TreeKey& x) {
  KeyDesc& d = fb.keys[key];
  d.pos_valid = false;
  if (x.len > d.key_length) return Fail(kIsamKeyTooLong);

  PathLevel path[kMaxDepth];
  int depth = 0;
  for (std::int32_t page = d.root; page != 0;) {
    if (depth == kMaxDepth) return Fail(kIsamKeyHeaderBad);
    PageRef p = Pool().Get(fb, key, page);
    if (!p) return false;
    int index = 0;
    if (SearchPage(d, *p, x, &index)) return Fail(kIsamDuplicateKey);
    path[depth].page = page;
    path[depth].index = static_cast<std::uint8_t>(index);
    ++depth;
    page = p->Child(index);
  }
  if (!MarkModified(fb)) return false;

  PageItem item{};
  item.ref = x.ref;
  item.child = 0;
  item.len = static_cast<std::uint8_t>(x.len);
  std::memcpy(item.text, x.text, static_cast<std::size_t>(x.len));

  if (depth == 0) {
    const std::int32_t page = AllocatePage(fb, key);
    if (page == 0) return false;
    PageRef root = Pool().Fresh(fb, key, page);
    if (!root) return false;
    root->items[0] = item;
    root->count = 1;
    d.root = page;
  } else {
    for (int level = depth - 1;; --level) {
      PageRef p = Pool().Get(fb, key, path[level].page);
      if (!p) return false;
      const int pos = path[level].index;
      if (pos > p->count) return Fail(kIsamKeyHeaderBad);
      if (p->count < kItemsPerPage) {
        InsertAt(*p, pos, item);
        p.MarkDirty();
        break;
      }
      if (level > 0) {
        bool done = false;
        if (!Redistribute(fb, key, path[level - 1], p, pos, item, &done)) return false;
        if (done) break;
      }
      PageItem up{};
      if (!Split(fb, key, p, pos, item, &up)) return false;
      if (level == 0) {
        // The growth reached past the root: a new root above the old one.
        const std::int32_t page = AllocatePage(fb, key);
        if (page == 0) return false;
        PageRef root = Pool().Fresh(fb, key, page);
        if (!root) return false;
        root->left = path[0].page;
        root->items[0] = up;
        root->count = 1;
        d.root = page;
        break;
      }
      item = up;
    }
  }
  ++d.entries;
  d.header_modified = true;
  return true;
}

}  // namespace storage
