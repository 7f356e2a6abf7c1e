#include "contestlog/dxcc_chooser.h"

#include <utility>

namespace contestlog {
namespace {

DxccChooser& Installed() {
  static DxccChooser chooser;
  return chooser;
}

}  // namespace

DxccChooser SetDxccChooser(DxccChooser chooser) {
  return std::exchange(Installed(), std::move(chooser));
}

std::string ChooseDxccPrefix(const std::string& start_text) {
  return Installed() ? Installed()(start_text) : std::string();
}

}  // namespace contestlog
