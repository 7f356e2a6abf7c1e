// ToDBFkt: the start and stop of the file manager, one object per process
// (common::Service<ToDBFkt>, created when the storage layer starts).
//
// InitDatabase (through InitFileManager) runs once, from the main window's creation, before any
// database is touched: it installs the database error reporter (SpecialDebugStack) and the exit
// procedure (DriverExitProcedure, run when the process exits), checks the data folder, starts the
// driver system in network mode 2 with 160 page buffers and at most 32 operating-system files,
// and installs the lock-conflict question (DriverRetryPrompt) as the default retry callback.
// DoneDatabase stops the driver system at shutdown. Both need the DriverSystem service;
// InitFileManager shows its failure through common::ToMessages.
//
// ToDBFkt also owns the placeholder TdbTreiber (marker set, never opened) that callers without a
// TdbTreiber of their own pass to a data object's open or close routine, and the broadcast of
// index-rebuild progress (message 0x81D0) that every table driver reports to.
#pragma once

#include <memory>
#include <string>

#include "storage/driver/rebuild_progress.h"
#include "storage/tables/table_treiber.h"

namespace storage {

inline constexpr int kFileManagerNetworkMode = 2;
inline constexpr int kFileManagerPageBuffers = 160;
inline constexpr int kFileManagerMaxFiles = 32;

class ToDBFkt {
 public:
  ToDBFkt();
  ~ToDBFkt();
  ToDBFkt(const ToDBFkt&) = delete;
  ToDBFkt& operator=(const ToDBFkt&) = delete;

  // Answers InitFileManager.
  bool InitDatabase();
  // True when the file manager started. False without a message when the error reporter cannot
  // be made or no DriverSystem exists; otherwise, on failure, the error
  // "Dateiverwaltung konnte nicht initialisiert werden" is shown (the caller then ends the
  // program with exit code 1, and the exit procedure writes "KV.ERR"). A data folder that is
  // missing or not writable fails the start with 10140 (access denied).
  bool InitFileManager();
  // Stops the driver system without an error for files still open; answers the name of the first
  // file still open, empty when all were closed.
  std::string DoneDatabase();

  TdbTreiber& Placeholder() { return placeholder_; }

  // The folder of the error log (the settings' folder) and the folder of the installation help
  // page below the start folder. Kept for the error reporter made by InitFileManager and passed
  // on to the one installed; the program sets them once its settings are loaded.
  void SetReportFolders(std::string log_folder, std::string help_folder);

  // The forms the index-rebuild broadcast reaches (the window layer's); nullptr: none. The sink
  // must outlive this object or be replaced first.
  void SetFormMessageSink(FormMessageSink* sink) { sink_.target = sink; }
  RebuildProgressObserver& RebuildBroadcast() { return broadcast_; }

 private:
  struct ForwardingSink final : FormMessageSink {
    FormMessageSink* target = nullptr;
    void SendToAllForms(std::uint32_t message, std::uint32_t wparam, std::int32_t lparam,
                        std::string_view text) override {
      if (target != nullptr) target->SendToAllForms(message, wparam, lparam, text);
    }
  };

  void PassFoldersToReporter();

  TdbTreiber placeholder_{true};
  std::string log_folder_;
  std::string help_folder_;
  ForwardingSink sink_;
  IndexRebuildBroadcast broadcast_{sink_};
};

}  // namespace storage
