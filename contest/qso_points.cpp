// The points rules of the 61 contest codes and their dispatcher (contest/qso_points.h).
#include "contest/qso_points.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <string>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/definition_loader.h"
#include "contest/rule_helpers.h"
#include "logbook/settings/setups.h"

namespace contest {
namespace {

using Points = std::uint32_t;

TContestFkt& Fkt() { return common::Service<TContestFkt>::Get(); }

// What a rule reads: the QSO, the log's catalogue record, the definition and the objects.
struct PointsInput {
  char code;
  const TContestRec& def;
  const TContestKKRec& own;  // the log's catalogue record
  const TContestLKRec& qso;
  const TdbContestBase& log;
  const TdbContestBase& catalogue;
  const TContLogAlle& rules;
  std::string rcvd;  // the received exchange text, the report first

  int Class() const { return own.ClassIndex; }
  Points Distance() const { return qso.Distance; }
  std::string_view Call() const { return qso.Call.view(); }
  std::string_view Mode() const { return qso.Mode.view(); }
  std::string_view Dok1() const { return qso.DOK1.view(); }
  char Band() const { return qso.Bandcode; }
  bool OnBands(std::string_view bands) const { return bands.find(Band()) != bands.npos; }
  // Characters p to p + n - 1 of the received text.
  std::string Rcvd(int p, int n) const { return common::Copy(rcvd, p, n); }
  // Part n (1 to 3) of the received text split at '/' after the report.
  std::string RcvdPart(int n) const {
    std::array<std::string, 4> parts;
    TContLogAlle::SplitCall(rcvd, parts[0], parts[1], parts[2], parts[3]);
    return parts[static_cast<std::size_t>(n)];
  }
  bool OwnDok() const { return IsOwnDok(own, qso); }
  bool AreaDok() const { return IsSpecialDok(def, qso) || IsDistrictDok(def, qso); }
  bool SpecialStation() const { return IsSpecialStationCall(Call()); }
  // The call is one of the contest's listed calls `list` (0: the first list its rules name).
  bool Listed(std::size_t list) const { return IsListedCall(code, list, Call()); }
};

using Rule = Points (*)(const PointsInput&);

Points One(const PointsInput&) { return 1; }
Points Two(const PointsInput&) { return 2; }
Points ByDistance(const PointsInput& in) { return in.Distance(); }

Points PointsMVP(const PointsInput& in) {
  if (in.Class() == 8 || in.Class() == 9) return in.AreaDok() ? 1 : 0;
  return in.AreaDok() ? 3 : 1;
}

Points PointsBWA(const PointsInput& in) {
  const bool own = in.OwnDok();
  if (in.Class() == 2 || in.Class() == 3) return own ? 0 : in.Distance();
  if (in.Class() == 4) return own ? 1 : 2;
  return own ? 0 : 1;
}

Points PointsHTP(const PointsInput& in) {
  const std::string letter = in.RcvdPart(2);
  const int column = letter == "A" ? 0 : letter == "B" ? 1 : letter == "C" ? 2 : -1;
  if (column < 0) return 0;
  static constexpr Points kByClass[][3] = {{9, 7, 5}, {7, 4, 3}, {5, 3, 2}};
  switch (in.Class()) {
    case 0:
    case 1:
    case 5:
      return kByClass[0][column];
    case 2:
    case 6:
      return kByClass[1][column];
    case 3:
    case 7:
      return kByClass[2][column];
    default:
      return 0;
  }
}

Points PointsHolyland(const PointsInput& in) {
  if (in.qso.DXCC.view() != "4X" || !in.rules.CheckExchange(in.Dok1(), in.catalogue)) return 0;
  return in.OnBands("abc") ? 2 : 1;
}

Points PointsEUTag(const PointsInput& in) {
  return in.qso.Continent.view() == "EU" ? in.Distance() : 0;
}

Points PointsFranken(const PointsInput& in) {
  if (in.OwnDok()) return 0;
  return in.Class() == 3 || in.Class() == 4 ? in.Distance() : 1;
}

Points PointsHamburg(const PointsInput& in) { return in.OnBands("kl") ? in.Distance() : 1; }

Points PointsRheinlandPfalz(const PointsInput& in) {
  if (in.OwnDok()) return 0;
  return in.Mode() == "CW" ? 15 : 10;
}

Points PointsFunkertag(const PointsInput& in) { return in.Call().starts_with("DN") ? 5 : 3; }

// The whole number at the start of a text: an optional sign, then decimal digits, or hex digits
// after '$' or "0x"; what was read before another character; 0 when nothing could be read.
// Points are never negative, and reading stops before the number would leave 32 bits.
Points LeadingNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = IsDigit(c)                           ? c - '0'
                      : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                           : -1;
    const std::uint64_t next =
        value * static_cast<std::uint64_t>(base) + static_cast<unsigned>(digit);
    if (digit < 0 || next > std::numeric_limits<std::int32_t>::max()) break;
    value = next;
  }
  return negative ? 0 : static_cast<Points>(value);
}

Points PointsFebruarParty(const PointsInput& in) {
  if (in.Call().starts_with("DN")) return 100;
  const std::string text = common::Trim(common::CopyFrom(in.rcvd, 4));
  if (text == "XX" || text == "xx") return 20;
  if (text == "00") return 100;
  return LeadingNumber(text);
}

Points PointsHessen(const PointsInput& in) {
  return in.Class() == 5 || in.Class() == 6 ? in.Distance() : 1;
}

Points PointsNAC(const PointsInput& in) {
  Points points = 0;
  switch (in.Band()) {
    case 'j':
    case 'k':
    case 'l':
      points = std::min<Points>(in.Distance(), 2000);
      break;
    case 'm':
      points = in.Distance();
      break;
    case 'n':
      points = 2 * in.Distance();
      break;
    case 'o':
      points = 3 * in.Distance();
      break;
    case 'p':
      points = 4 * in.Distance();
      break;
    case 'q':
      points = 5 * in.Distance();
      break;
    case 's':
      points = 6 * in.Distance();
      break;
    default:
      return 0;
  }
  return points + NewSquareBonus('N') * LocatorSquareWorkedOnBand(in.log);
}

Points PointsRuhrgebiet(const PointsInput& in) {
  Points points = in.SpecialStation() ? 5 : 1;
  if (in.Listed(0)) points = 10;
  if (in.Dok1() == "DVL") points = 20;
  return points;
}

// 'U', 'K': only the first QSO with the own DOK counts.
Points PointsBOC(const PointsInput& in) {
  return in.OwnDok() && DokWorkedByOtherQso(in.log) ? 0 : 1;
}

Points PointsKWNordsee(const PointsInput& in) {
  return in.Dok1().starts_with('I') && in.SpecialStation() ? 2 : 1;
}

Points PointsNordsee(const PointsInput& in) {
  if (in.Dok1().starts_with('I') && in.SpecialStation()) return 2;
  return IsSpecialDok(in.def, in.qso) ? 2 : 1;
}

Points PointsIPARC(const PointsInput& in) {
  return common::Pos(in.def.FilterText2.view(), in.rcvd) > 0 ? 5 : 1;
}

Points PointsBB(const PointsInput& in) {
  if (in.def.SWL != 0) return 1;
  if (in.Class() == 1 || in.Class() == 4) return in.AreaDok() ? 3 : 1;
  return 3;
}

Points PointsCW(const PointsInput& in) { return in.Listed(0) ? 2 : 1; }

Points PointsVFDB(const PointsInput& in) {
  if (in.Listed(0)) return 10;
  if (in.Listed(1)) return 5;
  if (in.OwnDok()) return 0;
  if (IsDistrictDok(in.def, in.qso)) return 5;
  return !in.Dok1().empty() && HasText(in.def.ValidDoks, in.Dok1()) ? 5 : 1;
}

// 'O': a DXCC or DOK counts as worked on the band when the first QSO the search finds for it
// is another scoring QSO of the band with the same value.
bool NewOnBand(const PointsInput& in, bool dok) {
  TdbContest search(kTableLK, in.log.FileSetNo());
  const std::string value = common::Trim(dok ? DokOf(in.qso) : in.qso.DXCC.str());
  TContestLKRec found{};
  if (!(dok ? search.FindBandDOK(in.Band(), value) : search.FindBandDXCC(in.Band(), value)) ||
      !search.GetLKRec(found)) {
    return true;
  }
  const std::string found_value = common::Trim(dok ? DokOf(found) : found.DXCC.str());
  return found.Nummer == in.qso.Nummer || found_value != value || found.Bandcode != in.Band() ||
         found.NoPoints != 0;
}

Points PointsSH(const PointsInput& in) {
  if (!in.OnBands("kl")) return 1;
  Points points = in.Distance();
  // A QSO without DXCC (or DOK) has no entity (or DOK) that could be new.
  if (!common::Trim(in.qso.DXCC.view()).empty() && NewOnBand(in, false)) points += 100;
  if (!common::Trim(DokOf(in.qso)).empty() && NewOnBand(in, true)) points += 100;
  return points;
}

Points PointsSchwaben(const PointsInput& in) {
  if (!in.AreaDok()) return 1;
  const bool high = in.SpecialStation() || (in.Call().size() > 1 && in.Call()[1] == 'N') ||
                    in.Dok1() == "Z30" || in.Listed(0);
  return high ? 10 : 5;
}

Points PointsWNQAC(const PointsInput& in) {
  Points points = in.SpecialStation() ? 2 : 1;
  if ((in.Dok1().size() == 2 || in.Dok1().size() == 3) && in.Dok1().ends_with('N')) points = 3;
  if (in.Listed(0)) points = 6;
  return points;
}

Points PointsWNC(const PointsInput& in) {
  if (in.Listed(0)) return 10;
  return in.SpecialStation() ? 5 : 1;
}

// 'c', 'y'.
Points PointsWNA(const PointsInput& in) {
  if (in.Mode() == "FM") return 2;
  if (in.Mode() == "SSB") return 4;
  return in.Mode() == "CW" ? 6 : 1;
}

Points PointsHSC(const PointsInput& in) {
  const std::string member = in.Rcvd(4, 2);
  return member.empty() || member == "NM" ? 1 : 5;
}

Points PointsDIG(const PointsInput& in) {
  if (in.Class() == 3 || in.Class() == 4) return in.Distance();
  const std::string member = in.Rcvd(4, 4);
  return member.empty() || member == "0" || in.Rcvd(4, 2) == "NM" ? 1 : 10;
}

Points PointsQRPParty(const PointsInput& in) { return in.RcvdPart(2) == "A" ? 2 : 1; }

Points PointsAGCWQRP(const PointsInput& in) {
  const std::string power = common::LeftStr(common::StrAfter(in.rcvd, "/"), 3);
  const bool qrp = power == "QRP", vlp = power == "VLP", qro = power == "QRO";
  const bool mp = power.starts_with("MP");
  switch (in.Class()) {
    case 0:
    case 1:
    case 2:
      return qrp || vlp ? 3 : qro || mp ? 2 : 1;
    case 3:
      return qrp || vlp || qro || mp ? 2 : 1;
    case 4:
      return qro ? 0 : qrp || vlp || mp ? 2 : 1;
    default:
      return 1;
  }
}

Points PointsFieldday(const PointsInput& in) {
  static constexpr std::string_view kPortable[] = {"/p",  "/P",  "/m",  "/M",
                                                   "/mm", "/MM", "/am", "/AM"};
  const bool portable =
      std::any_of(std::begin(kPortable), std::end(kPortable),
                  [&](std::string_view s) { return in.Call().find(s) != in.Call().npos; });
  if (in.Class() == 6 && !portable) return 0;
  if (in.qso.Continent.view() == "EU") return portable ? 4 : 2;
  return portable ? 6 : 3;
}

Points PointsRTCParty(const PointsInput& in) {
  const std::size_t slash = in.rcvd.find('/');
  return slash != std::string::npos && slash + 1 < in.rcvd.size() ? 2 : 1;
}

Points PointsSAAR(const PointsInput& in) {
  if (in.OwnDok()) return 0;
  if (!in.AreaDok()) return 1;
  return in.Listed(0) || in.SpecialStation() ? 3 : 2;
}

Points PointsNord(const PointsInput& in) {
  const std::string own =
      common::Service<logbook::ToSetups>::Get().GetOwnStation().own_locator.str();
  const std::string_view locator = in.qso.Loc.view();
  Points points = own.size() >= 4 && locator.size() >= 4 ? LocatorSquareRing(own, locator) : 0;
  if (in.Dok1().size() >= 2 && !IsLetterTwoDigits(in.Dok1()) && IsSpecialDok(in.def, in.qso)) {
    points += 10;
  }
  return points;
}

Points PointsUKWNordsee(const PointsInput& in) { return in.OwnDok() ? 0 : PointsNord(in); }

Points PointsRLPWoche(const PointsInput& in) {
  if (in.OwnDok()) return 0;
  const Points points = in.Mode() == "FM" || in.Mode() == "SSB" ? 2 : in.Mode() == "CW" ? 3 : 1;
  if (in.Band() == 'm') return 2 * points;
  return in.OnBands("nopqst") ? 3 * points : points;
}

Points PointsNAVAL(const PointsInput& in) {
  const std::string member = in.Rcvd(4, 2);
  return member.empty() || member == "NM" || IsDigit(member[0]) ? 1 : 10;
}

Points PointsQCWA(const PointsInput& in) {
  return in.Rcvd(4, 5).size() == 5 || in.Listed(0) ? 10 : 1;
}

Points PointsDSW(const PointsInput& in) { return in.Class() == 3 ? in.Distance() : 1; }

Points PointsStarter(const PointsInput& in) {
  return in.Call().starts_with("DO") || in.Call().starts_with("DN") ? 2 : 1;
}

Points PointsMRR(const PointsInput& in) { return in.Mode() == "CW" ? 2 : 1; }

Points PointsWAG(const PointsInput& in) {
  const bool dl = in.qso.DXCC.view() == "DL";
  if (in.Class() == 9) return dl ? (in.Mode() == "CW" ? 3 : 1) : 0;  // listeners
  if (!IsOwnCallGerman(in.own)) return dl ? 3 : 0;
  if (dl) return 1;
  if (in.qso.WAEFlag != 0) return 3;
  return in.qso.DXCC.empty() ? 0 : 5;
}

Points PointsHelvetia(const PointsInput& in) {
  if (common::Trim(in.qso.DXCC.view()) == "HB9") return 10;
  return common::Trim(in.qso.Continent.view()) == "EU" ? 1 : 3;
}

struct CodeRule {
  char code;
  Rule rule;
};

// One rule per contest code. Shared rules carry the contest's own rule name in a comment.
constexpr CodeRule kRules[] = {
    {'.', One},  // PointsDomivox
    {'V', PointsMVP},
    {'B', PointsBWA},
    {'D', Two},  // PointsDTC
    {'q', PointsHTP},
    {'H', PointsHolyland},
    {'E', PointsEUTag},
    {'F', PointsFranken},
    {'J', PointsHamburg},
    {'R', PointsRheinlandPfalz},
    {'5', PointsFunkertag},
    {'P', PointsFebruarParty},
    {'G', PointsHessen},
    {'N', PointsNAC},
    {'S', One},  // PointsHSW
    {'T', One},  // PointsThueringen
    {'L', PointsRuhrgebiet},
    {'U', PointsBOC},
    {'I', PointsKWNordsee},
    {'l', PointsNordsee},
    {'Z', PointsIPARC},
    {'C', PointsBB},
    {'K', PointsBOC},  // PointsKoelnAachen
    {'A', PointsCW},
    {'f', One},  // PointsHappyNewYear
    {'Y', PointsVFDB},
    {'o', PointsCW},  // PointsVFDBTage: its own list of 9
    {'!', One},       // PointsDLPX
    {'O', PointsSH},
    {'Q', PointsSchwaben},
    {'1', One},  // PointsDARC10
    {'2', PointsWNQAC},
    {'3', PointsWNC},
    {'c', PointsWNA},
    {'y', PointsWNA},  // PointsWSA
    {'6', PointsHSC},
    {'7', PointsDIG},
    {'8', ByDistance},  // PointsAGCW
    {'s', PointsQRPParty},
    {'w', PointsAGCWQRP},
    {'m', ByDistance},  // PointsGrossraum80m
    {'9', PointsFieldday},
    {'a', One},  // PointsNordrhein
    {'4', PointsRTCParty},
    {'b', One},  // PointsOQRP
    {'d', PointsSAAR},
    {'e', PointsNord},
    {'g', PointsUKWNordsee},
    {'h', PointsRLPWoche},
    {'i', PointsNAVAL},
    {'j', ByDistance},  // PointsMSSPRINT
    {'k', PointsQCWA},
    {'n', One},  // PointsIBFD
    {'p', PointsDSW},
    {'r', One},  // PointsYLParty
    {'u', PointsStarter},
    {'v', PointsMRR},
    {'W', PointsWAG},
    {'X', One},  // PointsXMAS
    {'t', One},  // PointsOstercontest
    {'z', PointsHelvetia},
};
static_assert(std::size(kRules) == 61);

}  // namespace

std::uint32_t QsoPoints(char code, const TContestRec& definition, const TdbContestBase& catalogue,
                        const TdbContestBase& log, const TContLogAlle& rules) {
  const TContestLKRec qso = QsoOf(log);
  if (qso.NoPoints != 0 || qso.Call.size() < 3) return 0;
  const auto* row = std::find_if(std::begin(kRules), std::end(kRules),
                                 [code](const CodeRule& r) { return r.code == code; });
  if (row == std::end(kRules)) return 0;
  const TContestKKRec own = CatalogueOf(catalogue);
  return row->rule(PointsInput{code, definition, own, qso, log, catalogue, rules,
                               TContestFkt::RcvdExchangeText(qso)});
}

bool IsSpecialStationCall(std::string_view call) {
  const std::string& listed = Fkt().Definitions().Program().SpecialStationCall;
  if (!listed.empty() && call == listed) return true;
  if (call.size() >= 3 && call[0] == 'D') {
    if (std::string_view("ACFKLNO").find(call[1]) != std::string_view::npos && call[2] == '0') {
      return true;
    }
    if (call[1] == 'Q' || call[1] == 'R') return true;
  }
  return call.size() == 4 && call[0] == 'D' && call[1] >= 'A' && call[1] <= 'R';
}

std::uint32_t LocatorSquareRing(std::string_view own, std::string_view qso) {
  const std::string a = common::UpperCase(own), b = common::UpperCase(qso);
  if (a.size() < 4 || b.size() < 4) return 0;
  // Per axis: the field letter's code times 10 plus the square's digit.
  const auto axis = [](const std::string& l, std::size_t n) { return l[n] * 10 + l[n + 2]; };
  return static_cast<std::uint32_t>(
      std::max(std::abs(axis(a, 0) - axis(b, 0)), std::abs(axis(a, 1) - axis(b, 1))) + 1);
}

bool IsOwnDok(const TContestKKRec& catalogue, const TContestLKRec& qso) {
  return !catalogue.OwnDOK.empty() && DokOf(qso) == catalogue.OwnDOK.view();
}

bool IsSpecialDok(const TContestRec& definition, const TContestLKRec& qso) {
  return HasText(definition.AreaDoks, DokOf(qso));
}

bool IsDistrictDok(const TContestRec& definition, const TContestLKRec& qso) {
  const std::string_view dok1 = qso.DOK1.view();
  return DokOf(qso).size() == 3 && dok1.size() == 3 &&
         HasLetter(definition.AreaDistricts, dok1[0]) && IsDigit(dok1[1]) && IsDigit(dok1[2]);
}

bool IsOwnCallGerman(const TContestKKRec& catalogue) {
  return IsGermanStation(catalogue, GermanTest::kCallOrDok);
}

bool DokWorkedByOtherQso(const TdbContestBase& log) {
  const TContestLKRec qso = QsoOf(log);
  TdbContest search(kTableLK, log.FileSetNo());
  TContestLKRec found{};
  return search.SeekDok(DokOf(qso)) && search.GetLKRec(found) && found.Nummer != qso.Nummer;
}

std::uint32_t LocatorSquareWorkedOnBand(const TdbContestBase& log) {
  const TContestLKRec qso = QsoOf(log);
  const std::string square = common::LeftStr(qso.Loc.view(), 4);
  // A QSO without a locator square has none that could be new.
  if (qso.Nummer == 0 || square.size() < 4) return 0;
  TdbContest search(kTableLK, log.FileSetNo());
  TContestLKRec found{};
  const auto in_run = [&] {
    return search.GetLKRec(found) && found.Bandcode == qso.Bandcode &&
           common::LeftStr(found.Loc.view(), 4) == square;
  };
  if (!search.FindBandLoc(qso.Bandcode, square) || !in_run()) return 1;
  // Nothing else positions the file during the walk: it moves on without re-finding its record.
  do {
    if (found.Nummer == qso.Nummer && TookNewSquare(found)) return 1;
  } while (search.Next(false, true) && in_run());
  return 0;
}

std::uint32_t NewSquareBonus(char code) { return code == 'N' ? 500 : 0; }

bool TookNewSquare(const TContestLKRec& qso) {
  const std::string square = common::LeftStr(qso.Loc.view(), 4);
  return square.size() == 4 && common::LeftStr(qso.CMulti.view(), 4) == square;
}

}  // namespace contest
