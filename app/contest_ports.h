// The windows the contest catalogue service reaches through its port: the links and the bell of
// the window layer, the text window, the further-programs box, the contest log window and the
// contest setup form (on the main window's live definition, over the main window). The program
// installs them once its application object and services exist and before its first window;
// each part is laid over the one before, so that the port answers every operation.
#pragma once

namespace app {

// Installs the window services (links, bell), the text window, the further-programs box, the
// contest log window and the setup form into the catalogue service
// (Service<contest::TContestFkt>), and the DXCC prefix list as the chooser of the QSO edit
// dialog's DXCC button.
void InstallContestPorts();

}  // namespace app
