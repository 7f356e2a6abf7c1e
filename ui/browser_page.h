// TKBrowser: the page buffer under every list window. It holds one page of rows taken from one
// index (key number) of one open file, restricted to the key range LKey..HKey, walks the index key
// by key without reading records, lets the owner filter each key, and reads and has built the
// text of only the rows a page operation brings in. No window code: the grid controller shows
// the page and the browser control raises the owner's events.
//
// Key range: a key lies in the range when its first len(LKey) characters are not below LKey and
// its first len(HKey) characters not above HKey (byte order; both bounds cut to 50 characters).
// So LKey "A" and HKey "B" take every key beginning with "A" or "B".
//
// Status of every page operation: 0 success, 1 nothing found (end of the index, key outside the
// range, empty page), 2 or more the driver's error class; a class above 1 ends an operation at
// once. Serious driver errors raise storage::EDBError, which passes through (the file lock of the
// operation is given back first). Every public page operation ends with stale false and
// valid = (status == 0); ScrollForward and ScrollBack set stale when they had to rebuild the page
// first. A page that is not valid is rebuilt by the next move; it never moves from stale rows.
//
// Shared files: each page operation holds the whole-file lock (a bracket opened while the lock is
// already held only counts a nesting level) and gives it up for 50 ms after every 64 accepted
// keys, so that other users get the file between long walks. While a page reads records a
// locked record is never put to the lock question: it is retried 6 times with a 6 ms pause base
// and then shown as " ***** Datensatz nicht lesbar *****".
//
// Lifetime: the TdbTreiber passed in must stay open while the page buffer lives; no driver call is
// made on destruction. Single-threaded like the program.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/record_text.h"
#include "storage/tables/table_treiber.h"

namespace ui {

inline constexpr const char* kRowUnreadable = " ***** Datensatz nicht lesbar *****";
inline constexpr int kMaxPageRows = 255;
inline constexpr std::size_t kBrowserKeyChars = 50;

// One row of the page; also the probe (cursor) of a key walk.
struct RowRec {
  std::string key;          // key text as read from the index, at most 50 characters
  std::int32_t ref = 0;     // record reference; 0 or less: an empty row
  std::int32_t status = 0;  // 0 read, -1 unreadable, -10 or less: do not read
  bool changed = false;     // the text differs from the text the row had before
  bool built = false;       // the text was built in the current pass
  std::string text;         // the cells, separated by ";"

  bool Filled() const { return ref > 0; }
  void ClearKey() {
    key.clear();
    ref = 0;
    status = 0;
  }
  void ClearText() {
    changed = built = false;
    text.clear();
  }
  void Clear() {
    ClearKey();
    ClearText();
  }
};

// The owner's published events, as the page buffer raises them; an empty slot is not assigned.
struct TKBrowserEvents {
  // Accept (true) or reject a key; the row holds its key text and reference and may be given a
  // text (built set), which the page then keeps without reading the record.
  std::function<void(RowRec& row, bool& accepted)> OnPerformFilter;
  // Writes the row's text from the record just read into the driver's record buffer.
  std::function<void(RowRec& row)> OnBuildRow;
  std::function<void()> OnPreCompletePage;
  // After a completion pass that ended with a status other than 0.
  std::function<void()> OnPostCompletePage;
};

// The page buffer could not be bound to its file.
class EConstructorInvalid : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TKBrowser {
 public:
  static constexpr std::uint16_t kSectionParam = 65520;
  static constexpr std::uint16_t kReadRetryPause = 6;  // ms, base of the read retries' waits
  static constexpr std::uint16_t kReadRetryCount = 6;
  static constexpr int kPauseEvery = 64;  // accepted keys between two lock pauses
  static constexpr std::uint32_t kPauseMs = 50;
  static constexpr std::int32_t kHighRef = 2147483647;

  // Binds the page to the open file `treiber` (not owned). Raises EConstructorInvalid
  // "Datenbank kann nicht geöffnet werden!" when the file's driver cannot be marked. A capacity
  // of 0 or above 255 becomes 255; the page starts with capacity rows, current row 1, invalid.
  TKBrowser(storage::TdbTreiber& treiber, int key_number, const common::TKeyStr& lkey,
            const common::TKeyStr& hkey, int capacity);

  int FirstPage(const TKBrowserEvents& owner, bool& changed);
  int LastPage(const TKBrowserEvents& owner, bool& changed);
  // Moves the page by `count` rows; `taken` answers how many came in. With `cursor` the current
  // row keeps its index (the rows move under it) or, when nothing came, goes to the last (first)
  // filled row; with `complete` the rows brought in are read and built.
  int ScrollForward(const TKBrowserEvents& owner, int count, bool cursor, bool complete,
                    bool& changed, int& taken);
  int ScrollBack(const TKBrowserEvents& owner, int count, bool cursor, bool complete, bool& changed,
                 int& taken);
  // Rebuilds the page around the current row's record (on the next record when it is gone, else
  // the previous one, else empty with status 1); the first page when there is no current row.
  int Refresh(const TKBrowserEvents& owner, bool& changed);
  // Changes the page size (the grid's visible rows): rows above the capacity (Grow) or 0
  // (Shrink) are ignored. Growing appends below, then takes from above when the range ends;
  // shrinking keeps the current row on the page.
  int GrowPage(const TKBrowserEvents& owner, int rows);
  int ShrinkPage(const TKBrowserEvents& owner, int rows);
  // Shows the key (clamped into the range: below it the first page, above it the last) at
  // `current_row`, with `page_rows` rows, on index `key_number`.
  int GotoKey(const TKBrowserEvents& owner, std::string_view key, std::int32_t ref, int key_number,
              int current_row, int page_rows, bool& changed);

  // The current row's key and reference; empty and 0 when the current row is not filled.
  std::string CurrentKey() const;
  std::int32_t CurrentRef() const;
  // 0 becomes 1, a row past the last filled row the last filled row (1 when none), never more
  // than the page rows.
  void SetCurrentRow(int row);
  int CurrentRow() const { return current_row_; }
  // Empties every row (key and text parts), current row 1; the next operation rebuilds the page.
  void ClearRows();

  // The scroll-bar place of a key on 0..range, and back: the key and reference to show for a
  // scroll-bar position (the first key for 0, the last for range and above).
  int ScrollPosition(std::string_view key, std::int32_t ref, int range, int& position);
  int PositionByScroll(const TKBrowserEvents& owner, int position, int range, std::string& key,
                       std::int32_t& ref);
  // The window of the scroll-bar mapping for `keys` keys on a bar of 0..range.
  static std::uint16_t ScrollWindow(std::uint16_t range, std::int32_t keys);

  // Re-reads the row's record (read mode 1: with the driver's own retry settings) and builds its
  // text apart; `same` answers whether it equals the text shown.
  int CheckRow(const TKBrowserEvents& owner, int row, int read_mode, bool section_flag, bool& same);

  // True while no driver call is in progress.
  static bool IsReady();

  // --- state for the grid controller and the browser control ---
  const RowRec& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  int PageRows() const { return page_rows_; }
  int Capacity() const { return capacity_; }
  int LastFilledRow() const;
  int KeyNumber() const { return key_number_; }
  void SetKeyNumber(int key_number) { key_number_ = key_number; }
  const common::TKeyStr& LKey() const { return lkey_; }
  const common::TKeyStr& HKey() const { return hkey_; }
  void SetKeyRange(const common::TKeyStr& lkey, const common::TKeyStr& hkey);
  bool Shared() const { return shared_; }
  bool Valid() const { return valid_; }
  bool Stale() const { return stale_; }
  bool RebuildFlag() const { return rebuild_flag_; }
  void SetRebuildFlag(bool on) { rebuild_flag_ = on; }
  storage::TdbTreiber& Treiber() const { return *treiber_; }
  bool InRange(std::string_view key) const;

 private:
  class Access;  // the access bracket

  // --- walking ---
  int Accept(const TKBrowserEvents& owner, RowRec& probe, bool& accepted);
  int Find(const TKBrowserEvents& owner, RowRec& probe, int direction);
  int Next(const TKBrowserEvents& owner, RowRec& probe);
  int Previous(const TKBrowserEvents& owner, RowRec& probe);
  int Step(const TKBrowserEvents& owner, RowRec& probe, bool forward);
  // Puts the index position on the probe's key again (nothing offered to the filter).
  int Reposition(RowRec& probe);
  int BeginAccess();
  int EndAccess();
  bool HoldsLock() const;

  // --- rows ---
  RowRec& At(int row) { return rows_[static_cast<std::size_t>(row)]; }
  void StoreRow(int row, const RowRec& probe);
  void ClearKeys();
  void ClearRowsFrom(int row);
  int FirstFilledRow() const;
  // Lays `keys` into rows 1.. (key parts only) and clears the rest of the page.
  void LayRows(const std::vector<RowRec>& keys);
  int ForwardStep(const TKBrowserEvents& owner, int count, bool cursor, bool complete,
                  bool& changed, int& taken);
  int BackwardStep(const TKBrowserEvents& owner, int count, bool cursor, bool complete,
                   bool& changed, int& taken);
  int Complete(const TKBrowserEvents& owner, int first, int last, bool& changed);
  int ReadRecord(const RowRec& row, int read_mode);
  int BuildRowText(const TKBrowserEvents& owner, RowRec& row);
  int Finish(int status);
  std::string KeyLow() const;
  std::string KeyHigh() const;

  std::uint16_t rows_since_pause_ = 0;
  std::uint16_t nested_brackets_ = 0;
  bool shared_ = false;
  int current_row_ = 1;
  int page_rows_ = 0;
  int key_number_ = 0;
  std::vector<RowRec> rows_;  // 1-based; index 0 unused
  storage::TdbTreiber* treiber_;
  int capacity_ = 0;
  common::TKeyStr lkey_;
  common::TKeyStr hkey_;
  bool stale_ = false;
  bool valid_ = false;
  bool rebuild_flag_ = false;
};

// The access bracket of one page operation on a shared file; it is closed on every way out,
// exceptions included. Status() answers the opening's status; Close() the closing's.
class TKBrowser::Access {
 public:
  explicit Access(TKBrowser& page);
  ~Access();
  Access(const Access&) = delete;
  Access& operator=(const Access&) = delete;
  int Status() const { return status_; }
  // Closes the bracket; the operation's status, or the closing's error when the operation
  // succeeded.
  int Close(int status);

 private:
  TKBrowser& page_;
  int status_ = 0;
  bool open_ = false;
};

}  // namespace ui
