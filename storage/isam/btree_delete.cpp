// Deletion from a key's B-tree: an inner entry is replaced by its predecessor from the leaves; a
// page left with fewer than 31 items borrows from a neighbour or merges with it.

#include <algorithm>
#include <cstring>

#include "storage/isam/btree.h"
#include "storage/isam/engine_state.h"

namespace storage {
namespace {

PagePool& Pool() { return Engine().pool; }

void RemoveAt(Page& page, int index0) {
  std::memmove(&page.items[index0], &page.items[index0 + 1],
               sizeof(PageItem) * static_cast<std::size_t>(page.count - index0 - 1));
  --page.count;
}

void SetText(PageItem& target, const PageItem& source) {
  target.ref = source.ref;
  target.len = source.len;
  std::memcpy(target.text, source.text, source.len);
}

// Page `a` (child `s` of parent page `parent`) holds fewer than 31 items: take the separator
// down and borrow from the right neighbour, or, for the last child, from the left one; merge when
// the neighbour has nothing to spare.
bool FixUnderflow(Fileblock& fb, int key, std::int32_t parent, int s, PageRef& a) {
  PageRef c = Pool().Get(fb, key, parent);
  if (!c) return false;
  if (s > c->count) return Fail(kIsamKeyHeaderBad);
  if (s < c->count) {
    const std::int32_t neighbour = c->Child(s + 1);
    if (neighbour == 0 || neighbour == a.number()) return Fail(kIsamKeyHeaderBad);
    PageRef b = Pool().Get(fb, key, neighbour);
    if (!b) return false;
    const int k = (b->count - kMinFill + 1) / 2;
    const int after = k > 0 ? a->count + k : a->count + 1 + b->count;
    if (after > kItemsPerPage || k > b->count) return Fail(kIsamKeyHeaderBad);
    PageItem sep = c->items[s];
    sep.child = b->left;
    a->items[a->count++] = sep;
    if (k > 0) {
      std::copy(b->items, b->items + (k - 1), a->items + a->count);
      a->count += k - 1;
      const PageItem lifted = b->items[k - 1];
      b->left = lifted.child;
      SetText(c->items[s], lifted);
      std::memmove(&b->items[0], &b->items[k],
                   sizeof(PageItem) * static_cast<std::size_t>(b->count - k));
      b->count -= k;
      a.MarkDirty();
      b.MarkDirty();
      c.MarkDirty();
      return true;
    }
    std::copy(b->items, b->items + b->count, a->items + a->count);
    a->count += b->count;
    RemoveAt(*c, s);
    a.MarkDirty();
    c.MarkDirty();
    b.Release();
    return FreePage(fb, key, neighbour);
  }
  if (s == 0) return Fail(kIsamKeyHeaderBad);  // an inner page without items
  const std::int32_t neighbour = c->Child(s - 1);
  if (neighbour == 0 || neighbour == a.number()) return Fail(kIsamKeyHeaderBad);
  PageRef b = Pool().Get(fb, key, neighbour);
  if (!b) return false;
  const int k = (b->count + 1 - kMinFill) / 2;
  const int after = k > 0 ? a->count + k : b->count + 1 + a->count;
  if (after > kItemsPerPage || k > b->count) return Fail(kIsamKeyHeaderBad);
  PageItem sep = c->items[s - 1];
  sep.child = a->left;
  if (k > 0) {
    std::memmove(&a->items[k], &a->items[0], sizeof(PageItem) * static_cast<std::size_t>(a->count));
    std::copy(b->items + (b->count - k + 1), b->items + b->count, a->items);
    a->items[k - 1] = sep;
    const PageItem lifted = b->items[b->count - k];
    a->left = lifted.child;
    SetText(c->items[s - 1], lifted);
    b->count -= k;
    a->count += k;
    a.MarkDirty();
    b.MarkDirty();
    c.MarkDirty();
    return true;
  }
  const std::int32_t freed = a.number();
  b->items[b->count++] = sep;
  std::copy(a->items, a->items + a->count, b->items + b->count);
  b->count += a->count;
  RemoveAt(*c, s - 1);
  b.MarkDirty();
  c.MarkDirty();
  a.Release();
  return FreePage(fb, key, freed);
}

}  // namespace

bool TreeDelete(Fileblock& fb, int key, const TreeKey& x) {
  KeyDesc& d = fb.keys[key];
  // A deletion can move or free the pages of any position in this key: it must be re-found.
  d.pos_valid = false;

  PathLevel path[kMaxDepth];
  int depth = 0;
  int found_level = -1;
  for (std::int32_t page = d.root; page != 0;) {
    if (depth == kMaxDepth) return Fail(kIsamKeyHeaderBad);
    PageRef p = Pool().Get(fb, key, page);
    if (!p) return false;
    int index = 0;
    const bool hit = SearchPage(d, *p, x, &index);
    path[depth].page = page;
    path[depth].index = static_cast<std::uint8_t>(index);
    ++depth;
    if (hit) {
      // A key without duplicates finds the text whatever the reference: only the entry of this
      // record may go, never another record's entry of the same text.
      if (d.duplicates == 0 && p->items[index - 1].ref != x.ref) break;
      found_level = depth - 1;
      break;
    }
    page = p->Child(index);
  }
  if (found_level < 0) return Fail(kIsamDeleteKeyMissing);
  if (!MarkModified(fb)) return false;

  int leaf_level = found_level;
  {
    PageRef p = Pool().Get(fb, key, path[found_level].page);
    if (!p) return false;
    const int k = path[found_level].index;
    if (p->IsLeaf()) {
      RemoveAt(*p, k - 1);
      p.MarkDirty();
    } else {
      // The greatest entry of the left subtree takes the place of the deleted one.
      path[found_level].index = static_cast<std::uint8_t>(k - 1);
      std::int32_t page = p->Child(k - 1);
      PageRef leaf;
      for (;;) {
        if (depth == kMaxDepth) return Fail(kIsamKeyHeaderBad);
        PageRef q = Pool().Get(fb, key, page);
        if (!q) return false;
        path[depth].page = page;
        path[depth].index = static_cast<std::uint8_t>(q->count);
        ++depth;
        if (q->IsLeaf()) {
          leaf = std::move(q);
          break;
        }
        page = q->Child(q->count);
      }
      if (leaf->count == 0) return Fail(kIsamKeyHeaderBad);
      SetText(p->items[k - 1], leaf->items[leaf->count - 1]);
      --leaf->count;
      p.MarkDirty();
      leaf.MarkDirty();
      leaf_level = depth - 1;
    }
  }

  for (int level = leaf_level; level > 0; --level) {
    PageRef a = Pool().Get(fb, key, path[level].page);
    if (!a) return false;
    if (a->count >= kMinFill) break;
    if (!FixUnderflow(fb, key, path[level - 1].page, path[level - 1].index, a)) return false;
  }

  PageRef root = Pool().Get(fb, key, d.root);
  if (!root) return false;
  if (root->count == 0) {
    // An empty root is freed; its only child (none in a leaf) becomes the root.
    const std::int32_t old_root = d.root;
    d.root = root->left;
    root.Release();
    if (!FreePage(fb, key, old_root)) return false;
  }
  --d.entries;
  d.header_modified = true;
  return true;
}

}  // namespace storage
