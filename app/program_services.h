// The program's service objects: one per module, created in the start-up order and destroyed in
// reverse order.
//
// No data file is opened while they are created; the main window starts the file manager and
// opens the databases (app/program_databases.h). A file manager still running when the services
// go is stopped first.
#pragma once

#include <string>

namespace app {

class ProgramServices {
 public:
  // data_folder: the program's data folder with its trailing "/"; it becomes the start folder of
  // the databases, the system's current folder and the folder of the error logs.
  explicit ProgramServices(std::string data_folder);
  ~ProgramServices();
  ProgramServices(const ProgramServices&) = delete;
  ProgramServices& operator=(const ProgramServices&) = delete;

  const std::string& DataFolder() const { return data_folder_; }

 private:
  std::string data_folder_;
};

}  // namespace app
