// The prefix list's headings and rows: which columns an index shows, their titles, and the cells
// of a record in the column views and in the one-column views (with the grid's cell codes).
#include <string>
#include <vector>

#include "app/prefix_brow_ctrl.h"
#include "common/lang_text.h"
#include "common/number_mask.h"
#include "common/string_helpers.h"

namespace app {
namespace {

using C = PrefixColumn;

constexpr int kViewListe = 1;
constexpr int kViewMiniatur = 3;
constexpr int kOneColumnWidth = 30;

bool OneColumn(int view) { return view == kViewListe || view == kViewMiniatur; }

std::string Title(C column) {
  switch (column) {
    case C::kPrefix:
      return "Prefix;bis";
    case C::kDxcc:
      return common::SetLen("DXCC", 4, true);
    case C::kQslBureau:
      return "QSL-Büro";
    case C::kCq:
      return common::SetLen("CQ", 3, true);
    case C::kIt:
      return common::SetLen("IT", 3, true);
    case C::kCo:
      return common::SetLen("Co", 3, true);
    case C::kLoc:
      return common::SetLen("Loc", 7, true);
    case C::kMenu:
      return " ";
    case C::kLand:
      return common::SetLen("Land", 21, true) + ";" + common::SetLen("Land, deutsch", 20, true);
    case C::kWae:
      return common::SetLen("WAE", 7, true);
    case C::kAdif:
      return "ADIF";
    case C::kRichtung:
      return "Richtung";
    case C::kEntfernung:
      return "Entfernung";
  }
  return "";
}

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i > 0 ? separator : "") + parts[i];
  return text;
}

std::string WithoutSemicolons(std::string text) {
  std::erase(text, ';');
  return text;
}

// The cells of one record, each in the form every view shares.
struct Cells {
  Cells(const logbook::TdbPrefix& r, int view, bool extended) {
    const std::string pre = r.GetPrefix();
    const char from = r.GetRangeFrom();
    const bool range = (from >= '0' && from <= '9') || (from >= 'A' && from <= 'Z');
    const bool brackets = r.GetBracketed() && view != kViewMiniatur;
    if (range && !pre.empty()) {
      prefix = pre.substr(0, pre.size() - 1) + from;
      bis = std::string(" ") + pre.back() + " ";
    } else {
      prefix = pre;
      bis = OneColumn(view) ? "" : "   ";
    }
    if (brackets) prefix = "(" + prefix + ")";
    dxcc = r.GetDXCC();
    if (brackets && !dxcc.empty()) dxcc = "(" + dxcc + ")";
    const std::string like = r.GetWiePref();
    like_prefix = !like.empty();
    if (like_prefix) {
      german = land = "wie " + like;
    } else {
      land = r.GetCountry();
      german = TDatenPrefixBrowCtrl::CalcField("Land, deutsch", r);
    }
    menu = r.GetMenue();
    if (extended) {
      const char sel = r.GetSel();
      menu += std::string("-") + (sel > ' ' ? sel : ' ');
    }
    adif = r.GetADIFNr();
    fields = {{C::kQslBureau, r.GetQSLBureau()},
              {C::kCq, r.GetWAZ()},
              {C::kIt, r.GetITU()},
              {C::kCo, r.GetContinent()},
              {C::kLoc, TDatenPrefixBrowCtrl::CalcField("Loc", r) + " "},
              {C::kMenu, menu},
              {C::kWae, r.GetWAE()},
              {C::kAdif, std::to_string(adif)},
              {C::kRichtung, TDatenPrefixBrowCtrl::CalcField("Richtung", r)},
              {C::kEntfernung, TDatenPrefixBrowCtrl::CalcField("Entfernung", r)}};
  }

  // The column's cells in a column view. A like-prefix takes the place of both country cells, and
  // an empty cell keeps the columns after it under their titles.
  std::string Column(C column) const {
    switch (column) {
      case C::kPrefix:
        return prefix + ";" + bis;
      case C::kDxcc:
        return dxcc;
      case C::kLand:
        return like_prefix ? land + ";" : land + ";" + german;
      default:
        for (const auto& [c, text] : fields) {
          if (c == column) return text;
        }
        return "";
    }
  }

  std::string prefix;
  std::string bis;
  std::string dxcc;
  std::string land;
  std::string german;
  std::string menu;
  bool like_prefix = false;
  std::uint16_t adif = 0;
  std::vector<std::pair<C, std::string>> fields;
};

// What the one-column views put first: the field the index sorts by.
std::string LeadingTitle(int index) {
  switch (index) {
    case 1:
      return Title(C::kPrefix);
    case 2:
    case kPrefixIndexSelDxcc:
      return Title(C::kDxcc);
    case 3:
      return Title(C::kMenu);
    case 4:
      return Title(C::kCq);
    case 5:
      return Title(C::kIt);
    case 6:
      return Title(C::kCo);
    case 9:
      return Title(C::kWae);
    default:
      return "";
  }
}

std::string LeadingCell(const Cells& cells, int index) {
  switch (index) {
    case 1:
      return cells.prefix + cells.bis;
    case 2:
    case kPrefixIndexSelDxcc:
      return cells.dxcc;
    case 3:
      return cells.menu;
    case 4:
      return cells.Column(C::kCq);
    case 5:
      return cells.Column(C::kIt);
    case 6:
      return cells.Column(C::kCo);
    case 9:
      return cells.Column(C::kWae);
    default:
      return cells.german;
  }
}

// "Liste": the sort field, the prefix, the country in German, between the grid's cell codes.
std::string ListeRow(const Cells& cells, int index) {
  const std::string land = "[8] " + cells.german;
  const std::string prefix = cells.prefix + cells.bis;
  switch (index) {
    case 3:
    case 4:
    case 5:
    case 6:
      return LeadingCell(cells, index) + "[2] " + prefix + land;
    case 9:
      return LeadingCell(cells, index) + "[8] " + prefix + land;
    case 1:
      return prefix + land;
    case 2:
    case kPrefixIndexSelDxcc:
      return cells.dxcc + land;
    default:
      return cells.german;
  }
}

// "Miniaturansicht": prefix, DXCC, ADIF number and country above the sort field.
std::string MiniaturRow(const Cells& cells, int index) {
  const char* closing = index >= 3 && index <= 6 ? "[2]" : index == 9 ? "[8]" : "[7]";
  return cells.prefix + cells.bis + "[7]" + cells.dxcc + "[7]" + common::IntToStrMask(cells.adif, 4) +
         "[0]" + cells.german + "[15]" + LeadingCell(cells, index) + closing;
}

}  // namespace

std::vector<PrefixColumn> PrefixColumnsOf(int index, bool extended) {
  switch (index) {
    case 2:
      if (extended) {
        return {C::kDxcc, C::kPrefix, C::kQslBureau, C::kLand, C::kCq,       C::kIt,
                C::kCo,   C::kLoc,    C::kMenu,      C::kAdif, C::kRichtung, C::kEntfernung};
      }
      return {C::kDxcc, C::kLand, C::kCq, C::kIt, C::kCo, C::kLoc, C::kRichtung, C::kEntfernung};
    case kPrefixIndexSelDxcc:
      if (extended) {
        return {C::kDxcc, C::kLand, C::kCq,       C::kIt,        C::kCo,
                C::kLoc,  C::kMenu, C::kRichtung, C::kEntfernung};
      }
      return {C::kDxcc, C::kLand, C::kCq, C::kIt, C::kCo, C::kLoc, C::kRichtung, C::kEntfernung};
    case 3:
      return {C::kPrefix, C::kMenu, C::kDxcc, C::kLand, C::kCq, C::kIt, C::kCo};
    case 4:
      return {C::kCq, C::kPrefix, C::kDxcc, C::kIt, C::kCo, C::kLoc, C::kMenu, C::kLand};
    case 5:
      return {C::kIt, C::kPrefix, C::kDxcc, C::kCq, C::kCo, C::kLoc, C::kMenu, C::kLand};
    case 6:
      return {C::kCo, C::kLand, C::kPrefix, C::kDxcc, C::kCq, C::kIt, C::kLoc, C::kMenu};
    case kPrefixIndexCountry:
      if (extended) {
        return {C::kLand, C::kPrefix, C::kDxcc, C::kQslBureau, C::kCq,       C::kIt,
                C::kCo,   C::kLoc,    C::kMenu, C::kRichtung,  C::kEntfernung};
      }
      return {C::kLand, C::kDxcc, C::kCq, C::kIt, C::kCo, C::kLoc, C::kRichtung, C::kEntfernung};
    case 9:
      return {C::kWae, C::kPrefix, C::kDxcc, C::kCq, C::kIt, C::kCo, C::kMenu, C::kLand};
    default:
      return {C::kPrefix, C::kDxcc, C::kQslBureau, C::kCq, C::kIt, C::kCo, C::kLoc, C::kMenu,
              C::kLand};
  }
}

std::string TDatenPrefixBrowCtrl::Heading(int index, int view, bool extended, bool marker) {
  std::string heading;
  if (OneColumn(view)) {
    heading = index == kPrefixIndexCountry
                  ? common::SetLen("Land", kOneColumnWidth, true)
                  : WithoutSemicolons(LeadingTitle(index)) + " " +
                        common::SetLen("Land", kOneColumnWidth, true);
    if (view == kViewMiniatur) return common::LeftStr(heading, kOneColumnWidth);
  } else {
    std::vector<std::string> titles;
    for (const PrefixColumn column : PrefixColumnsOf(index, extended)) {
      titles.push_back(Title(column));
    }
    heading = Join(titles, ";");
  }
  return marker ? " .;" + heading : heading;
}

std::string TDatenPrefixBrowCtrl::Footer(int index) {
  switch (index) {
    case 1:
      return "Prefix;bis";
    case 2:
    case kPrefixIndexSelDxcc:
      return "DXCC";
    case 3:
      return common::LangText("Auswahl Region", "Select country");
    case 4:
      return "WAZ";
    case 5:
      return "ITU";
    case 6:
      return common::LangText("Kontinent", "Continent");
    case kPrefixIndexCountry:
      return common::LangText("Land", "Country");
    case 9:
      return "WAE";
    default:
      return "";
  }
}

std::string TDatenPrefixBrowCtrl::RowText(const logbook::TdbPrefix& record, int index, int view,
                                          bool extended, bool marker) {
  const Cells cells(record, view, extended);
  std::string text;
  if (view == kViewMiniatur) return MiniaturRow(cells, index);
  if (view == kViewListe) {
    text = ListeRow(cells, index);
  } else {
    std::vector<std::string> parts;
    for (const PrefixColumn column : PrefixColumnsOf(index, extended)) {
      parts.push_back(cells.Column(column));
    }
    text = Join(parts, ";");
  }
  if (!marker) return text;
  // The marker cell's leading blank shows an entry outside its validity.
  std::string mark = common::IntToStrMask(cells.adif, 4);
  if (record.IsOutsideValidity()) mark[0] = '-';
  return mark + (view == kViewListe ? "[0]" : ";") + text;
}

}  // namespace app
