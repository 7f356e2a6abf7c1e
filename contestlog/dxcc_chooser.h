// How the QSO edit dialog reaches the DXCC prefix list, which lives in the program above this
// library: the program installs the chooser at start-up, tests a scripted one.
#pragma once

#include <functional>
#include <string>

namespace contestlog {

// Lets the operator pick an entry of the DXCC prefix list, starting at `start_text`; answers
// the entry's DXCC prefix, empty when none was picked.
using DxccChooser = std::function<std::string(const std::string& start_text)>;

// Installs `chooser` (empty: none) and answers the one installed before.
DxccChooser SetDxccChooser(DxccChooser chooser);
// The installed chooser's answer; empty without one.
std::string ChooseDxccPrefix(const std::string& start_text);

}  // namespace contestlog
