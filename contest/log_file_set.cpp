#include "contest/log_file_set.h"

#include <string_view>

#include "common/service.h"
#include "contest/contest_tables.h"
#include "platform/file.h"
#include "storage/driver/driver.h"

namespace contest {
namespace {

constexpr std::string_view kMarkerText = "complete\r\n";

std::string DataFile(const std::string& base) { return base + ".DAT"; }
std::string IndexFile(const std::string& base) { return base + ".IX"; }
std::string DialogFile(const std::string& base) { return base + ".DIA"; }

bool Exists(const std::string& name) { return platform::FileExists(name) == platform::kErrorSuccess; }

// Gone afterwards, whether it was there or not.
bool Remove(const std::string& name) {
  const platform::WinError e = platform::DeleteFile(name);
  return e == platform::kErrorSuccess || e == platform::kErrorFileNotFound ||
         e == platform::kErrorPathNotFound;
}

// Puts the file's data on the device.
bool FlushFile(const std::string& name) {
  platform::File file;
  return file.Open(name, platform::FileAccess::kReadWrite, platform::FileShare::kExclusive,
                   platform::FileCreate::kOpenExisting) == platform::kErrorSuccess &&
         file.Flush() == platform::kErrorSuccess && file.Close() == platform::kErrorSuccess;
}

bool WriteMarker(const std::string& name) {
  platform::File file;
  std::uint32_t written = 0;
  return file.Open(name, platform::FileAccess::kReadWrite, platform::FileShare::kExclusive,
                   platform::FileCreate::kCreateAlways) == platform::kErrorSuccess &&
         file.WriteAt(0, kMarkerText.data(), static_cast<std::uint32_t>(kMarkerText.size()),
                      &written) == platform::kErrorSuccess &&
         written == kMarkerText.size() && file.Flush() == platform::kErrorSuccess &&
         file.Close() == platform::kErrorSuccess;
}

// The set's file takes the log's file's place; done when it did so before.
bool MoveIntoPlace(const std::string& from, const std::string& to) {
  if (!Exists(from)) return Exists(to);
  return Remove(to) && platform::RenameFile(from, to) == platform::kErrorSuccess;
}

// The second half of a replacement, after the marker: also what an opening completes.
bool CompleteMarkedSet(const LogFileSet& files) {
  // The index first: a data file whose index is missing is rebuilt, never taken for an empty log.
  if (!MoveIntoPlace(IndexFile(files.renewed), IndexFile(files.log)) ||
      !MoveIntoPlace(DataFile(files.renewed), DataFile(files.log))) {
    return false;
  }
  return Remove(DialogFile(files.renewed)) && Remove(files.Marker());
}

}  // namespace

LogFileSet LogFileSetOf(std::int32_t log_number) {
  const ToDatContest& dat = common::Service<ToDatContest>::Get();
  // Where the drivers find the files: a relative path lies in the start folder.
  const auto path = [&](int table) {
    return storage::IFDriver::NormalisePath(dat.TablePath(table, log_number), StartDir());
  };
  return {path(kTableLK), path(kTableLKNew)};
}

bool RenewedSetPresent(const LogFileSet& files) {
  return Exists(files.Marker()) || Exists(DataFile(files.renewed)) ||
         Exists(IndexFile(files.renewed)) || Exists(DialogFile(files.renewed));
}

void DiscardRenewedSet(const LogFileSet& files) {
  // The marker first: without it, what is left of the set is never taken for the log.
  Remove(files.Marker());
  Remove(IndexFile(files.renewed));
  Remove(DataFile(files.renewed));
  Remove(DialogFile(files.renewed));
}

ReplaceResult ReplaceLogFiles(const LogFileSet& files) {
  if (!FlushFile(DataFile(files.renewed)) || !FlushFile(IndexFile(files.renewed)) ||
      !WriteMarker(files.Marker())) {
    DiscardRenewedSet(files);
    return ReplaceResult::kFailed;
  }
  return CompleteMarkedSet(files) ? ReplaceResult::kReplaced : ReplaceResult::kPending;
}

bool SettlePendingReplacement(const LogFileSet& files) {
  if (!RenewedSetPresent(files)) return true;
  if (!storage::TakeExclusiveUse(files.log, true)) return true;
  bool settled = true;
  if (Exists(files.Marker())) {
    settled = CompleteMarkedSet(files);
  } else {
    DiscardRenewedSet(files);
  }
  storage::ReleaseExclusiveUse(files.log);
  return settled;
}

}  // namespace contest
