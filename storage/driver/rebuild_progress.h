// Progress of an index rebuild, as ports the driver calls out through.
//
// A driver calls its RebuildProgressObserver while the engine rebuilds its files: phase 0 when the
// rebuild starts, phase 1 after each record (count of records read so far), phase 2 at the end.
// The table layer installs IndexRebuildBroadcast, which turns these calls into the window
// message 0x81D0 sent to every form; the window layer implements FormMessageSink. No window code
// lives here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace storage {

class RebuildProgressObserver {
 public:
  virtual ~RebuildProgressObserver() = default;
  virtual void RebuildProgress(std::string_view file_name, int phase, std::int32_t count) = 0;
};

// Sends a message synchronously to every form of the application that has a window. For
// wparam 1 the text stands in for the message's text address; otherwise it is empty.
class FormMessageSink {
 public:
  virtual ~FormMessageSink() = default;
  virtual void SendToAllForms(std::uint32_t message, std::uint32_t wparam, std::int32_t lparam,
                              std::string_view text) = 0;
};

inline constexpr std::uint32_t kIndexRebuildMessage = 0x81D0;

// BroadcastIndexRebuild: phase 0 sends wparam 1 with " Indexaufbau Datei: " + file name (cut to
// 40) + " "; phase 1 sends wparam 2 with the count modulo 10000 for every count below 500 and
// then for every count divisible by 1000; phase 2 clears the text and sends wparam 3, lparam 0.
// The sink must outlive this object.
class IndexRebuildBroadcast final : public RebuildProgressObserver {
 public:
  explicit IndexRebuildBroadcast(FormMessageSink& sink) : sink_(sink) {}
  void RebuildProgress(std::string_view file_name, int phase, std::int32_t count) override;
  const std::string& Text() const { return text_; }  // kept while the rebuild runs

 private:
  FormMessageSink& sink_;
  std::string text_;
};

}  // namespace storage
