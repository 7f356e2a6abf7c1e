#include "storage/isam/files_written.h"

#include <sys/stat.h>

#include <ctime>
#include <string>

#include "platform/file.h"
#include "storage/isam/file_names.h"

namespace storage {
namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;

FileVersion VersionOf(const std::string& name) {
  struct stat st {};
  if (::stat(platform::HostPath(name).c_str(), &st) != 0) return {};
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * kNsPerSecond + st.st_mtim.tv_nsec};
}

// The step of the file system's times as far as a time shows it: one on a whole second may come
// from a file system that counts in two, any other from one that counts at least as finely as its
// last digit other than 0.
std::int64_t TimeStep(std::int64_t modified_ns) {
  const std::int64_t within_second = modified_ns % kNsPerSecond;
  if (within_second == 0) return 2 * kNsPerSecond;
  std::int64_t step = 1;
  while (within_second % (step * 10) == 0) step *= 10;
  return step;
}

// The file systems take a write's time from the kernel's coarse clock, which a later write reads
// as the same time until it moves on by one tick.
bool Settled(const FileVersion& version, std::int64_t now_ns) {
  return version.size < 0 || now_ns >= version.modified_ns + TimeStep(version.modified_ns);
}

}  // namespace

FilesWritten FileblockFilesWritten(std::string_view name) {
  const FileblockNames names = MakeFileblockNames(name);
  FilesWritten files{VersionOf(names.data), VersionOf(names.index)};
  timespec now{};
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  const std::int64_t now_ns = static_cast<std::int64_t>(now.tv_sec) * kNsPerSecond + now.tv_nsec;
  files.settled = Settled(files.data, now_ns) && Settled(files.index, now_ns);
  return files;
}

}  // namespace storage
