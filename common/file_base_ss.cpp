#include "common/file_base_ss.h"

#include <utility>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/file_paths.h"
#include "common/messages.h"
#include "common/service.h"

namespace common {
namespace {

constexpr std::size_t kApiNameBuffer = 261;  // characters, the closing zero included

FileChooserRequest MakeRequest(bool save, const std::string& initial_folder,
                               const std::string& filter, const std::string& default_ext,
                               const std::string& file_name) {
  const bool dotted = !default_ext.empty() && default_ext.front() == '.';
  return {.save = save,
          .initial_folder = initial_folder,
          .file_name = file_name,
          .filter = filter,
          .default_ext = dotted ? default_ext.substr(1) : default_ext};
}

}  // namespace

TFileBaseSS::TFileBaseSS(std::unique_ptr<FileChooser> chooser) : chooser_(std::move(chooser)) {}

std::unique_ptr<FileChooser> TFileBaseSS::SetFileChooser(std::unique_ptr<FileChooser> chooser) {
  std::swap(chooser, chooser_);
  return chooser;
}

bool TFileBaseSS::FileExists(std::string_view name) const { return common::FileExists(name); }

bool TFileBaseSS::DirectoryExists(std::string_view path) const {
  return common::DirectoryExists(path);
}

void TFileBaseSS::ShowFolderError(std::string_view path) {
  Service<ToMessages>::Get().Fehler("Fehler beim Erstellen des Ordners\r" + std::string(path));
}

bool TFileBaseSS::ForceFolder(std::string_view path, bool create) {
  if (!common::DirectoryExists(path) && create && !CreateFolder(path)) ShowFolderError(path);
  if (!common::DirectoryExists(path)) return false;
  SetCurrentFolder(path);
  return true;
}

bool TFileBaseSS::ForceFolderMsg(std::string_view path) {
  if (common::DirectoryExists(path) || CreateFolder(path)) return true;
  ShowFolderError(path);
  return false;
}

std::string TFileBaseSS::GetCurrentDir() const { return CurrentFolder(); }

std::string TFileBaseSS::ExtractFileName(std::string_view name) const {
  return common::ExtractFileName(name);
}
std::string TFileBaseSS::ExtractFileDir(std::string_view name) const {
  return common::ExtractFileDir(name);
}
std::string TFileBaseSS::FileBaseName(std::string_view name) const {
  return common::FileBaseName(name);
}
std::string TFileBaseSS::AddBackslash(std::string_view path) const {
  return common::AddBackslash(path);
}
bool TFileBaseSS::HasDriveOrFolder(std::string_view path) const {
  return common::HasDriveOrFolder(path);
}
bool TFileBaseSS::RenameFile(std::string_view old_name, std::string_view new_name) {
  return common::RenameFile(old_name, new_name);
}
bool TFileBaseSS::DeleteFile(std::string_view name) { return common::DeleteFile(name); }

bool TFileBaseSS::RunChooser(FileChooserRequest request, std::size_t name_buffer, bool append_ext,
                             std::string& file_name) {
  if (!chooser_) return false;
  if (name_buffer > 0 && request.file_name.size() >= name_buffer) {
    request.file_name.resize(name_buffer - 1);
  }
  request.append_ext = append_ext;
  std::optional<std::string> chosen = chooser_->Choose(request);
  if (!chosen || chosen->empty()) return false;
  if (name_buffer > 0 && chosen->size() >= name_buffer) return false;  // the buffer is too small
  file_name = append_ext ? NameWithDefaultExt(*chosen, request.default_ext) : std::move(*chosen);
  return true;
}

bool TFileBaseSS::ExecuteFileDialog(bool save, const std::string& initial_folder,
                                    const std::string& filter, const std::string& default_ext,
                                    bool append_ext, std::string& file_name) {
  return RunChooser(MakeRequest(save, initial_folder, filter, default_ext, file_name), 0,
                    append_ext, file_name);
}

bool TFileBaseSS::RunFileDialogApi(bool save, const std::string& initial_folder,
                                   const std::string& filter, const std::string& default_ext,
                                   bool append_ext, std::string& file_name) {
  FileChooserRequest request = MakeRequest(save, initial_folder, filter, default_ext, file_name);
  request.flags = FileChooserRequest::kOverwritePrompt | FileChooserRequest::kHideReadOnly |
                  FileChooserRequest::kNoChangeDir;
  return RunChooser(std::move(request), kApiNameBuffer, append_ext, file_name);
}

bool TFileBaseSS::FileDialog(bool save, const std::string& initial_folder,
                             const std::string& filter, const std::string& default_ext,
                             bool append_ext, std::string& file_name) {
  // The platform's own call is the road of every current platform family.
  return RunFileDialogApi(save, initial_folder, filter, default_ext, append_ext, file_name);
}

}  // namespace common
