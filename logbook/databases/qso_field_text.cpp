#include "logbook/databases/qso_field_text.h"

#include <algorithm>

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"

namespace logbook {
namespace {

constexpr int kBandNameText = 4;  // ToBaender::Freq2Name: the band's name, "???" outside

// The kind whose field a kind reads (step 1).
int StoredKind(int kind) {
  if (kind == 14) return 16;
  if (kind == 28) return 44;
  return kind;
}

// The stored text of a layout-9 entry, NUL characters as blanks (step 2).
std::string TaggedText(TdbProject& project, const TQSORec& record, int kind) {
  if (project.SlotOfKind(kind) == 0) return {};
  const auto span = LocateQsoField(record, project.Record().block, kind);
  if (!span) return {};
  std::string text = QsoSpanText(record, *span);
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

std::string BandNameOf(TdbProject& project, const TQSORec& record, int frequency_kind) {
  const std::string frequency = common::Trim(TaggedText(project, record, frequency_kind));
  return common::Service<ToBaender>::Get().Freq2Name(frequency, kBandNameText);
}

std::string Layout9Text(TdbProject& project, const TQSORec& record, int kind) {
  const int stored = StoredKind(kind);
  std::string text = TaggedText(project, record, stored);
  if (stored == 44 && text.size() == 4 && text.find(':') == std::string::npos) {
    text.insert(2, 1, ':');
  }
  if (text.empty() && (kind == 15 || kind == 17)) text = BandNameOf(project, record, 18);
  if (text.empty() && kind == 40) text = BandNameOf(project, record, 41);
  if (kind == 28) {
    if (text.size() > 1 && text[1] == ':') text.insert(0, 1, '0');
    text = common::LeftStr(text, 5);
  }
  const std::string trimmed = common::Trim(text);
  if ((kind == 28 || kind == 37 || kind == 44) && trimmed == "00:00") return {};
  if ((kind == 37 || kind == 44) && trimmed == ":") return {};
  return text;
}

}  // namespace

std::string QSOFieldText(TdbProject& project, TdbQSOBase* table, int kind, bool raw,
                         const TQSORec* record, TdbCall* /*calls*/) {
  if (record == nullptr && table != nullptr) record = table->RecordPtr();
  if (record == nullptr) return {};
  std::string text;
  if (project.GetLayoutKind() == 9) text = Layout9Text(project, *record, kind);
  return raw || kind == 22 ? text : common::Trim(text);
}

char QSLMarkOf(TdbProject& project, TdbQSOBase* table, int kind, const TQSORec* record,
               char mark) {
  const std::string text = QSOFieldText(project, table, kind, false, record);
  const auto holds = [&](char c) { return c != 0 && text.find(c) != std::string::npos; };
  if (mark != 0) return holds(mark) ? mark : 0;
  const ToSetupQSL qsl = common::Service<ToSetups>::Get().GetQSL();
  if (kind == 12) {
    for (char c : qsl.status_letters.view()) {
      if (holds(c)) return 'J';
    }
  } else if (kind == 13) {
    for (int group : {1, 2}) {
      for (char c : qsl.letter_groups[static_cast<std::size_t>(group)]) {
        if (holds(c)) return 'J';
      }
    }
  }
  return 0;
}

}  // namespace logbook
