// Random byte strings (NUL, 0xFF, up to 300 bytes) fed into every parser and formatter: under the
// sanitizers nothing may crash or read outside its buffers, and every result keeps its size.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
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

  std::size_t Pick(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(rng_);
  }
  // Mostly the characters the routines look at, so texts reach deep into their branches; lengths
  // favour the short texts of records but reach 300.
  std::string Text() {
    static const std::string kChars =
        std::string("0123456789.,:/ -+#@*$dmynwhsteDMYNWHSTEzZ") + '\0' + '\xFF' + '\xD8';
    std::string text(Pick(Pick(10) < 8 ? 17 : 301), ' ');
    for (char& c : text)
      c = Pick(4) == 0 ? static_cast<char>(Pick(256)) : kChars[Pick(kChars.size())];
    return text;
  }
  // Anything, or near the ranges the routines check: small numbers, day numbers, seconds.
  int Int() {
    const std::size_t bound[] = {600, kMaxDate + 10, kSecondsPerDay + 10};
    const std::size_t r = Pick(4);
    return r == 3 ? static_cast<int>(rng_())
                  : static_cast<int>(Pick(bound[r])) - (r == 0 ? 300 : 5);
  }
  // Any bit pattern (NaN, infinities, denormals) or a plain fraction.
  double Real() {
    if (Pick(2) == 0) return Int() / 8.0;
    return std::bit_cast<double>((std::uint64_t{rng_()} << 32) | rng_());
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

void ExpectDateOrNone(std::int32_t d) { ASSERT_TRUE(d == BadDate || (d >= 0 && d <= kMaxDate)); }
void ExpectTimeOrNone(std::int32_t t) {
  ASSERT_TRUE(t == kNoTime || (t >= 0 && t < kSecondsPerDay));
}

TEST(Robustness, DateParsersAndFormatters) {
  Random r(2);
  const char* date_masks[] = {"dd.mm.yyyy", "dd nnn yyyy", "w dd.mm.yy", "yyyymmdd"};
  const char* time_masks[] = {"hh:mm:ss", "hh:mm te", "hhmm"};
  for (int i = 0; i < kRounds; ++i) {
    const std::string text = r.Text(), mask = r.Text();
    ExpectDateOrNone(DateStringToDate(text, mask));
    ExpectTimeOrNone(TimeStringToTime(text, mask));
    const std::size_t mask_len = std::min(mask.size(), kMaxMaskLength);
    ASSERT_EQ(DateToDateString(r.Int(), mask, {}).size(), mask_len);
    ASSERT_EQ(TimeToTimeString(r.Int(), mask, {}).size(), mask_len);
    const std::string completed = CompleteDateText(text, r.Int());
    ASSERT_TRUE(text.size() >= 11 ? completed == text : completed.size() <= 11) << completed;
    (void)CompleteTimeText(text);
    ExpectDateOrNone(IncDate(r.Int(), r.Int(), r.Int(), r.Int()));
    ExpectDateOrNone(DMYToDate(r.Int(), r.Int(), r.Int()));
    ExpectDateOrNone(DateTimeToDate(r.Real()));
    ExpectTimeOrNone(HMSToTime(r.Int(), r.Int(), r.Int()));
    // Formatted texts with a few bytes changed get past the length check into the field reading.
    std::string date =
        DateToDateString(static_cast<int>(r.Pick(kMaxDate + 1)), date_masks[r.Pick(4)], {});
    std::string time =
        TimeToTimeString(static_cast<int>(r.Pick(kSecondsPerDay)), time_masks[r.Pick(3)], {});
    for (std::size_t k = r.Pick(3); k > 0; --k) {
      date[r.Pick(date.size())] = static_cast<char>(r.Pick(256));
      time[r.Pick(time.size())] = static_cast<char>(r.Pick(256));
    }
    for (const char* m : date_masks) ExpectDateOrNone(DateStringToDate(date, m));
    for (const char* m : time_masks) ExpectTimeOrNone(TimeStringToTime(time, m));
    (void)CompleteDateText(date.substr(0, r.Pick(11)), r.Int());
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
