// File naming rules of a fileblock.
//
// The caller passes one name, which may hold two names separated by ";": the first names the data
// file and the dialog file, the second the index file (a missing or empty second part takes the
// first; anything after a further ";" is not used). Each name gets its extension replaced:
// everything after the last "." that no "\" or "/" follows is dropped and "." plus the engine's
// extension appended ("A.OLD" -> "A.DAT").
#pragma once

#include <string>
#include <string_view>

namespace storage {

inline constexpr std::string_view kExtData = "DAT";
inline constexpr std::string_view kExtIndex = "IX";
inline constexpr std::string_view kExtDialog = "DIA";
inline constexpr std::string_view kExtSave = "SAV";
inline constexpr std::string_view kExtMessage = "MSG";

struct FileblockNames {
  std::string data;    // "X.DAT"
  std::string index;   // "Y.IX"
  std::string dialog;  // "X.DIA"
};

// `name` with its extension replaced by `extension`.
std::string ReplaceExtension(std::string_view name, std::string_view extension);
// The first part of a "X;Y" name (the data file's base name).
std::string_view DataPart(std::string_view name);
// The second part, or the first when there is none.
std::string_view IndexPart(std::string_view name);
FileblockNames MakeFileblockNames(std::string_view name);

}  // namespace storage
