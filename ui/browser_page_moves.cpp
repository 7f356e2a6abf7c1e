// The page buffer's page operations: first and last page, line and page steps, refresh, page
// size, going to a key, and the scroll-bar mapping.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/cp1252.h"
#include "storage/driver/driver.h"
#include "storage/driver/driver_system.h"
#include "ui/browser_page.h"

namespace ui {
namespace {

std::string HighKey(std::string text) {
  text.resize(kBrowserKeyChars, '\xFF');
  return text;
}

RowRec Probe(std::string key, std::int32_t ref) {
  RowRec probe;
  probe.key = std::move(key);
  probe.ref = ref;
  return probe;
}

}  // namespace

int TKBrowser::FirstPage(const TKBrowserEvents& owner, bool& changed) {
  Access access(*this);
  if (access.Status() != 0) return Finish(access.Status());
  current_row_ = 1;
  std::vector<RowRec> keys;
  RowRec probe = Probe(KeyLow(), 0);
  int status = Find(owner, probe, 1);
  while (status == 0 && InRange(probe.key) && static_cast<int>(keys.size()) < page_rows_) {
    keys.push_back(probe);
    probe.ClearText();
    status = Next(owner, probe);
  }
  if (status > 1) return Finish(access.Close(status));
  LayRows(keys);
  if (keys.empty()) return Finish(access.Close(1));
  status = Complete(owner, 1, page_rows_, changed);
  return Finish(access.Close(status));
}

int TKBrowser::LastPage(const TKBrowserEvents& owner, bool& changed) {
  Access access(*this);
  if (access.Status() != 0) return Finish(access.Status());
  std::vector<RowRec> keys;
  RowRec probe = Probe(HighKey(KeyHigh()), kHighRef);
  int status = Find(owner, probe, -1);
  while (status == 0 && InRange(probe.key) && static_cast<int>(keys.size()) < page_rows_) {
    keys.push_back(probe);
    probe.ClearText();
    status = Previous(owner, probe);
  }
  if (status > 1) return Finish(access.Close(status));
  std::reverse(keys.begin(), keys.end());
  LayRows(keys);
  current_row_ = std::max(static_cast<int>(keys.size()), 1);
  if (keys.empty()) return Finish(access.Close(1));
  status = Complete(owner, 1, page_rows_, changed);
  return Finish(access.Close(status));
}

int TKBrowser::ForwardStep(const TKBrowserEvents& owner, int count, bool cursor, bool complete,
                           bool& changed, int& taken) {
  taken = 0;
  const int last = LastFilledRow();
  if (last == 0) return 1;
  RowRec probe = Row(last);
  probe.ClearText();
  int status = Find(owner, probe, 0);
  if (status == 0) status = Next(owner, probe);
  while (taken < count && status == 0 && InRange(probe.key)) {
    const int filled = LastFilledRow();
    if (filled < page_rows_) {
      StoreRow(filled + 1, probe);
    } else {
      std::rotate(rows_.begin() + 1, rows_.begin() + 2, rows_.begin() + page_rows_ + 1);
      At(page_rows_).Clear();
      StoreRow(page_rows_, probe);
    }
    ++taken;
    probe.ClearText();
    if (taken < count) status = Next(owner, probe);
  }
  if (status > 1) return status;
  if (cursor && taken == 0) current_row_ = std::max(LastFilledRow(), 1);
  ClearRowsFrom(LastFilledRow() + 1);
  if (complete && taken > 0) {
    return Complete(owner, std::max(LastFilledRow() + 1 - taken, 1), page_rows_, changed);
  }
  return 0;
}

int TKBrowser::BackwardStep(const TKBrowserEvents& owner, int count, bool cursor, bool complete,
                            bool& changed, int& taken) {
  taken = 0;
  const int first = FirstFilledRow();
  if (first == 0) return 1;
  RowRec probe = Row(first);
  probe.ClearText();
  int status = Find(owner, probe, -1);
  if (status == 0 && probe.ref == Row(first).ref && probe.key == Row(first).key) {
    status = Previous(owner, probe);
  }
  while (taken < count && status == 0 && InRange(probe.key)) {
    const int top = FirstFilledRow();
    if (top > 1) {
      StoreRow(top - 1, probe);
    } else {
      std::rotate(rows_.begin() + 1, rows_.begin() + page_rows_, rows_.begin() + page_rows_ + 1);
      At(1).Clear();
      StoreRow(1, probe);
    }
    ++taken;
    probe.ClearText();
    if (taken < count) status = Previous(owner, probe);
  }
  if (status > 1) return status;
  if (cursor && taken == 0) current_row_ = 1;
  if (complete && taken > 0) {
    const int top = FirstFilledRow();
    return Complete(owner, top, top + taken - 1, changed);
  }
  return 0;
}

int TKBrowser::ScrollForward(const TKBrowserEvents& owner, int count, bool cursor, bool complete,
                             bool& changed, int& taken) {
  taken = 0;
  const bool was_valid = valid_;
  int status = 0;
  if (!valid_) status = Refresh(owner, changed);
  if (valid_) {
    Access access(*this);
    status = access.Status();
    if (status == 0)
      status = access.Close(ForwardStep(owner, count, cursor, complete, changed, taken));
  }
  Finish(status);
  stale_ = !was_valid;
  return status;
}

int TKBrowser::ScrollBack(const TKBrowserEvents& owner, int count, bool cursor, bool complete,
                          bool& changed, int& taken) {
  taken = 0;
  const bool was_valid = valid_;
  int status = 0;
  if (!valid_) status = Refresh(owner, changed);
  if (valid_) {
    Access access(*this);
    status = access.Status();
    if (status == 0) {
      status = access.Close(BackwardStep(owner, count, cursor, complete, changed, taken));
    }
  }
  Finish(status);
  stale_ = !was_valid;
  return status;
}

// The anchor (the current row's record, else the next, else the previous one) keeps the current
// row's index where the range allows; the page is then filled below and above it, and from the
// other side where one side of the range ends first.
int TKBrowser::Refresh(const TKBrowserEvents& owner, bool& changed) {
  if (!valid_ && !Row(std::clamp(current_row_, 1, kMaxPageRows)).Filled()) {
    return FirstPage(owner, changed);
  }
  Access access(*this);
  if (access.Status() != 0) return Finish(access.Status());
  const int row = std::clamp(current_row_, 1, std::max(page_rows_, 1));
  RowRec anchor = Row(row);
  anchor.ClearText();
  const RowRec origin = anchor;
  int status = Find(owner, anchor, 0);
  if (status == 1) {  // gone (or filtered out): the next record, else the previous one
    anchor = origin;
    status = Find(owner, anchor, 1);
    if (status == 1 || (status == 0 && !InRange(anchor.key))) {
      anchor = origin;
      status = Find(owner, anchor, -1);
      if (status == 0 && !InRange(anchor.key)) status = 1;
    }
  }
  if (status != 0) {
    if (status == 1) {
      ClearRowsFrom(1);
      current_row_ = 1;
    }
    return Finish(access.Close(status));
  }

  // Each walk starts from its own key again: the index position is the last walk's.
  std::vector<RowRec> after;
  int below_status = 0;
  const auto fill_below = [&](int wanted) {
    RowRec below = after.empty() ? anchor : after.back();
    if (below_status == 0 && static_cast<int>(after.size()) < wanted) {
      below_status = Reposition(below);
    }
    while (below_status == 0 && static_cast<int>(after.size()) < wanted) {
      below.ClearText();
      below_status = Next(owner, below);
      if (below_status == 0 && !InRange(below.key)) below_status = 1;
      if (below_status == 0) after.push_back(below);
    }
  };
  fill_below(page_rows_ - row);
  std::vector<RowRec> before;
  RowRec above = anchor;
  const int wanted_above = page_rows_ - 1 - static_cast<int>(after.size());
  int above_status = wanted_above > 0 ? Reposition(above) : 0;
  while (above_status == 0 && static_cast<int>(before.size()) < wanted_above) {
    above.ClearText();
    above_status = Previous(owner, above);
    if (above_status == 0 && !InRange(above.key)) above_status = 1;
    if (above_status == 0) before.push_back(above);
  }
  fill_below(page_rows_ - 1 - static_cast<int>(before.size()));
  if (below_status > 1 || above_status > 1) {
    return Finish(access.Close(std::max(below_status, above_status)));
  }

  std::vector<RowRec> keys(before.rbegin(), before.rend());
  keys.push_back(anchor);
  keys.insert(keys.end(), after.begin(), after.end());
  LayRows(keys);
  current_row_ = static_cast<int>(before.size()) + 1;
  status = Complete(owner, 1, page_rows_, changed);
  return Finish(access.Close(status));
}

int TKBrowser::GrowPage(const TKBrowserEvents& owner, int rows) {
  if (rows > capacity_ || rows < 1) return 0;
  bool changed = false;
  page_rows_ = rows;
  if (!valid_) return Refresh(owner, changed);
  Access access(*this);
  if (access.Status() != 0) return Finish(access.Status());
  int taken = 0;
  int status = ForwardStep(owner, page_rows_ - LastFilledRow(), false, true, changed, taken);
  if (status <= 1 && LastFilledRow() < page_rows_) {
    int gained = 0;
    status = BackwardStep(owner, page_rows_ - LastFilledRow(), false, true, changed, gained);
    current_row_ += gained;
  }
  // A range that ends on both sides is no failure: the page holds all it can.
  if (status == 1 && LastFilledRow() > 0) status = 0;
  return Finish(access.Close(status));
}

int TKBrowser::ShrinkPage(const TKBrowserEvents& owner, int rows) {
  if (rows < 1) return 0;
  rows = std::min(rows, capacity_);
  if (!valid_) {
    bool changed = false;
    page_rows_ = rows;
    return Refresh(owner, changed);
  }
  if (current_row_ > rows) {
    const int by = current_row_ - rows;
    std::rotate(rows_.begin() + 1, rows_.begin() + 1 + by, rows_.begin() + page_rows_ + 1);
    current_row_ -= by;
  }
  page_rows_ = rows;
  ClearRowsFrom(rows + 1);
  return Finish(0);
}

int TKBrowser::GotoKey(const TKBrowserEvents& owner, std::string_view key, std::int32_t ref,
                       int key_number, int current_row, int page_rows, bool& changed) {
  if (page_rows >= 1 && page_rows <= capacity_) page_rows_ = page_rows;
  key_number_ = key_number;
  current_row_ = std::clamp(current_row, 1, page_rows_);
  RowRec probe = Probe(std::string(key.substr(0, std::min(key.size(), kBrowserKeyChars))), ref);
  if (!InRange(probe.key)) {
    const std::string low = KeyLow();
    const bool below =
        common::cp1252::CompareBytes(
            std::string_view(probe.key).substr(0, std::min(probe.key.size(), low.size())), low) < 0;
    probe = below ? Probe(low, 0) : Probe(HighKey(KeyHigh()), kHighRef);
  }
  ClearKeys();
  StoreRow(current_row_, probe);
  valid_ = true;  // the row just stored is the anchor
  return Refresh(owner, changed);
}

std::uint16_t TKBrowser::ScrollWindow(std::uint16_t range, std::int32_t keys) {
  const std::uint16_t n = range;
  const std::uint16_t q = keys > 0 ? static_cast<std::uint16_t>(n / keys) : 0;
  const auto part = [n](std::uint16_t by) -> std::uint16_t {
    const std::uint16_t d = static_cast<std::uint16_t>(n / by);
    return d == 0 ? 2 : static_cast<std::uint16_t>(n / d);
  };
  std::uint16_t w = 2;
  if (q == 0)
    w = 2;
  else if (q == 1)
    w = part(4);
  else if (q == 2)
    w = part(8);
  else if (q <= 4)
    w = part(10);
  else if (q <= 10)
    w = part(25);
  else if (q <= 20)
    w = part(50);
  else if (q <= 25)
    w = n;
  else if (q <= 33)
    w = static_cast<std::uint16_t>(2 * n);
  else
    w = static_cast<std::uint16_t>(4 * n);
  w = std::max<std::uint16_t>(w, 2);
  return static_cast<std::uint16_t>(w & ~1u);
}

int TKBrowser::ScrollPosition(std::string_view key, std::int32_t ref, int range, int& position) {
  position = 0;
  Access access(*this);
  if (access.Status() != 0) return access.Status();
  const std::uint16_t n = static_cast<std::uint16_t>(std::max(range, 0));
  const std::int32_t keys = treiber_->UsedKeys(key_number_);
  storage::IFDriver* driver = treiber_->Driver();
  if (keys >= 2 && driver != nullptr) {
    const std::uint16_t w = ScrollWindow(n, keys);
    const std::int32_t at =
        driver->GetApproxRelPos(key_number_, static_cast<std::uint16_t>(n + w), key, ref);
    const std::uint16_t half = static_cast<std::uint16_t>(w / 2);
    if (at > half) position = std::min<int>(at - half, n);
  }
  return access.Close(0);
}

int TKBrowser::PositionByScroll(const TKBrowserEvents& owner, int position, int range,
                                std::string& key, std::int32_t& ref) {
  struct Tried {
    std::string key;
    std::int32_t ref;
    int position;
  };
  const auto take = [&](RowRec probe, int direction) {
    const int status = Find(owner, probe, direction);
    key = probe.key;
    ref = probe.ref;
    return status;
  };
  position = std::max(position, 0);
  if (position == 0) return take(Probe("", 0), 1);
  if (position >= range) return take(Probe(HighKey(""), kHighRef), -1);

  Access access(*this);
  if (access.Status() != 0) return access.Status();
  storage::IFDriver* driver = treiber_->Driver();
  if (driver == nullptr) return access.Close(1);
  Tried low{"", 0, 0};
  Tried high{HighKey(""), kHighRef, range};
  Tried tried = low;
  int t = range / 2;
  // Each step halves the span of positions, so the bisection ends within 32 steps whatever the
  // index answers.
  for (int step = 0; step < 32; ++step) {
    tried = {"", 0, 0};
    if (!driver->GetApproxKeyAndRef(key_number_, t, range, tried.key, tried.ref)) break;
    if (const int s = ScrollPosition(tried.key, tried.ref, range, tried.position); s != 0) {
      return access.Close(s);
    }
    if (tried.position == position) break;
    (tried.position <= position ? low : high) = tried;
    if (low.key == high.key && low.ref == high.ref) break;
    const int middle = (low.position + high.position) / 2;
    if (middle == low.position || middle == high.position) break;
    t = middle;
  }
  const Tried* best = &tried;
  for (const Tried* c : {&low, &high}) {
    if (std::abs(c->position - position) < std::abs(best->position - position)) best = c;
  }
  key = best->key;
  ref = best->ref;
  return access.Close(0);
}

}  // namespace ui
