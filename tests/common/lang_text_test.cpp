#include "common/lang_text.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(LangText, GermanOnlyWhileTheLanguageByteIsOne) {
  ASSERT_EQ(LanguageByte(), kLanguageGerman);  // the start value
  EXPECT_EQ(LangText("Datei", "file"), "Datei");
  for (const std::uint8_t other : {0, 2, 255}) {
    SetLanguageByte(other);
    EXPECT_EQ(LangText("Datei", "file"), "file") << int(other);
  }
  SetLanguageByte(kLanguageGerman);
  EXPECT_EQ(LangText("", "file"), "");  // no fallback to the other language
}

}  // namespace
}  // namespace common
