#include "platform/qt/font_table.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <array>

#include "common/string_helpers.h"
#include "platform/qt/impl/convert.h"

namespace platform::qt {
namespace {

constexpr std::string_view kSans = "Liberation Sans";

struct Twin {
  std::string_view windows;
  std::string_view host;
};

constexpr std::array<Twin, 3> kTwins{{
    {"Courier New", "Liberation Mono"},
    {"Arial", kSans},
    {"MS Sans Serif", kSans},
}};

}  // namespace

std::string HostFontFamily(std::string_view name) {
  const std::string key = common::UpperCase(common::Trim(name));
  for (const Twin& twin : kTwins) {
    if (key == common::UpperCase(twin.windows)) return std::string(twin.host);
  }
  if (!key.empty() && QFontDatabase::hasFamily(impl::ToQString(name))) return std::string(name);
  return std::string(kSans);
}

std::string SystemFontName(std::string_view family) {
  for (const Twin& twin : kTwins) {
    if (family == twin.host) return std::string(twin.windows);
  }
  return std::string(family);
}

}  // namespace platform::qt

namespace platform::qt {

std::string DrawnFontFamily(std::string_view name) {
  return impl::FromQString(QFontInfo(QFont(impl::ToQString(HostFontFamily(name)))).family());
}

}  // namespace platform::qt
