// The program's service objects: one per module, created in the start-up order and destroyed in
// reverse order.
//
// No data file is opened while they are created; the file manager starts afterwards, from
// StartFileManager, before any database is touched.
#pragma once

#include <string>

namespace app {

class ProgramServices {
 public:
  // data_folder: the program's data folder with its trailing "/"; it becomes the start folder of
  // the databases and the system's current folder.
  explicit ProgramServices(std::string data_folder);
  ~ProgramServices();
  ProgramServices(const ProgramServices&) = delete;
  ProgramServices& operator=(const ProgramServices&) = delete;

  const std::string& DataFolder() const { return data_folder_; }

  // Starts the file manager (network mode, page buffers, open-file budget, lock-conflict
  // question). False after the user was told "Dateiverwaltung konnte nicht initialisiert
  // werden"; the program then ends with exit code 1.
  bool StartFileManager();
  // Stops the file manager; answers the name of the first database file still open, empty when
  // every file was closed.
  std::string StopFileManager();

  // Until the main window does it: opens PXSETUP and loads the settings from the setup tables,
  // once the file manager runs. False when the settings could not be read (they keep their
  // defaults then).
  bool LoadSettings();
  // Writes the settings back and closes the setup tables, before the file manager stops. False
  // when they could not be written.
  bool SaveSettings();

 private:
  std::string data_folder_;
  bool file_manager_started_ = false;
};

}  // namespace app
