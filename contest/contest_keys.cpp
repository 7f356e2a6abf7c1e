#include "contest/contest_keys.h"

#include "common/key_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"

namespace contest {

std::string PaddedKeyPart(std::string_view text, int width) {
  return common::SetLen(text, width, true);
}

std::string NumberKey(std::int32_t number) { return common::KeyIntToStr(number, true); }

std::string DescendingNumberKey(std::int32_t number) {
  // Computed in 64 bits: a damaged record's number must give some key, not an overflow.
  const std::int64_t descending = std::int64_t{common::kDescendingKeyBase} - number;
  return NumberKey(static_cast<std::int32_t>(descending));
}

std::string NormalizedCall(std::string_view call) {
  return PaddedKeyPart(common::Service<logbook::ToPrefix>::Get().GetPrefix(call), kCallKeyWidth);
}

std::string ModeClassKey(std::string_view mode) {
  return std::string(1, common::Service<logbook::ToModi>::Get().ModeClass(mode));
}

std::string DokKeyText(std::string_view dok1, std::string_view dok2) {
  return PaddedKeyPart(std::string(dok1) + std::string(dok2), kDokKeyWidth);
}

char SdCharacter(char district, char sdok) {
  return district == 0 && sdok != 0 && sdok != ' ' ? sdok : district;
}

}  // namespace contest
