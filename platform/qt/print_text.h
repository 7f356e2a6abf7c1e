// Printing a plain text as one job: the platform's printing of a text control with a job title.
#pragma once

#include <string>
#include <vector>

#include "platform/qt/font.h"
#include "platform/qt/printer.h"
#include "platform/qt/types.h"

namespace platform::qt {

// Prints the lines as one job titled `title`, in `font`, inside `area` (dots of the printable
// area; an empty area is the whole printable page). A line wider than the area breaks at its
// last blank that fits, else at its last character that fits; a page takes as many lines as fit
// below each other, at least one. Answers false, printing nothing, when the printer refuses the
// job at its beginning or its end.
bool PrintLines(TPrinter& printer, const std::vector<std::string>& lines, const std::string& title,
                const TFont& font, TRect area = {});

}  // namespace platform::qt
