// Output masks and column formats, the example date pictures and the stored time forms.
#include <gtest/gtest.h>

#include <string>

#include "common/service.h"
#include "logbook/databases/qso_masks.h"
#include "logbook/reference/bands.h"

namespace logbook {
namespace {

// Names each row of a table by its `name`.
constexpr auto kRowName = [](const auto& info) { return std::string(info.param.name); };

class MaskTest : public ::testing::Test {
 protected:
  MaskTest() { common::Service<ToBaender>::Create(); }
  ~MaskTest() override { common::Service<ToBaender>::Destroy(); }
};

struct MaskRow {
  const char* name;
  const char* mask;
  const char* value;
  const char* output;  // GetQSOStr
  const char* column;  // ColumnFormatText
};

class Masks : public MaskTest, public ::testing::WithParamInterface<MaskRow> {};

TEST_P(Masks, OutputMaskAndColumnFormat) {
  const MaskRow& row = GetParam();
  EXPECT_EQ(GetQSOStr(row.value, row.mask), row.output);
  EXPECT_EQ(ColumnFormatText(row.value, row.mask), row.column);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Masks,
    ::testing::Values(
        MaskRow{"empty_trims", "", "  x  ", "x", "x"},
        MaskRow{"from_third", "-3", "ABCDEF", "CDEF", "CDEF"},
        MaskRow{"three_dash", "3-", "ABCDEF", "ABC", "AB"},
        MaskRow{"third_alone", "x-3-", "ABCDEF", "C", "C"},
        MaskRow{"two_dash_five", "2-5", "ABCDEFG", "AB", "ABCDE"},
        MaskRow{"dash_no_number", "-x", "ABCDEF", "AB", "AB"},
        MaskRow{"hhmm", "hhmm", "14:30", "1430", "1430"},
        MaskRow{"hhmmss", "hhmmss", "14:30:15", "143015", "14:30:"},
        MaskRow{"cut_to_mask", "XXXX", "ABCDEF", "ABCD", "ABCD"},
        MaskRow{"number", "99,9", "12.34", "12,3", "12,3"},
        MaskRow{"number_point", "9.999", "1,5", "1,500", "1,500"},
        MaskRow{"blanks_run_out", "XX XX", "ABC", "AB C", "AB C"},
        MaskRow{"band", "BAND", "14.074", "20 m", "20 m"},
        MaskRow{"no_band", "BAND", "5000", "???", "???"},
        MaskRow{"qrb_four_characters", "QRBJO62", "JO62QM", "", ""},
        MaskRow{"qrb_same_square", "QRBJO62QM", "JO62QM", "    0", "    0"}),
    kRowName);

// A date written under each example picture and read back, and a short form of the examples
// whose one-digit parts get a blank.
struct PictureRow {
  const char* name;
  const char* example;
  const char* stored;  // 05.03.2024 written under the picture
  const char* short_form;
};

class Pictures : public MaskTest, public ::testing::WithParamInterface<PictureRow> {};

TEST_P(Pictures, WrittenAndReadUnderTheExample) {
  const PictureRow& row = GetParam();
  TFieldListEntry field;
  field.type = 'd';
  field.width = 10;
  field.mask = row.example;
  EXPECT_EQ(StoredFieldText("05.03.2024", field), row.stored);
  EXPECT_EQ(StoredDateText(row.stored, field, ""), "05.03.2024");
  EXPECT_EQ(StoredDateText(row.stored, field, "yyyy-mm-dd"), "2024-03-05");
  if (*row.short_form != '\0') {
    EXPECT_EQ(StoredDateText(row.short_form, field, ""), "05.03.2024");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Pictures,
    ::testing::Values(PictureRow{"d_m_yy_dots", "1.2.99", "05.03.24", "5.3.24"},
                      PictureRow{"dd_mm_yy_dots", "01.02.99", "05.03.24", ""},
                      PictureRow{"dd_mm_yyyy_dots", "01.02.19", "05.03.2024", ""},
                      PictureRow{"d_m_yy", "1/2/99", "05/03/24", "5/3/24"},
                      PictureRow{"d_m_yyyy", "1/2/1999", "05/03/2024", "5/3/2024"},
                      PictureRow{"dd_mm_yy", "01/02/99", "05/03/24", ""},
                      PictureRow{"dd_mm_yyyy", "01/02/19", "05/03/2024", ""},
                      PictureRow{"yy_m_d", "99/2/1", "24/03/05", "24/3/5"},
                      PictureRow{"yyyy_m_d", "1999/2/1", "2024/03/05", "2024/3/5"},
                      PictureRow{"yy_mm_dd", "99/02/01", "24/03/05", ""},
                      PictureRow{"yyyy_mm_dd", "1999/02/", "2024/03/05", ""},
                      PictureRow{"mmddyy", "010299", "030524", ""},
                      PictureRow{"ddmmyy", "310199", "050324", ""},
                      PictureRow{"mmddyyyy", "01021999", "03052024", ""},
                      PictureRow{"ddmmyyyy", "31011999", "05032024", ""},
                      PictureRow{"yyyymmdd", "19990201", "20240305", ""},
                      PictureRow{"yymmdd", "990201", "240305", ""},
                      PictureRow{"own_picture", "yyyy.mm.dd", "2024.03.05", ""}),
    kRowName);

struct TimeRow {
  const char* name;
  char type;
  int width;
  const char* picture;
  const char* stored;
  const char* shown;
};

class StoredForms : public MaskTest, public ::testing::WithParamInterface<TimeRow> {};

TEST_P(StoredForms, ShownAsDateOrTime) {
  const TimeRow& row = GetParam();
  TFieldListEntry field;
  field.type = row.type;
  field.width = static_cast<std::uint8_t>(row.width);
  field.mask = row.picture;
  EXPECT_EQ(StoredFieldDisplay(row.stored, field, ""), row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredForms,
    ::testing::Values(TimeRow{"colon_form", 'T', 5, "01:23", "14:30", "14:30"},
                      TimeRow{"example_one_digit_hour", 't', 4, "1:23", "7:05", "07:05"},
                      TimeRow{"example_digits", 'T', 4, "0123", "1430", "14:30"},
                      TimeRow{"colon_put_in", 'T', 4, "hh:mm", "1430", "14:30"},
                      TimeRow{"zero_and_colon_put_in", 'T', 4, "hh:mm", "930", "09:30"},
                      TimeRow{"four_under_hhmmss", 'T', 6, "hhmmss", "1430", "14:30"},
                      TimeRow{"six_under_hhmm", 'T', 6, "hhmm", "143015", "14:30"},
                      TimeRow{"eight_under_hh_mm", 'T', 8, "hh:mm", "14:30:15", "14:30"},
                      TimeRow{"date_example_in_time", 'T', 8, "1.2.99", "5.3.24", "05.03.2024"},
                      TimeRow{"no_time", 'T', 5, "hh:mm", "xx", ""},
                      TimeRow{"date_short_field", 'D', 6, "", "240305", "05.03.2024"},
                      TimeRow{"date_bad_length", 'D', 8, "", "2024035", ""},
                      TimeRow{"plain_text", 'C', 8, "", "DL1ABC ", "DL1ABC "}),
    kRowName);

}  // namespace
}  // namespace logbook
