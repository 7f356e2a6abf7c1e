#include "storage/driver/rebuild_progress.h"

namespace storage {

void IndexRebuildBroadcast::RebuildProgress(std::string_view file_name, int phase,
                                            std::int32_t count) {
  switch (phase) {
    case 0:
      text_ = " Indexaufbau Datei: " + std::string(file_name.substr(0, 40)) + " ";
      sink_.SendToAllForms(kIndexRebuildMessage, 1, 0, text_);
      break;
    case 1:
      if (count < 500 || count % 1000 == 0) {
        sink_.SendToAllForms(kIndexRebuildMessage, 2, count % 10000, {});
      }
      break;
    case 2:
      text_.clear();
      sink_.SendToAllForms(kIndexRebuildMessage, 3, 0, {});
      break;
    default:
      break;
  }
}

}  // namespace storage
