#include "contest/definition_dump.h"

#include <string_view>

namespace contest {
namespace {

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  return quoted + "\"";
}

template <std::size_t N>
std::string Letters(const std::array<char, N>& slots) {
  std::string text(slots.begin(), slots.end());
  const std::size_t last = text.find_last_not_of('\0');
  text.resize(last == std::string::npos ? 0 : last + 1);
  for (char& c : text) c = c == '\0' ? '_' : c;
  return Quoted(text);
}

template <std::size_t N>
std::string Texts(const std::array<ContestText, N>& slots, bool whole) {
  std::size_t used = N;
  while (!whole && used > 0 && slots[used - 1].empty()) --used;
  std::string text;
  for (std::size_t i = 0; i < used; ++i) text += (i > 0 ? ", " : "") + Quoted(slots[i].view());
  return text;
}

template <std::size_t N>
std::string Numbers(const std::array<std::int32_t, N>& numbers) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) text += (i > 0 ? ", " : "") + std::to_string(numbers[i]);
  return text;
}

class Lines {
 public:
  void Add(std::string_view name, const std::string& value) {
    text_ += std::string(name) + ":" + (value.empty() ? "" : " ") + value + "\n";
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace

std::string ContestSetText(const ContestSet& set) {
  std::string text;
  for (std::size_t n = 0; n < set.size(); ++n) {
    if (set.test(n)) text += (text.empty() ? "" : ", ") + std::to_string(n);
  }
  return "{" + text + "}";
}

std::string DumpContestDefinition(const TContestRec& d) {
  Lines out;
  out.Add("SWL", std::to_string(d.SWL));
  out.Add("Modes", Texts(d.Modes, false));
  out.Add("Bands", Letters(d.Bands));
  out.Add("MultiplierKinds", ContestSetText(d.MultiplierKinds));
  for (std::size_t i = 0; i < d.Periods.size(); ++i) {
    const TContestPeriod& p = d.Periods[i];
    out.Add("Periods[" + std::to_string(i + 1) + "]",
            Quoted(p.PeriodDate.view()) + ", " + Quoted(p.PeriodSpare.view()) + ", " +
                Quoted(p.PeriodTimeFrom.view()) + ", " + Quoted(p.PeriodTimeTo.view()) + ", " +
                Letters(p.PeriodBands));
  }
  out.Add("HelpContext", std::to_string(d.HelpContext));
  out.Add("MultiplierNames", Texts(d.MultiplierNames, true));
  out.Add("VersionNotice", Quoted(d.VersionNotice.view()));
  out.Add("ExchangeKindsRcvd", Numbers(d.ExchangeKindsRcvd));
  out.Add("ExchangeKindsSent", Numbers(d.ExchangeKindsSent));
  out.Add("SentDefaults", Texts(d.SentDefaults, true));
  out.Add("DupeKind", std::to_string(d.DupeKind));
  out.Add("ExtraDoks", Texts(d.ExtraDoks, false));
  out.Add("ExtraDistricts", Letters(d.ExtraDistricts));
  out.Add("BonusCalls", Texts(d.BonusCalls, false));
  out.Add("ValidDoks", Texts(d.ValidDoks, false));
  out.Add("ValidDistricts", Letters(d.ValidDistricts));
  out.Add("AreaDoks", Texts(d.AreaDoks, false));
  out.Add("AreaDistricts", Letters(d.AreaDistricts));
  out.Add("Title", Quoted(d.Title.view()));
  out.Add("VersionText", Quoted(d.VersionText.view()));
  out.Add("EditionName", Quoted(d.EditionName));
  for (std::size_t i = 0; i < d.Classes.size(); ++i) {
    const TContestClass& c = d.Classes[i];
    out.Add("Classes[" + std::to_string(i + 1) + "]", Quoted(c.ClassText.view()) + ", " +
                                                          std::to_string(c.ClassSection) + ", " +
                                                          Quoted(c.ClassName.view()));
  }
  out.Add("DateFrom", Quoted(d.DateFrom.view()));
  out.Add("DateTo", Quoted(d.DateTo.view()));
  out.Add("TimeFrom", Quoted(d.TimeFrom.view()));
  out.Add("TimeTo", Quoted(d.TimeTo.view()));
  out.Add("UtcOffsetHours", std::to_string(d.UtcOffsetHours));
  out.Add("SentText2", Quoted(d.SentText2.view()));
  out.Add("Flag30", std::to_string(d.Flag30));
  out.Add("Flag31", std::to_string(d.Flag31));
  out.Add("OutputMenu", ContestSetText(d.OutputMenu));
  out.Add("OutputMenu2", ContestSetText(d.OutputMenu2));
  out.Add("Flag34", std::to_string(d.Flag34));
  out.Add("Flag35", std::to_string(d.Flag35));
  out.Add("Flag36", std::to_string(d.Flag36));
  out.Add("FilterText", Quoted(d.FilterText.view()));
  out.Add("FilterText2", Quoted(d.FilterText2.view()));
  out.Add("LabelFlag", std::to_string(d.LabelFlag));
  out.Add("ExchangeLabels", Texts(d.ExchangeLabels, true));
  out.Add("CabrilloBand", Quoted(d.CabrilloBand));
  out.Add("CabrilloMode", Quoted(d.CabrilloMode));
  out.Add("CabrilloSpare", Quoted(d.CabrilloSpare));
  out.Add("CabrilloContest", Quoted(d.CabrilloContest));
  out.Add("CabrilloPower", Quoted(d.CabrilloPower));
  out.Add("CabrilloAssisted", Quoted(d.CabrilloAssisted));
  out.Add("CabrilloOperator", Quoted(d.CabrilloOperator));
  out.Add("ScoreFlag", std::to_string(d.ScoreFlag));
  return out.Take();
}

}  // namespace contest
