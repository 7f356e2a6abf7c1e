// The participant data of an EDI file without the form's widgets: the record the form
// Tuhfteilnehmer (uhfteilnehmer.h) shows and gives back, how it is filled from the log, the
// settings and the kept answers, and what is kept after the export.
//
// The kept answers live in "editemp.txt" in the data folder: exactly six lines (club, district
// code, e-mail address, power, transceiver, antenna), Windows-1252 with CR LF. A file with any
// other number of lines is not read; every export rewrites it with the six current entries.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"

namespace output {

// What the form shows and gives back; every text as typed (the form trims its edits).
struct TuhfteilnehmerParams {
  std::string caption;
  std::vector<std::string> sections;  // the items of `psect`
  // "Teilnehmer"
  std::string pcall;
  std::string ploc;
  std::string padr1;
  std::string padr2;
  std::string psect;  // the section, chosen from `sections` or typed
  std::string pband;  // one of kBandItems, or empty
  std::string pclub1 = "DARC";
  std::string pclub2;
  std::string remail;
  // "zuständiger Funkamateur"
  std::string rname;
  std::string radr1;
  std::string radr2;
  std::string rpoco;
  std::string rcoun = "DL";
  std::string rcity;
  // "Mehrmann"
  std::string mope1;
  std::string mope2;
  // "Station"
  std::string rpower;
  std::string rtrx;
  std::string rant;
  std::string rremarks;  // the memo's text, lines joined by CR LF
  bool cspeichern = false;
};

// The bands of `pband`.
inline constexpr std::array<const char*, 16> kBandItems = {
    "50MHz",  "70MHz",  "145MHz", "435MHz", "1,3GHz", "2,3GHz",  "3,4GHz",  "5,7GHz",
    "10GHz",  "24GHz",  "47GHz",  "76GHz",  "120GHz", "135GHz",  "248GHz",  ">300GHz"};

// The 28 sections of `psect` ("01  144MHz Einmann", a tab at the end of each), and the three of
// contest '8' ("A", "B", "C").
std::vector<std::string> SectionItems(char contest_code);

// The record for the log: caption, sections, own station from the catalogue and the settings,
// section and band from the log's class, and the kept answers when "editemp.txt" holds six lines.
TuhfteilnehmerParams FillParticipantForm(const contest::TContestRec& definition,
                                         const contest::TContestKKRec& log);

// The full name of "editemp.txt" in the data folder.
std::string ParticipantFileName();

// After the export: "editemp.txt" rewritten with the six entries; with `cspeichern` the
// responsible operator's name, street, postcode and city, and e-mail address become the own
// station's address in the settings. A file that cannot be written is left as it is.
void KeepParticipantAnswers(const TuhfteilnehmerParams& params);

}  // namespace output
