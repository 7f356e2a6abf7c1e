#include "output/uhfteilnehmer_ctrl.h"

#include "common/file_paths.h"
#include "common/file_ss.h"
#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/text_file_writer.h"
#include "contest/contest_fkt.h"
#include "output/own_station.h"

namespace output {
namespace {

constexpr int kKeptLines = 6;

// The sections as the contest sponsors number them: number, two blanks, band, operator class.
struct Section {
  const char* number;
  const char* band;
  bool single_operator;
};
constexpr Section kSections[] = {
    {"01", "144MHz", true},   {"02", "144MHz", false},  {"03", "432MHz", true},
    {"04", "432MHz", false},  {"05", "1,2GHz", true},   {"06", "1,2GHz", false},
    {"07", "2,3GHz", true},   {"08", "2,3GHz", false},  {"09", "3,4GHz", true},
    {"10", "3,4GHz", false},  {"11", "5,7GHz", true},   {"12", "5,7GHz", false},
    {"13", "10GHz", true},    {"14", "10GHz", false},   {"15", "24GHz", true},
    {"16", "24GHz", false},   {"17", "47GHz", true},    {"18", "47GHz", false},
    {"19", "76GHz", true},    {"20", "76GHz", false},   {"21/1", "122GHz", true},
    {"22/1", "122GHz", false}, {"21/2", "135GHz", true}, {"22/2", "135GHz", false},
    {"23", "245GHz", true},   {"24", "245GHz", false},  {"25", ">300GHz", true},
    {"26", ">300GHz", false}};

}  // namespace

std::vector<std::string> SectionItems(char contest_code) {
  if (contest_code == '8') return {"A", "B", "C"};
  std::vector<std::string> items;
  for (const Section& s : kSections) {
    items.push_back(std::string(s.number) + "  " + s.band +
                    (s.single_operator ? " Einmann" : " Mehrmann") + "\t");
  }
  return items;
}

std::string ParticipantFileName() {
  return common::AddBackslash(contest::TContestFkt::DataDir()) + "editemp.txt";
}

TuhfteilnehmerParams FillParticipantForm(const contest::TContestRec& definition,
                                         const contest::TContestKKRec& log) {
  const OwnStationTexts station = OwnStationFromSettings();
  TuhfteilnehmerParams p;
  p.caption = definition.VersionText.str();
  p.sections = SectionItems(log.Typ);
  p.pcall = log.OwnCall.str();
  p.ploc = log.OwnLocator.empty() ? station.locator : log.OwnLocator.str();
  p.rname = station.name;
  p.padr1 = station.street;
  p.radr1 = station.street;
  p.padr2 = station.city;
  p.rpoco = common::StrBefore(station.city, " ");
  p.rcity = common::StrAfter(station.city, " ");
  // The form's "DL" stands until the settings name a country.
  if (!common::Trim(station.country).empty()) p.rcoun = station.country;
  p.pclub2 = station.district;
  p.remail = station.email;

  const int index = log.ClassIndex;
  if (index > 0 && index <= contest::kClassSlots) {
    const std::string name = definition.Classes[static_cast<std::size_t>(index - 1)].ClassName.str();
    if (!name.empty()) {
      p.psect = name.substr(0, 1);
      if (name.find("2m") != std::string::npos) {
        p.pband = kBandItems[2];
      } else if (name.find("70cm") != std::string::npos) {
        p.pband = kBandItems[3];
      }
    }
  }

  const std::vector<std::string> l = common::ReadTextLines(ParticipantFileName());
  if (l.size() == kKeptLines) {
    p.pclub1 = l[0];
    p.pclub2 = l[1];
    p.remail = l[2];
    p.rpower = l[3];
    p.rtrx = l[4];
    p.rant = l[5];
  }
  return p;
}

void KeepParticipantAnswers(const TuhfteilnehmerParams& p) {
  const std::string kept = ParticipantFileName();
  if (!common::WriteTextFile(kept, {p.pclub1, p.pclub2, p.remail, p.rpower, p.rtrx, p.rant})) {
    common::Service<common::ToMessages>::Get().Fehler(common::NotWrittenText(kept));
  }
  if (p.cspeichern) {
    const std::string city = common::Trim(common::Trim(p.rpoco) + " " + common::Trim(p.rcity));
    StoreOwnAddress(p.rname, p.radr1, city, p.remail);
  }
}

}  // namespace output
