#include "output/adif.h"

#include <cmath>

#include "common/adif_field.h"
#include "common/date_mask.h"
#include "common/messages.h"
#include "common/number_mask.h"
#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/bands.h"
#include "output/sheet_text.h"

namespace output {
namespace {

using common::AdifField;
using common::Trim;

// Multiplier kinds that name the district field.
constexpr int kAreaKind = 8;
constexpr int kLdkKind = 17;

std::string Report(std::string_view exchange) { return common::Copy(exchange, 1, 3); }

// STX and SRX are integers: only a number of digits goes there, anything else to the _STRING
// field. A serial with a district after '/' gives both.
std::string NumberFields(std::string_view exchange, std::string_view tag) {
  if (exchange.size() <= 3) return {};
  const std::string rest = common::CopyFrom(exchange, 4);
  const std::string string_tag = std::string(tag) + "_STRING";
  const std::size_t slash = rest.find('/');
  if (slash != std::string::npos) {
    const std::string serial = Trim(rest.substr(0, slash));
    std::string fields;
    if (common::IsNumberText(serial, true)) fields = AdifField(tag, serial);
    return fields + AdifField(string_tag, rest);
  }
  return common::IsNumberText(Trim(rest), true) ? AdifField(tag, rest) : AdifField(string_tag, rest);
}

std::string Reports(bool report_only, bool listener, const contest::TContestLKRec& qso) {
  const std::string sent = contest::TContestFkt::SentExchangeText(qso);
  const std::string received = contest::TContestFkt::RcvdExchangeText(qso);
  if (listener) {
    // The first call's report goes to RST_SENT, the second station and its report follow.
    return AdifField("RST_SENT", report_only ? Report(received) : received) +
           AdifField("CALL_WKD", qso.Call2.view()) + AdifField("RST_WKD", Report(sent));
  }
  if (!report_only) return AdifField("RST_SENT", sent) + AdifField("RST_RCVD", received);
  return AdifField("RST_SENT", Report(sent)) + AdifField("RST_RCVD", Report(received)) +
         NumberFields(sent, "STX") + NumberFields(received, "SRX");
}

// The ADIF band of a band code; empty for a code that names no band.
std::string AdifBand(char band) {
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  const std::string name = bands.Band2Name(band, true);
  if (name == "???" || band == logbook::kAllBands) return {};
  std::string adif = name;
  if (const std::size_t blank = adif.find(' '); blank != std::string::npos) adif.erase(blank, 1);
  return adif;
}

std::string DistrictTag(const contest::TContestRec& definition) {
  if (definition.MultiplierKinds.test(kAreaKind)) return "AREA";
  if (definition.MultiplierKinds.test(kLdkKind)) return "LDK";
  return "DARC_DOK";
}

std::string QslField(std::string_view tag, char mark) {
  if (mark == 0 || mark == ' ') return {};
  return AdifField(tag, mark == 'J' || mark == 'j' ? std::string("Y") : std::string(1, mark));
}

}  // namespace

void WriteADIFHeader(TAlleRout& channel, const contest::TContestRec& definition) {
  const std::string& maker_page =
      common::Service<contest::TContestFkt>::Get().Definitions().Program().MakerPage;
  channel.WriteLine("ADIF-Export generated with Tarnex " + definition.VersionText.str() +
                        (maker_page.empty() ? "" : " " + maker_page),
                    true, true);
  channel.WriteLine("<EOH>", true, true);
}

bool AskReportOnly(char contest_code) {
  if (contest_code == 'A') return true;
  return common::Service<common::ToMessages>::Get().JaNeinFrage(
      "", "", "Von der Kontrollnummer nur RS(T) exportieren?", true);
}

std::string WriteADIFQSO(bool report_only, const contest::TContestRec& definition,
                         const contest::TContestKKRec& log, const contest::TContestLKRec& qso,
                         logbook::TdbPrefix& prefixes) {
  std::string record;
  if (qso.Datum > 0) {
    record += AdifField("QSO_DATE", common::DateToDateString(qso.Datum, "yyyymmdd", {}));
  }
  // To the second: a busy minute holds more QSOs than a reader could place in it otherwise.
  record += AdifField("TIME_ON", common::TimeToTimeString(qso.Zeit, "hhmmss", {}));
  record += AdifField("CALL", qso.Call.view());
  record += Reports(report_only, definition.SWL != 0, qso);
  if (log.Typ == 'A') {
    const std::string received = contest::TContestFkt::RcvdExchangeText(qso);
    if (received.size() > 3) record += AdifField("LDK", common::CopyFrom(received, 4));
  }
  if (const std::string band = AdifBand(qso.Bandcode); !band.empty()) {
    record += AdifField("BAND", band);
  }
  record += AdifField("MODE", Trim(qso.Mode.view()) == "PR" ? "PKT" : qso.Mode.str());
  record += AdifField("PTS", PointsNumber(qso.Points, log.Typ, '.'));
  record += AdifField(DistrictTag(definition), common::LeftStr(qso.DOK1.str() + qso.DOK2.str(), 8));
  record += AdifField("GRIDSQUARE", qso.Loc.view());
  if (const std::string dxcc = Trim(qso.DXCC.view()); !dxcc.empty()) {
    // An entity the prefix database does not know has no number; its prefix is still written.
    if (const std::string number = prefixes.DXCCForPrefix(dxcc); !number.empty()) {
      record += AdifField("DXCC", number);
    }
    record += AdifField("DXCC_PFX", dxcc);
  }
  if (const float frequency = qso.Frequency; std::isfinite(frequency) && frequency > 0) {
    record += AdifField("FREQ", common::FloatToStrMask(frequency, 0, 4, '.'));
  }
  const std::string name_qth = qso.NameQth.str();
  if (const std::string name = common::StrBefore(name_qth, ";"); !Trim(name).empty()) {
    record += AdifField("NAME", name);
  }
  if (const std::string qth = common::StrAfter(name_qth, ";"); !Trim(qth).empty()) {
    record += AdifField("QTH", qth);
  }
  record += QslField("QSL_SENT", qso.QslSent);
  record += QslField("QSL_RCVD", qso.QslRcvd);
  return record + "<EOR>";
}

}  // namespace output
