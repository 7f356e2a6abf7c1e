// TdbTreiber: one opened database file of a data object: its driver, record buffer and record
// lengths.
//
// A second open of a file name that is already open shares the first opener's driver, record
// buffer and current record (result 1) and raises the driver's use count; nothing else is done, so
// the first opener's keys, AUTOKEY field and write mode hold for every user. Close lowers the use
// count, and the close that finds it at 0 destroys the driver.
//
// Ownership: the driver and the record buffer belong to the opened file, which every TdbTreiber
// that opened or shared it holds a share of. When the driver is destroyed, every TdbTreiber of
// that file counts as closed at once; the record buffer is released only when the last of them
// is freed or opens another file, so a pointer a user took from RecordBuffer() never dangles
// while that user's TdbTreiber lives.
//
// Every operation on a TdbTreiber that is not open does nothing and answers false, 0, nullptr or
// an empty text, leaving DriverErrorClass as it was. Otherwise the Boolean results answer whether
// DriverErrorClass is 0 afterwards; serious driver errors raise EDBError and pass through
// unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "storage/driver/driver.h"

namespace storage {

class ToDatBase;
class ToKeys;
struct TreiberFile;

struct TreiberOpenParams {
  ToDatBase* owner = nullptr;  // the data object opening the file; not used by the open
  bool skip = false;           // set: nothing is opened (result 2)
  int max_length = 0;          // the record buffer's length
  int min_length = 0;     // equal to max_length for fixed-length records, else the section length
  std::string file_name;  // the sharing key, also the driver's name
  std::string path;       // folder + file name, handed to the driver
  int key_count = 0;
  DriverKeyBuilder key_builder;
  std::uint8_t open_mode = 0;    // not 0: shared use (granted in network mode only)
  const ToKeys* keys = nullptr;  // optional: their lengths and duplicates flags are defined
};

class TdbTreiber {
 public:
  enum OpenResult : int { kOpened = 0, kShared = 1, kNotOpened = 2 };
  static constexpr std::uint16_t kRetryCount = 32;
  static constexpr std::size_t kKeyTextCapacity = 255;

  // The marker is set only in the placeholder of ToDBFkt.
  explicit TdbTreiber(bool marker = false);
  // Lets go of its share without counting as a close (see Close).
  ~TdbTreiber();
  TdbTreiber(const TdbTreiber&) = delete;
  TdbTreiber& operator=(const TdbTreiber&) = delete;

  // Opens the file, or shares it when a driver of that name is open; an OpenResult. On result 0
  // the keys of `params.keys` are defined as long as DriverErrorClass stays 0 (a failure leaves
  // result 0 and the failure in the class), and the index-rebuild progress broadcast is
  // installed. A driver of that name that the table layer did not open cannot be shared
  // (result 2), nor can anything be opened inside a running call of the driver system (result
  // 2, the refusal on the operation stack; a file this TdbTreiber holds stays open).
  int Open(const TreiberOpenParams& params);
  // Closes one use: with other users left, the use count goes down and this TdbTreiber stays
  // open; otherwise the driver is destroyed. Nothing while not open.
  void Close();
  // Nothing for an empty slot. Unless skip is set (or with force), closes once; with force,
  // closes until the driver is destroyed for every user, then frees the TdbTreiber and empties
  // the slot.
  static void Free(bool skip, std::unique_ptr<TdbTreiber>& slot, bool force);

  // --- records ---
  bool First(int key);
  bool Last(int key);
  bool Next(int key);
  bool Prev(int key);
  bool Find(int key, std::string_view text);    // the record whose key equals the text
  bool Search(int key, std::string_view text);  // the first record whose key is >= the text
  // With length > 0 the (variable) record length is set first.
  bool Update(int length);
  bool Insert(int length);
  bool Delete(bool keep_position);  // repositions on the next record when keep_position is set
  bool GotoRef(std::int32_t ref);
  // The record count of a key, by walking it from the first record (reads every record).
  std::int32_t CountByKey(int key);

  // --- keys, without reading records; the text is cut to `capacity` characters ---
  bool NextKey(int key, std::int32_t& ref, std::string& text,
               std::size_t capacity = kKeyTextCapacity);
  bool PrevKey(int key, std::int32_t& ref, std::string& text,
               std::size_t capacity = kKeyTextCapacity);
  // Positions the key at (text, ref); when absent, direction > 0 takes the next entry, < 0 the
  // previous one, 0 fails.
  bool FindKeyAndRef(int key, std::int32_t& ref, std::string& text, int direction);

  // --- the buffer and state ---
  void ClearRecord();
  std::uint8_t* RecordBuffer() const;  // nullptr while not open
  int RecordBufferLength() const;      // 0 while not open
  std::int32_t CurrentRef();
  std::int32_t UsedRecs();
  std::int32_t UsedKeys(int key);
  std::string BuildKey(int key);  // key text of the record buffer

  // --- locks and files ---
  bool LockFile();
  bool UnlockFile();
  bool EraseFiles();

  bool IsOpen(bool skip) const;              // false when skip is set
  static bool DriverSystemReady(bool skip);  // true when skip is set
  // Declares key `key`'s AUTOKEY number, the 32-bit field at `offset` in the record buffer.
  void SetAutoKeyField(int key, int offset, bool skip);
  void SetFlushEachWrite(bool on, bool skip);
  bool GetFlushEachWrite();

  bool Marker() const { return marker_; }
  // Users besides the first opener (0 after the first open).
  int UseCount() const;
  // The driver, for the grid browser; nullptr while not open.
  IFDriver* Driver() const;

 private:
  bool marker_;
  std::shared_ptr<TreiberFile> file_;
};

}  // namespace storage
