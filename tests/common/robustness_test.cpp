// Random byte strings (NUL, 0xFF, up to 300 bytes, mask and number characters) fed into every
// parser and formatter: under the sanitizers nothing may crash or read outside its buffers, and
// every result keeps to its documented size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "common/adif_field.h"
#include "common/char_convert.h"
#include "common/date_completion.h"
#include "common/date_mask.h"
#include "common/dates.h"
#include "common/key_text.h"
#include "common/number_mask.h"
#include "common/number_text.h"
#include "common/record_text.h"
#include "common/string_helpers.h"

namespace common {
namespace {

class Random {
 public:
  explicit Random(unsigned seed) : rng_(seed) {}

  // Mostly the characters the routines look at, so random texts reach deep into their branches;
  // lengths favour the short texts of records but reach 300.
  std::string Text() {
    static const std::string kChars =
        std::string("0123456789.,:/ -+#@*$dmynwhsteDMYNWHSTEzZ") + '\0' + '\xFF' + '\xD8';
    std::string text(Pick(Pick(10) < 8 ? 17 : 301), ' ');
    for (char& c : text)
      c = Pick(4) == 0 ? static_cast<char>(Pick(256)) : kChars[Pick(kChars.size())];
    return text;
  }

  int Int() {
    switch (Pick(4)) {
      case 0:
        return static_cast<int>(rng_());
      case 1:
        return static_cast<int>(Pick(600)) - 300;
      case 2:
        return static_cast<int>(Pick(kMaxDate + 10)) - 5;
      default:
        return static_cast<int>(Pick(86410)) - 5;
    }
  }

  double Real() {
    if (Pick(2) == 0) return static_cast<double>(Int()) / 8.0;
    const std::uint64_t bits = (std::uint64_t{rng_()} << 32) | rng_();
    double d;  // any bit pattern: NaN, infinities, denormals
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  std::size_t Pick(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(rng_);
  }

 private:
  std::mt19937 rng_;
};

constexpr int kRounds = 6000;

TEST(Robustness, NumberParsersAndFormatters) {
  Random r(1);
  for (int i = 0; i < kRounds; ++i) {
    const std::string text = r.Text(), mask = r.Text();
    (void)StrToReal(text);
    (void)StrToIntNoComma(text);
    (void)IsNumberText(text, false);
    (void)FloatToStr(r.Real());
    const std::size_t mask_len = std::min<std::size_t>(mask.size(), 255);
    ASSERT_EQ(FormatRealMask(mask, r.Real()).size(), mask_len);
    ASSERT_EQ(FormatIntMask(mask, r.Int()).size(), mask_len);
    const int n = r.Int();
    if (n > 0) {
      ASSERT_EQ(IntToStrMask(r.Int(), n).size(), std::min(n, 255));
      ASSERT_EQ(IntToStrAt(r.Int(), n).size(), std::min(n, 255));
    }
    (void)FloatToStrMask(r.Real(), r.Int() % 300, r.Int(), '.');
  }
}

TEST(Robustness, DateParsersAndFormatters) {
  Random r(2);
  for (int i = 0; i < kRounds; ++i) {
    const std::string text = r.Text(), mask = r.Text();
    const std::int32_t date = DateStringToDate(text, mask);
    ASSERT_TRUE(date == BadDate || (date >= 0 && date <= kMaxDate));
    const std::int32_t time = TimeStringToTime(text, mask);
    ASSERT_TRUE(time == kNoTime || (time >= 0 && time < kSecondsPerDay));
    const std::size_t mask_len = std::min(mask.size(), kMaxMaskLength);
    ASSERT_EQ(DateToDateString(r.Int(), mask, {}).size(), mask_len);
    ASSERT_EQ(TimeToTimeString(r.Int(), mask, {}).size(), mask_len);
    const std::string completed = CompleteDateText(text, r.Int());
    ASSERT_TRUE(text.size() >= 11 ? completed == text : completed.size() <= 11) << completed;
    (void)CompleteTimeText(text);
    (void)IncDate(r.Int(), r.Int(), r.Int(), r.Int());
    (void)DMYToDate(r.Int(), r.Int(), r.Int());
    (void)DateTimeToDate(r.Real());
  }
}

// Formatted dates and times with a few bytes changed, so the parsers get past the length check
// into their field reading.
TEST(Robustness, NearlyValidDateAndTimeTexts) {
  Random r(4);
  const char* date_masks[] = {"dd.mm.yyyy", "dd nnn yyyy", "w dd.mm.yy", "yyyymmdd"};
  const char* time_masks[] = {"hh:mm:ss", "hh:mm te", "hhmm"};
  for (int i = 0; i < kRounds; ++i) {
    std::string date = DateToDateString(static_cast<std::int32_t>(r.Pick(kMaxDate + 1)),
                                        date_masks[r.Pick(4)], {});
    std::string time = TimeToTimeString(static_cast<std::int32_t>(r.Pick(kSecondsPerDay)),
                                        time_masks[r.Pick(3)], {});
    for (std::size_t k = r.Pick(3); k > 0; --k) {
      date[r.Pick(date.size())] = static_cast<char>(r.Pick(256));
      time[r.Pick(time.size())] = static_cast<char>(r.Pick(256));
    }
    for (const char* mask : date_masks) {
      const std::int32_t d = DateStringToDate(date, mask);
      ASSERT_TRUE(d == BadDate || (d >= 0 && d <= kMaxDate));
    }
    for (const char* mask : time_masks) {
      const std::int32_t t = TimeStringToTime(time, mask);
      ASSERT_TRUE(t == kNoTime || (t >= 0 && t < kSecondsPerDay));
    }
    (void)CompleteDateText(date.substr(0, r.Pick(11)), static_cast<std::int32_t>(r.Pick(kMaxDate)));
    (void)CompleteTimeText(time.substr(0, r.Pick(9)));
  }
}

TEST(Robustness, KeyAndTextRoutines) {
  Random r(3);
  for (int i = 0; i < kRounds; ++i) {
    const std::string a = r.Text(), b = r.Text();
    const int n = r.Int();
    (void)KeyToLongInt(a);
    ASSERT_EQ(NextKeyText(a, n).size(), static_cast<std::size_t>(std::clamp(n, 0, 255)));
    if (n > 0 && n <= 255) {
      ASSERT_EQ(SetLen(a, n, true).size(), static_cast<std::size_t>(n));
      ASSERT_EQ(CenterBlank(a, n).size(), std::max(a.size(), static_cast<std::size_t>(n)));
    }
    (void)Copy(a, n, r.Int());
    (void)Delete(a, n, r.Int());
    (void)Insert(b, a, n);
    const std::string_view bv(b);
    (void)StrBetween(a, bv.substr(0, 1), bv.substr(std::min<std::size_t>(1, bv.size()), 1));
    (void)ReplaceText(a, bv.substr(0, 2), b);
    (void)OemToAnsi(a);
    (void)AdifField(a, b, a);
    TKeyStr damaged;
    std::memcpy(&damaged, (a + std::string(204, '\xFF')).data(), sizeof damaged);
    ASSERT_LE(LenArrayToShort(damaged).size(), kLenArrayChars);
    (void)CompareLenArrays(ShortToLenArray(a), damaged);
  }
}

}  // namespace
}  // namespace common
