// The storage layer's form messages on the window layer: SendToAllForms hands each message to
// every open form of the application (platform::qt::TApplication::SendToAllForms), the text in
// place of the text address. Installed into storage::ToDBFkt by the program's wiring, so an index
// rebuild's progress (message 0x81D0) reaches the open windows.
//
// Needs the application object for as long as messages are sent.
#pragma once

#include "storage/driver/rebuild_progress.h"

namespace ui {

class FormMessages final : public storage::FormMessageSink {
 public:
  void SendToAllForms(std::uint32_t message, std::uint32_t wparam, std::int32_t lparam,
                      std::string_view text) override;
};

}  // namespace ui
