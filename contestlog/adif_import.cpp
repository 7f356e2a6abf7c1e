#include "contestlog/adif_import.h"

#include <algorithm>
#include <charconv>

#include "common/cp1252.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contestlog/qso_save.h"
#include "logbook/reference/bands.h"

namespace contestlog {
namespace {

using Field = AdifEntryField;

const logbook::ToBaender& Bands() { return common::Service<logbook::ToBaender>::Get(); }

// The log field name of a mapping line: the text before " (" (the whole line without one).
std::string_view LogFieldOf(std::string_view line) {
  const std::size_t open = line.find('(');
  std::string_view name = line.substr(0, open);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return name;
}

std::string DateTimeText(std::string_view name, const std::string& value) {
  if (name == "QSO_DATE" && value.size() == 8)
    return value.substr(6, 2) + "." + value.substr(4, 2) + "." + value.substr(2, 2);
  if (name == "QSO_DATE" && value.size() == 6)
    return value.substr(4, 2) + "." + value.substr(2, 2) + "." + value.substr(0, 2);
  if (name == "TIME_ON" && value.size() == 6)
    return value.substr(0, 2) + ":" + value.substr(2, 2) + ":" + value.substr(4, 2);
  if (name == "TIME_ON" && value.size() == 4) return value.substr(0, 2) + ":" + value.substr(2, 2);
  return value;
}

// "14/ABC/7": the parts before, between and after the first two "/"; a part the text does not
// reach is not written.
void SplitExchange(AdifImportEntry& entry, const std::string& text, Field second, Field third,
                   Field fourth) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) {
    entry.SetText(second, text);
    return;
  }
  entry.SetText(second, text.substr(0, slash));
  const std::string rest = text.substr(slash + 1);
  const std::size_t next = rest.find('/');
  if (next == std::string::npos) {
    entry.SetText(third, rest);
    return;
  }
  entry.SetText(third, rest.substr(0, next));
  entry.SetText(fourth, rest.substr(next + 1));
}

class RecordImport {
 public:
  RecordImport(const common::AdifRecord& record, const AdifMapping& mapping, bool check,
               const contest::TContestRec& definition, AdifImportEntry& entry)
      : record_(record), mapping_(mapping), check_(check), definition_(definition), entry_(entry) {}

  // False when the record's mode or band is refused (counted in `counts`).
  bool FillMode(AdifImportCounts& counts);
  bool FillBand(AdifImportCounts& counts);
  // Answers how often the save may move a taken moment on by a second.
  int FillFields();
  void FillSent();
  void FillReceived();

 private:
  std::string Value(std::string_view name, std::string_view fallback = {}) const {
    return ParseAdifField(record_, mapping_, name, fallback);
  }
  std::string Caption(int slot) const { return definition_.ExchangeLabels[slot - 2].str(); }
  // A caption of two names ("lfd.Nr. / DOK") tried one after the other.
  std::string ValueByCaption(int slot) const;

  const common::AdifRecord& record_;
  const AdifMapping& mapping_;
  const bool check_;
  const contest::TContestRec& definition_;
  AdifImportEntry& entry_;
};

bool RecordImport::FillMode(AdifImportCounts& counts) {
  const std::string own = Value("MODE");
  const std::string mode = Value("MODE", entry_.Text(Field::kMode));
  if (mode.empty() || (check_ && !AdifModeAccepted(definition_, true, own))) {
    ++counts.bad_mode;
    return false;
  }
  entry_.SetText(Field::kMode, mode);
  entry_.SetRecordMode(entry_.Text(Field::kMode).substr(0, 6));
  return true;
}

bool RecordImport::FillBand(AdifImportCounts& counts) {
  const std::string own_frequency = Value("FREQ");
  const std::string own_band = Value("BAND");
  std::string frequency;
  if (AdifFreqToFloat(own_frequency)) {
    frequency = own_frequency;
  } else if (Bands().Text2Band(own_band) != logbook::kNoBand) {
    frequency = Bands().Text2FreqText(own_band);
  } else if (own_frequency.empty() && own_band.empty()) {
    frequency = entry_.Text(Field::kFreq);
  }
  const std::optional<double> number = AdifFreqToFloat(frequency);
  const char band =
      number ? Bands().Freq2Band(static_cast<float>(*number)) : logbook::kNoBand;
  const std::string band_text = own_band.empty() ? frequency : own_band;
  if (band == logbook::kNoBand || !AdifBandAccepted(definition_, check_, frequency, band_text)) {
    ++counts.bad_band;
    return false;
  }
  entry_.SetText(Field::kFreq, common::ReplaceChar(frequency, '.', ','));
  entry_.SetBand(band);
  return true;
}

int RecordImport::FillFields() {
  entry_.SetText(Field::kCall, Value("CALL", entry_.Text(Field::kCall)));
  entry_.SetText(Field::kDate, Value("QSO_DATE"));
  const std::string time = Value("TIME_ON");
  entry_.SetText(Field::kTime, time);
  entry_.SetText(Field::kName, Value("NAME", entry_.Text(Field::kName)));
  entry_.SetText(Field::kQth, Value("QTH", entry_.Text(Field::kQth)));
  // "HH:MM:SS" names its second; anything shorter only its minute.
  return std::count(time.begin(), time.end(), ':') >= 2 ? kMomentMoves : kMinuteMoves;
}

void RecordImport::FillSent() {
  const std::string sent = Value("RST_SENT").substr(0, 255);
  if (sent.size() > 3) {
    entry_.SetText(Field::kSent1, sent.substr(0, 3));
    SplitExchange(entry_, sent.substr(3), Field::kSent2, Field::kSent3, Field::kSent4);
    return;
  }
  entry_.SetText(Field::kSent1, Value("RST_SENT", entry_.Text(Field::kSent1)));
  std::string exchange = Value("STX_STRING");
  if (exchange.empty()) exchange = Value("STX");
  // Without a sent exchange the fields keep the cleared entry's prefill (the next serial).
  if (!exchange.empty())
    SplitExchange(entry_, exchange, Field::kSent2, Field::kSent3, Field::kSent4);
}

std::string RecordImport::ValueByCaption(int slot) const {
  const std::string caption = Caption(slot);
  if (caption.empty()) return {};
  const std::size_t slash = caption.find('/');
  if (slash == std::string::npos) return Value(caption);
  const std::string first = Value(common::Trim(caption.substr(0, slash)));
  return first.empty() ? Value(common::Trim(caption.substr(slash + 1))) : first;
}

// The received exchange splits into its three parts as the sent one does, so that our own
// export (the whole exchange in RST_RCVD, or the parts after the report in SRX_STRING) comes
// back whole. A part the file leaves empty is looked up through its caption.
void RecordImport::FillReceived() {
  const std::string rcvd = Value("RST_RCVD");
  const bool whole = rcvd.size() > 3;
  std::string exchange;
  if (whole) {
    entry_.SetText(Field::kRcvd1, rcvd.substr(0, 3));
    exchange = rcvd.substr(3);
  } else {
    entry_.SetText(Field::kRcvd1, Value("RST_RCVD", entry_.Text(Field::kRcvd1)));
    exchange = Value("SRX_STRING");
    if (exchange.empty()) exchange = Value("SRX");
  }
  // The file's exchange stands alone: what the entry held (a prefill from the call's earlier
  // QSOs) is no part of it.
  for (const Field part : {Field::kRcvd2, Field::kRcvd3, Field::kRcvd4}) entry_.SetText(part, "");
  if (!exchange.empty())
    SplitExchange(entry_, exchange, Field::kRcvd2, Field::kRcvd3, Field::kRcvd4);

  const auto fill = [this](Field part, const std::string& value) {
    if (entry_.Text(part).empty()) entry_.SetText(part, value);
  };
  if (whole) {
    // The whole exchange names its captions whole; a serial of the file wins over caption 2.
    fill(Field::kRcvd2, Value("SRX", Value(Caption(2))));
    fill(Field::kRcvd3, Value(Caption(3)));
    fill(Field::kRcvd4, Value(Caption(4)));
    return;
  }
  fill(Field::kRcvd2, ValueByCaption(2));
  fill(Field::kRcvd2, Value("SRX"));
  fill(Field::kRcvd3, ValueByCaption(3));
  fill(Field::kRcvd4, ValueByCaption(4));
}

}  // namespace

std::string ParseAdifField(const common::AdifRecord& record, const AdifMapping& mapping,
                           std::string_view name, std::string_view fallback) {
  if (name.empty()) return {};
  const std::string asked = common::cp1252::UpperCase(name);
  std::string field = asked;
  for (const std::string& line : mapping) {
    if (common::cp1252::SameText(LogFieldOf(line), asked)) {
      field = common::cp1252::UpperCase(common::Trim(common::StrBetween(line, "(", ")")));
      break;
    }
  }
  if (field.empty()) return {};
  const common::AdifValue* found = record.Find(field);
  std::string value = found ? common::Trim(found->value) : std::string();
  if (value.empty()) value = common::cp1252::UpperCase(fallback);
  return DateTimeText(asked, value);
}

bool AdifModeAccepted(const contest::TContestRec& definition, bool check, std::string_view mode) {
  if (!check) return true;
  if (mode.empty()) return false;
  for (const contest::ContestText& entry : definition.Modes) {
    if (entry.empty()) continue;
    if (entry.view() == mode) return true;
    if (entry.view() == "DIGITAL" && mode != "CW" && mode != "SSB" && mode != "FM") return true;
  }
  return false;
}

bool AdifBandAccepted(const contest::TContestRec& definition, bool check,
                      std::string_view frequency, std::string_view band) {
  if (!check) return true;
  const std::optional<double> number = AdifFreqToFloat(frequency);
  for (const char code : definition.Bands) {
    if (code == 0) continue;
    if (number && Bands().Freq2Band(*number) == code) return true;
    if (!band.empty() &&
        (Bands().Text2Band(band) == code || band == Bands().Band2Name(code, false) ||
         band == Bands().Band2Name(code, true)))
      return true;
  }
  return false;
}

std::optional<double> AdifFreqToFloat(std::string_view text) {
  std::string number = common::Trim(text);
  const std::size_t comma = number.find(',');
  if (comma != std::string::npos) number[comma] = '.';
  if (number.empty() || number.find_first_not_of("+-0123456789.") != std::string::npos)
    return std::nullopt;
  const char* first = number.data() + (number.front() == '+' ? 1 : 0);
  double value = 0;
  const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return value;
}

AdifImportCounts ImportAdifRecords(const std::vector<common::AdifRecord>& records,
                                   const AdifMapping& mapping, bool check,
                                   const contest::TContestRec& definition, AdifImportEntry& entry) {
  AdifImportCounts counts;
  for (const common::AdifRecord& record : records) {
    entry.ClearRecord();
    RecordImport import(record, mapping, check, definition, entry);
    if (!import.FillMode(counts) || !import.FillBand(counts)) continue;
    const int moves = import.FillFields();
    import.FillSent();
    import.FillReceived();
    bool stored = false;
    switch (entry.SaveEntry(moves, stored)) {
      case SaveRefusal::kNone: ++(stored ? counts.imported : counts.not_stored); break;
      case SaveRefusal::kDupe: ++counts.dupes; break;
      case SaveRefusal::kNoDateOrTime: ++counts.without_date_or_time; break;
      case SaveRefusal::kBadCall: ++counts.bad_call; break;
      case SaveRefusal::kOutsideDistricts: ++counts.outside_districts; break;
    }
  }
  return counts;
}

std::string AdifImportNotice(const AdifImportCounts& counts) {
  std::string text = std::to_string(counts.imported) + " Datensätze importiert";
  const auto line = [&text](int count, const char* reason) {
    if (count > 0) text += "\r\n" + std::to_string(count) + reason;
  };
  line(counts.dupes, " Calls doppelt");
  line(counts.without_date_or_time, " ohne Datum oder Uhrzeit");
  line(counts.bad_call, " mit ungültigem Rufzeichen");
  line(counts.outside_districts, " außerhalb der Distrikte");
  line(counts.not_stored, " QSOs nicht gespeichert");
  line(counts.bad_band, " fehlende oder falsche Bandangaben");
  line(counts.bad_mode, " fehlende oder falsche Modeangaben");
  line(counts.unended, " Datensätze ohne <EOR> nicht gelesen");
  return text;
}

}  // namespace contestlog
