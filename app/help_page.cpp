#include "app/help_page.h"

#include <cstdio>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/file_paths.h"
#include "platform/desktop.h"
#include "platform/text_codec.h"

namespace app {
namespace {

// Letters, digits and "-._~/" stand as they are in a file address; every other byte of the UTF-8
// path becomes "%XX".
std::string PercentEncoded(const std::string& utf8) {
  std::string out;
  for (const unsigned char c : utf8) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      out.push_back(static_cast<char>(c));
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace

std::string HelpPageLink(const std::string& folder, std::intptr_t context) {
  const std::string path = platform::Cp1252ToUtf8(common::AddBackslash(folder) + kHelpPage);
  return "file://" + PercentEncoded(path) + "#kontext" + std::to_string(context);
}

bool ShowHelpPage(std::intptr_t context) {
  const std::string folder = common::CurrentFolder();
  if (!common::FileExists(common::AddBackslash(folder) + kHelpPage)) return false;
  return platform::CurrentShell().Open(HelpPageLink(folder, context)) == platform::kErrorSuccess;
}

}  // namespace app
