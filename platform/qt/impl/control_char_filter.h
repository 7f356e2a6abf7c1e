// The one-line fields' guard against control characters (layer-internal): a tab, a line end or a
// NUL pasted, dropped or given by the program would reach the record and the files written from
// it. Installed on a line edit, it keeps an inserted text up to its first control character and
// drops the rest of that insertion; the text around the insertion stays.
#pragma once

#include <QLineEdit>

namespace platform::qt::impl {

// Installs the guard on `edit` (owned by it from then on). The field then never holds a control
// character, whatever road a text takes into it.
void RefuseControlCharacters(QLineEdit& edit);

}  // namespace platform::qt::impl
