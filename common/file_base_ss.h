// TFileBaseSS: the file and folder operations of the system, one object per process
// (Service<TFileBaseSS>).
//
// Names are resolved against the system's current folder (common/current_folder.h). Operations
// report failure by their result; only the folder operations show a message, through ToMessages
// (which must exist then): "Fehler beim Erstellen des Ordners", a carriage return and the path.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/file_chooser.h"
#include "common/tssobject.h"

namespace common {

class TFileBaseSS : public Tssobject {
 public:
  explicit TFileBaseSS(std::unique_ptr<FileChooser> chooser = nullptr);

  bool FileExists(std::string_view name) const;
  bool DirectoryExists(std::string_view path) const;
  // When the folder is missing and `create` is set, makes it (showing the folder error when that
  // fails); then, when the folder exists, makes it the current folder. True when it became the
  // current folder.
  bool ForceFolder(std::string_view path, bool create);
  // Makes the folder when it is missing; true when it exists afterwards, else the folder error is
  // shown and the result is false. The current folder stays.
  bool ForceFolderMsg(std::string_view path);
  // The current folder, without a trailing "/".
  std::string GetCurrentDir() const;

  std::string ExtractFileName(std::string_view name) const;
  std::string ExtractFileDir(std::string_view name) const;
  std::string FileBaseName(std::string_view name) const;
  std::string AddBackslash(std::string_view path) const;
  bool HasDriveOrFolder(std::string_view path) const;
  // Renames, replacing a file of the new name; the old target survives a failed rename.
  bool RenameFile(std::string_view old_name, std::string_view new_name);
  // Deletes the file when it exists; true when it was deleted.
  bool DeleteFile(std::string_view name);

  // The open (or, with `save`, save) dialog starting in `initial_folder` with the `filter` pairs.
  // `file_name` proposes a name and receives the chosen one, but only when the dialog was
  // confirmed (the result is then true). With `append_ext`, a chosen name that does not hold "."
  // and the default extension (compared in capitals) gets them appended.
  bool FileDialog(bool save, const std::string& initial_folder, const std::string& filter,
                  const std::string& default_ext, bool append_ext, std::string& file_name);
  // The dialog through the dialog component: the request as given.
  bool ExecuteFileDialog(bool save, const std::string& initial_folder, const std::string& filter,
                         const std::string& default_ext, bool append_ext, std::string& file_name);
  // The dialog through the platform's own call: flags 14 added (overwrite prompt, no read-only
  // box, current folder kept) and a name buffer of 261 characters, so a longer name fails the
  // dialog.
  bool RunFileDialogApi(bool save, const std::string& initial_folder, const std::string& filter,
                        const std::string& default_ext, bool append_ext, std::string& file_name);

  // Replaces the chooser (the window layer installs its dialogs); returns the previous one.
  std::unique_ptr<FileChooser> SetFileChooser(std::unique_ptr<FileChooser> chooser);

 private:
  bool RunChooser(FileChooserRequest request, std::size_t name_buffer, bool append_ext,
                  std::string& file_name);
  void ShowFolderError(std::string_view path);

  std::unique_ptr<FileChooser> chooser_;
};

}  // namespace common
