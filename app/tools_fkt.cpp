#include "app/tools_fkt.h"

#include "app/tools_memo_ctrl.h"
#include "app/tools_zeile_eing.h"
#include "common/service.h"
#include "output/print_settings.h"

namespace app {

bool TToolsFkt::InputLine(const std::string& caption, const std::string& label, std::string& line,
                          std::size_t capacity, const std::string& link_text, bool hint,
                          std::uint8_t option, std::int32_t max_length) {
  try {
    TToolsZeileEingCtrl ctrl(nullptr, max_length, link_text, line, label, caption);
    ctrl.HintFlag = hint;
    ctrl.Option = option;
    if (!ctrl.Execute()) return false;
    line = ctrl.Line.substr(0, capacity);
    return true;
  } catch (...) {
    return false;
  }
}

bool TToolsFkt::ShowText(const std::string& caption, std::vector<std::string>* lines,
                         std::string& short_text, std::size_t capacity,
                         const std::string& rich_text_file, bool save, bool print, bool mail,
                         const std::string& default_address, contest::WindowRect* rect) {
  try {
    // The window works on a copy of the place, so that a failing tool leaves the caller's.
    contest::WindowRect place = rect != nullptr ? *rect : contest::WindowRect{};
    TToolsMemoCtrl ctrl(nullptr, rect != nullptr ? &place : nullptr, default_address, mail, print,
                        save, rich_text_file, short_text, lines, caption);
    const bool ok = ctrl.Execute();
    if (rect != nullptr) *rect = place;
    if (!ok) return false;
    if (lines != nullptr) *lines = ctrl.Lines;
    short_text = ctrl.ShortText.substr(0, capacity);
    return true;
  } catch (...) {
    return false;
  }
}

bool TToolsFkt::PrintDialog(const TPrintDialogValues& values) {
  try {
    output::TPrintSS& settings = common::Service<output::TPrintSS>::Get();
    settings.Reset(false);
    TToolsDruckDialogCtrl ctrl(nullptr, values);
    if (!ctrl.Execute()) return false;
    settings.SetFont(settings.FontName, settings.FontSize, settings.FontColor, settings.FontStyle);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace app
