// The extra data of the contest setup form, by contest code: the operator's age or club number
// (the number at catalogue offset 158, -1 for none), a club number text (offset 183), the
// scoring group, the licence date, the district or IPARC question (byte 300) and the station
// description kept in the log's ".STN" file (output/station_file.h).
//
// ShowExtras fills the form's extra controls from the catalogue record when the form is made;
// StoreExtras takes them back into the record on a save. Contests without extra data ('V' and
// most others) show and store nothing.
#pragma once

#include <cstdint>
#include <string>

#include "app/eing_contest_view.h"
#include "contest/catalogue_record.h"

namespace app {

// The number of catalogue offset 158 that means "not given".
inline constexpr std::int32_t kNoNumber = -1;

// Fills the extra controls of `code` from `log`; the station memo is read from its file. For 'U'
// an own DOK of the district answers the district question yes in `log` (byte 300).
void ShowExtras(char code, contest::TContestKKRec& log, EingContestView& view);

// What a save learns from the extra fields: a warning to show (empty: none), whether it ends
// the save, and the field to focus then.
struct ExtraCheck {
  std::string warning;
  bool ends_save = false;
  EingFocus focus = EingFocus::kNone;
};

// Stores the extra fields of `code` into `log`. `category` is the chosen class (1-based, 0 for
// none). The check is made whatever the caller does with it.
ExtraCheck StoreExtras(char code, const EingContestView& view, int category,
                       contest::TContestKKRec& log);

// The text without its blanks (DOKs are kept so).
std::string WithoutBlanks(const std::string& text);

// Byte 300 of contest 'U'': yes for an own DOK of the district ('U...') or of its special
// stations.
bool IsDistrictUDok(const std::string& dok);
// Sets byte 300 and the question's answer from the own DOK (contest 'U', the DOK just typed).
void AnswerDistrictQuestion(const std::string& dok, contest::TContestKKRec& log,
                            EingContestView& view);

// The station description of log `nummer` of `code` ('b', 'j', 'v'): its file's lines joined
// with CR LF, empty when there is none.
std::string LoadStationMemo(char code, std::int32_t nummer);
// Writes it (a non-empty memo only). False when the file could not be written.
bool SaveStationMemo(char code, std::int32_t nummer, const std::string& memo);

}  // namespace app
