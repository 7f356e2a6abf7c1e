// Searching and moving along a key: locate, Next/Prev with re-find, the find and search
// variants, and the approximate positioning for scroll bars.

#include <algorithm>
#include <cstring>

#include "storage/isam/btree.h"
#include "storage/isam/engine_state.h"

namespace storage {

int CompareItem(const KeyDesc& d, const TreeKey& x, const PageItem& item) {
  const int c = CompareText(x.text, x.len, item.text, item.len);
  if (c != 0 || d.duplicates == 0) return c;
  return x.ref < item.ref ? -1 : (x.ref > item.ref ? 1 : 0);
}

void CopyItemText(const PageItem& item, KeyStr& text) {
  text.assign(std::string_view(reinterpret_cast<const char*>(item.text), item.len));
}

bool SearchPage(const KeyDesc& d, const Page& page, const TreeKey& x, int* index) {
  int lo = 1;
  int hi = page.count;
  int k = 0;
  while (lo <= hi) {
    k = (lo + hi) / 2;
    const int c = CompareItem(d, x, page.items[k - 1]);
    if (c <= 0) hi = k - 1;
    if (c >= 0) lo = k + 1;
  }
  if (lo - hi > 1) {
    *index = k;
    return true;
  }
  *index = hi;
  return false;
}

namespace {

PagePool& Pool() { return Engine().pool; }

bool Push(KeyDesc& d, std::int32_t page, int index) {
  if (d.depth >= kMaxDepth) return Fail(kIsamKeyHeaderBad);
  d.path[d.depth].page = page;
  d.path[d.depth].index = static_cast<std::uint8_t>(index);
  ++d.depth;
  return true;
}

// Delivers the item at the deepest level of the position.
bool DeliverCurrent(Fileblock& fb, int key, KeyStr& text, RecRef& ref) {
  KeyDesc& d = fb.keys[key];
  const PathLevel& top = d.path[d.depth - 1];
  PageRef p = Pool().Get(fb, key, top.page);
  if (!p) return false;
  if (top.index < 1 || top.index > p->count) return Fail(kIsamKeyHeaderBad);
  const PageItem& item = p->items[top.index - 1];
  CopyItemText(item, text);
  ref = item.ref;
  return true;
}

// One step forward from a valid position.
bool StepNext(Fileblock& fb, int key, KeyStr& text, RecRef& ref) {
  KeyDesc& d = fb.keys[key];
  d.pos_valid = false;  // until the step completes
  std::int32_t page = 0;
  if (d.depth == 0) {
    if (d.root == 0) {
      d.pos_valid = true;
      return Fail(kIsamNoNextKey);
    }
    PageRef root = Pool().Get(fb, key, d.root);
    if (!root || !Push(d, d.root, 0)) return false;
    page = root->left;
  } else {
    const PathLevel& top = d.path[d.depth - 1];
    PageRef p = Pool().Get(fb, key, top.page);
    if (!p) return false;
    if (top.index > p->count) return Fail(kIsamKeyHeaderBad);
    page = p->Child(top.index);
  }
  while (page != 0) {
    PageRef p = Pool().Get(fb, key, page);
    if (!p || !Push(d, page, 0)) return false;
    page = p->left;
  }
  while (d.depth > 0) {
    PathLevel& top = d.path[d.depth - 1];
    PageRef p = Pool().Get(fb, key, top.page);
    if (!p) return false;
    if (top.index < p->count) {
      ++top.index;
      const PageItem& item = p->items[top.index - 1];
      CopyItemText(item, text);
      ref = item.ref;
      d.pos_valid = true;
      return true;
    }
    --d.depth;
  }
  d.pos_valid = true;  // after the last entry
  return Fail(kIsamNoNextKey);
}

// One step back from a valid position.
bool StepPrev(Fileblock& fb, int key, KeyStr& text, RecRef& ref) {
  KeyDesc& d = fb.keys[key];
  d.pos_valid = false;
  std::int32_t page = 0;
  if (d.depth == 0) {
    if (d.root == 0) {
      d.pos_valid = true;
      return Fail(kIsamNoPrevKey);
    }
    PageRef root = Pool().Get(fb, key, d.root);
    if (!root || !Push(d, d.root, root->count)) return false;
    page = root->Child(root->count);
  } else {
    PathLevel& top = d.path[d.depth - 1];
    PageRef p = Pool().Get(fb, key, top.page);
    if (!p) return false;
    if (top.index > p->count) return Fail(kIsamKeyHeaderBad);
    if (top.index > 0) {
      --top.index;  // into the gap left of the current item
      page = p->Child(top.index);
    }
  }
  while (page != 0) {
    PageRef p = Pool().Get(fb, key, page);
    if (!p || !Push(d, page, p->count)) return false;
    page = p->Child(p->count);
  }
  while (d.depth > 0 && d.path[d.depth - 1].index == 0) --d.depth;
  if (d.depth == 0) {
    d.pos_valid = true;  // before the first entry
    return Fail(kIsamNoPrevKey);
  }
  if (!DeliverCurrent(fb, key, text, ref)) return false;
  d.pos_valid = true;
  return true;
}

bool IsPositionResult(int error) { return error >= 10200 && error <= 10299; }

}  // namespace

bool TreeLocate(Fileblock& fb, int key, const TreeKey& x, bool* found, RecRef* found_ref) {
  KeyDesc& d = fb.keys[key];
  d.depth = 0;
  d.pos_valid = false;
  *found = false;
  std::int32_t page = d.root;
  while (page != 0) {
    PageRef p = Pool().Get(fb, key, page);
    if (!p) return false;
    int index = 0;
    const bool hit = SearchPage(d, *p, x, &index);
    if (!Push(d, page, index)) return false;
    if (hit) {
      *found = true;
      *found_ref = p->items[index - 1].ref;
      d.pos_valid = true;
      return true;
    }
    page = p->Child(index);
  }
  while (d.depth > 0 && d.path[d.depth - 1].index == 0) --d.depth;
  d.pos_valid = true;
  return true;
}

bool TreeNext(Fileblock& fb, int key, KeyStr& text, RecRef& ref) {
  KeyDesc& d = fb.keys[key];
  if (!d.pos_valid) {
    if (!d.refind) return Fail(kIsamNoPositionNext);
    const KeyStr passed = text;
    bool found = false;
    RecRef found_ref = 0;
    if (!TreeLocate(fb, key, MakeTreeKey(passed, ref), &found, &found_ref)) return false;
  }
  return StepNext(fb, key, text, ref);
}

bool TreePrev(Fileblock& fb, int key, KeyStr& text, RecRef& ref) {
  KeyDesc& d = fb.keys[key];
  if (!d.pos_valid) {
    if (!d.refind) return Fail(kIsamNoPositionPrev);
    KeyStr t = text;
    RecRef r = ref;
    if (!TreeFindKeyAndRef(fb, key, t, r, 0)) {
      if (Isam().IsamError != kIsamKeyRefAbsent) return false;
      ClearFailure();
      // Absent: the entry before the passed one is the answer itself.
      return TreeFindKeyAndRef(fb, key, text, ref, -1);
    }
  }
  return StepPrev(fb, key, text, ref);
}

bool TreeFindKeyAndRef(Fileblock& fb, int key, KeyStr& text, RecRef& ref, int direction) {
  KeyDesc& d = fb.keys[key];
  const KeyStr wanted = text;
  bool found = false;
  RecRef found_ref = 0;
  if (!TreeLocate(fb, key, MakeTreeKey(wanted, ref), &found, &found_ref)) return false;
  if (found) return DeliverCurrent(fb, key, text, ref);
  if (direction >= 1) return StepNext(fb, key, text, ref);
  if (direction == 0) return Fail(kIsamKeyRefAbsent);
  if (d.depth == 0) return Fail(kIsamNoPrevKey);
  return DeliverCurrent(fb, key, text, ref);
}

bool TreeSearchOrLast(Fileblock& fb, int key, KeyStr& text, RecRef& ref) {
  if (TreeFindKeyAndRef(fb, key, text, ref, 1)) return true;
  if (Isam().IsamError != kIsamNoNextKey) return false;
  ClearFailure();
  return StepPrev(fb, key, text, ref);  // from after the last entry: the last one
}

bool TreeSearch(Fileblock& fb, int key, KeyStr& text, RecRef& ref) {
  const KeyStr wanted = text;
  bool found = false;
  RecRef found_ref = 0;
  if (!TreeLocate(fb, key, MakeTreeKey(wanted, 0), &found, &found_ref)) return false;
  if (found) return DeliverCurrent(fb, key, text, ref);
  if (StepNext(fb, key, text, ref)) return true;
  if (IsPositionResult(Isam().IsamError)) RecastFailure(kIsamNoKeyAtOrAfter);
  return false;
}

bool TreeFind(Fileblock& fb, int key, const KeyStr& text, RecRef& ref) {
  const KeyDesc& d = fb.keys[key];
  bool found = false;
  RecRef found_ref = 0;
  if (!TreeLocate(fb, key, MakeTreeKey(text, 0), &found, &found_ref)) return false;
  if (found) {
    ref = found_ref;
    return true;
  }
  if (d.duplicates != 0) {
    KeyStr next_text;
    RecRef next_ref = 0;
    if (StepNext(fb, key, next_text, next_ref)) {
      if (next_text.view() == text.view()) {
        ref = next_ref;
        return true;
      }
    } else if (!IsPositionResult(Isam().IsamError)) {
      return false;  // a more serious error stands
    }
  }
  ClearFailure();
  return Fail(kIsamKeyNotFound);
}

bool TreeKeyExists(Fileblock& fb, int key, const KeyStr& text, RecRef ref, bool* exists) {
  const KeyDesc& d = fb.keys[key];
  *exists = false;
  if (d.duplicates != 0 && ref != 0) {
    RecRef found_ref = 0;
    return TreeLocate(fb, key, MakeTreeKey(text, ref), exists, &found_ref);
  }
  RecRef found_ref = 0;
  if (TreeFind(fb, key, text, found_ref)) {
    *exists = true;
    return true;
  }
  if (Isam().IsamError != kIsamKeyNotFound) return false;
  ClearFailure();
  return true;
}

namespace {

constexpr std::int64_t kAssumedFill = kItemsPerPage - kItemsPerPage / 4;  // E = 47

}  // namespace

bool TreeApproxRelPos(Fileblock& fb, int key, const TreeKey& x, std::int32_t scale,
                      std::int32_t* position) {
  const KeyDesc& d = fb.keys[key];
  if (scale <= 0) return Fail(kIsamRelPosArgs);
  if (d.root == 0 || d.entries == 0) return Fail(kIsamRelPosEmptyIndex);
  const std::int64_t e = kAssumedFill;
  PageRef root = Pool().Get(fb, key, d.root);
  if (!root) return false;
  int i0 = 0;
  const bool in_root = SearchPage(d, *root, x, &i0);
  const std::int64_t m0 = root->count;
  std::int64_t i1 = 0;
  std::int64_t m1 = e;
  if (!in_root && root->Child(i0) != 0) {
    PageRef child = Pool().Get(fb, key, root->Child(i0));
    if (!child) return false;
    int index = 0;
    SearchPage(d, *child, x, &index);
    i1 = index;
    if (child->count > 0) m1 = child->count;
  }
  std::int64_t u = 0;
  if (i1 == 1 && i0 == 0) {
    u = 1;
  } else {
    const std::int64_t t = i1 * (e + 1) * 2 / m1;
    u = (t - t / 2) + (e + 1) * i0;
  }
  const std::int64_t result = u * (static_cast<std::int64_t>(scale) + 1) / ((e + 1) * (m0 + 1));
  *position = static_cast<std::int32_t>(std::min<std::int64_t>(result, scale));
  return true;
}

bool TreeApproxKeyAndRef(Fileblock& fb, int key, std::int32_t position, std::int32_t scale,
                         KeyStr& text, RecRef& ref) {
  const KeyDesc& d = fb.keys[key];
  if (scale <= 0 || position < 0 || position > scale) return Fail(kIsamApproxArgs);
  if (d.root == 0 || d.entries == 0) return Fail(kIsamApproxEmptyIndex);
  PageRef root = Pool().Get(fb, key, d.root);
  if (!root) return false;
  const std::int64_t e = root->IsLeaf() ? 0 : kAssumedFill;
  const std::int64_t m0 = root->count;
  const std::int64_t n = (e + 1) * (m0 + 1);
  const std::int64_t q = scale;
  std::int64_t target = position * n / (q + 1) + n / q - (n / q) / 2;
  target = std::min(target, n - 1);
  const std::int64_t j = target / (e + 1);
  const std::int64_t r = target % (e + 1);
  if (!root->IsLeaf() && r > 0) {
    PageRef child = Pool().Get(fb, key, root->Child(static_cast<int>(j)));
    if (!child) return false;
    if (child->count == 0) return Fail(kIsamKeyHeaderBad);
    std::int64_t item = 0;
    if (r == 2 && j == 0) {
      item = 2;
    } else {
      const std::int64_t w = r * child->count * 2 / e;
      item = w - w / 2;
    }
    item = std::clamp<std::int64_t>(item, 1, child->count);
    CopyItemText(child->items[item - 1], text);
    ref = child->items[item - 1].ref;
    return true;
  }
  if (j == 0) {
    text.assign("");
    ref = 0;
    return true;
  }
  CopyItemText(root->items[j - 1], text);
  ref = root->items[j - 1].ref;
  return true;
}

}  // namespace storage
