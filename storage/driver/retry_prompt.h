// The lock-conflict question of the database driver.
//
// The file manager installs DriverRetryPrompt as the default lock-conflict callback of every
// driver (storage/tables/db_functions.h). It asks through common::ToMessages, as a yes/no question
// with empty caption and title and Yes as the default button: the file name (cut to 40 characters)
// + ": " + the text of the reason, in the language of the language setting. Reasons 5 (rebuild an
// unusable index) and 6 (create the files of a new log) answer Yes without asking; a data file
// that is missing beside its index (reason 10) is a log that went missing, and the user decides.
// Reason 11 is told as a notice, and its answer is No.
#pragma once

#include <string>
#include <string_view>

namespace storage {

// The text of a reason (storage/driver/driver_codes.h, RetryReason); it begins and ends with a
// blank. 0, 8 and unknown reasons give the undefined-error text.
std::string RetryReasonText(int reason);

// True to go on (retry, or add the deleted record anew). Without a ToMessages nobody can be
// asked, and the answer is No.
bool DriverRetryPrompt(std::string_view file_name, int reason);

}  // namespace storage
