#include "storage/isam/rebuild_message.h"

#include "storage/isam/engine.h"

namespace storage {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool MessageFailure(platform::WinError error) {
  return Fail(kIsamRebuildMessageFile + static_cast<int>(error));
}

}  // namespace

bool RebuildMessageFile::Append(std::string_view bytes) {
  if (!file_.IsOpen()) {
    platform::WinError e =
        file_.Open(name_, platform::FileAccess::kReadWrite, platform::FileShare::kExclusive,
                   platform::FileCreate::kOpenExisting);
    if (e == platform::kErrorFileNotFound) {
      e = file_.Open(name_, platform::FileAccess::kReadWrite, platform::FileShare::kExclusive,
                     platform::FileCreate::kCreateNew);
    }
    if (e == platform::kErrorSuccess) e = file_.Size(&end_);
    if (e != platform::kErrorSuccess) {
      file_.Close();
      return MessageFailure(e);
    }
  }
  std::uint32_t done = 0;
  const platform::WinError e =
      file_.WriteAt(end_, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &done);
  if (e != platform::kErrorSuccess) return MessageFailure(e);
  end_ += done;
  if (done != bytes.size()) return MessageFailure(platform::kErrorDiskFull);
  return true;
}

bool RebuildMessageFile::KeyNotAdded(std::string_view text, int key, std::int32_t ref) {
  std::string line = "Key:<";
  line += text;
  line += "> KeyNr: " + std::to_string(key) + " Ref: " + std::to_string(ref) + " not added";
  line += kLineEnd;
  return Append(line);
}

bool RebuildMessageFile::RecordDeleted(const std::uint8_t* record, std::int32_t length) {
  return Dump("Data record deleted - Dump follows", record, length);
}

bool RebuildMessageFile::RecordLeftOut(const std::uint8_t* record, std::int32_t length) {
  return Dump("Data record left out - Dump follows", record, length);
}

bool RebuildMessageFile::Dump(std::string_view title, const std::uint8_t* record,
                              std::int32_t length) {
  std::string dump(title);
  dump += kLineEnd;
  dump.append(reinterpret_cast<const char*>(record), static_cast<std::size_t>(length));
  dump += kLineEnd;
  dump += kLineEnd;
  return Append(dump);
}

void RebuildMessageFile::Close() {
  if (file_.IsOpen()) file_.Close();
}

}  // namespace storage
