// The switch from the old prefix tables to the new ones, all or nothing: a program that starts
// between two renames, or after one failed, must find either the whole old set or the whole new
// one, never prefixes of one and exact calls of the other.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace prefiximport {

// Renames `from` to `to`; the error when it could not.
using RenameFile =
    std::function<std::error_code(const std::filesystem::path& from, const std::filesystem::path& to)>;

// std::filesystem::rename.
std::error_code SystemRename(const std::filesystem::path& from, const std::filesystem::path& to);

// Puts the files `names` of `work` in place of those in `folder`. The old files are first moved
// aside into `folder`/"prefiximport.old", then the new ones moved in; when a move fails, the new
// files moved in are removed and the old ones moved back, and the answer is false with the path
// and reason in `error`. The aside folder is removed, unless moving back failed too: it then still
// holds the old tables, and `error` says so.
bool SwitchTables(const std::filesystem::path& work, const std::filesystem::path& folder,
                  const std::vector<std::string>& names, std::string& error,
                  const RenameFile& rename = SystemRename);

}  // namespace prefiximport
