// The windows the contest catalogue service reaches through its port: the links and the bell of
// the window layer, the text window and the contest log window. The program installs them once
// its application object and services exist and before its first window; each part is laid
// over the one before, so that the port answers every operation.
#pragma once

namespace app {

// Installs the window services (links, bell), the text window and the contest log window into
// the catalogue service (Service<contest::TContestFkt>).
void InstallContestPorts();

}  // namespace app
