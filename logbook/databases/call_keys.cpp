#include "logbook/databases/call_keys.h"

#include <array>
#include <cstring>

#include "common/string_helpers.h"
#include "logbook/databases/call_record.h"

namespace logbook {
namespace {

std::string To(std::string_view text, int n) { return common::SetLen(text, n, true); }

// Right-aligned in n characters; a longer text keeps its first n.
std::string RightAligned(std::string_view text, int n) {
  return To(common::PadLeftBlank(text, n), n);
}

TCallRec AsCallRec(const std::uint8_t* record) {
  TCallRec r;
  std::memcpy(&r, record, sizeof r);
  return r;
}

std::string CallTo(const TCallRec& r, int n) { return To(r.call.view(), n); }

bool IsDigits(std::string_view s) {
  if (s.empty() || s.size() > 2) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A key of the plain "tag to width" form: key number, tag, width.
struct TagKey {
  int key;
  std::uint8_t tag;
  int width;
};

constexpr std::array<TagKey, 16> kCallDataTagKeys = {{{2, 1, 5},
                                                      {3, 2, 5},
                                                      {4, 3, 10},
                                                      {5, 4, 1},
                                                      {7, 7, 3},
                                                      {8, 15, 10},
                                                      {9, 16, 10},
                                                      {10, 17, 10},
                                                      {11, 18, 10},
                                                      {12, 19, 10},
                                                      {13, 20, 10},
                                                      {14, 21, 10},
                                                      {16, 22, 10},
                                                      {17, 23, 10},
                                                      {18, 24, 10},
                                                      {19, 25, 10}}};

constexpr std::array<TagKey, 15> kCallBookTagKeys = {{{2, 1, 6},
                                                      {3, 2, 6},
                                                      {4, 3, 10},
                                                      {5, 4, 20},
                                                      {8, 8, 6},
                                                      {9, 9, 6},
                                                      {10, 10, 6},
                                                      {11, 11, 6},
                                                      {12, 12, 6},
                                                      {13, 13, 6},
                                                      {14, 14, 6},
                                                      {15, 32, 6},
                                                      {16, 33, 6},
                                                      {17, 34, 6},
                                                      {18, 35, 6}}};

template <std::size_t N>
bool TagKeyText(const std::array<TagKey, N>& keys, const TCallRec& r, int key,
                std::string& text) {
  for (const TagKey& k : keys) {
    if (k.key == key) {
      text = To(CallFieldGet(r, k.tag), k.width);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string BirthDateKey(std::string_view birth_date) {
  const std::string text = common::Trim(birth_date);
  if (text.empty() || text == "01.01.1600" || text == "2000") return To("", 4);
  const std::size_t first = text.find('.');
  const std::size_t second = first == std::string::npos ? first : text.find('.', first + 1);
  if (second != std::string::npos) {
    const std::string day = text.substr(0, first);
    const std::string month = text.substr(first + 1, second - first - 1);
    if (IsDigits(day) && IsDigits(month)) {
      return common::PadLeftChar(day, 2, '0') + common::PadLeftChar(month, 2, '0');
    }
  }
  const std::string cut = common::Trim(common::LeftStr(text, 6));
  return To(common::Copy(cut, 1, 2) + common::Copy(cut, 4, 2), 4);
}

void CallDataKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  const TCallRec r = AsCallRec(record);
  if (key == 1) {
    text = CallTo(r, 10);
  } else if (key == 6) {
    text = RightAligned(CallFieldGet(r, 6), 5);
  } else if (key == 15) {
    text = BirthDateKey(CallFieldGet(r, 11));
  } else {
    TagKeyText(kCallDataTagKeys, r, key, text);
  }
}

void CallBookKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  const TCallRec r = AsCallRec(record);
  if (key == 1) {
    text = CallTo(r, 10);
  } else if (key == 6) {
    text = RightAligned(CallFieldGet(r, 5), 4);
  } else if (key == 7) {
    text = To(CallFieldGet(r, 6), 8) + CallTo(r, 10);
  } else {
    TagKeyText(kCallBookTagKeys, r, key, text);
  }
}

void CallNoteKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  TCallNoteRec r;
  std::memcpy(&r, record, sizeof r);
  if (key == 1) text = To(r.call.view(), 10);
}

void CallListKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  TCallListRec r;
  std::memcpy(&r, record, sizeof r);
  if (key == 1) text = To(r.call.view(), 14);
}

storage::ToKeys CallDataKeyList() {
  storage::ToKeys k;
  k.Add(10, true, "Call");
  k.Add(5, true, "CD_DIG");
  k.Add(5, true, "CD_AGCW");
  k.Add(10, true, "CD_EXCALL");
  k.Add(1, true, "CD_Kennung");
  k.Add(5, true, "CD_MF");
  k.Add(3, true, "CD_DOK");
  for (int i = 1; i <= 6; ++i) k.Add(10, true, "CD_M" + std::to_string(i));
  k.Add(10, true, "CD_LDK");
  k.Add(4, true, "CD_GebDatum");
  for (int i = 7; i <= 10; ++i) k.Add(10, true, "CD_M" + std::to_string(i));
  return k;
}

storage::ToKeys CallBookKeyList() {
  storage::ToKeys k;
  k.Add(10, true, "cbCall");
  k.Add(6, true, "CB_DIG");
  k.Add(6, true, "CB_AGCW");
  k.Add(10, true, "CB_EXCALL");
  k.Add(20, true, "CB_NAME");
  k.Add(4, true, "CB_MF");
  k.Add(18, true, "CB_DOK,cbCall");
  for (int i = 1; i <= 6; ++i) k.Add(6, true, "CB_M" + std::to_string(i));
  k.Add(6, true, "CB_LDK");
  for (int i = 7; i <= 10; ++i) k.Add(6, true, "CB_M" + std::to_string(i));
  return k;
}

storage::ToKeys CallNoteKeyList() {
  storage::ToKeys k;
  k.Add(10, true, "cnCall");
  return k;
}

storage::ToKeys CallListKeyList() {
  storage::ToKeys k;
  k.Add(14, true, "Call");
  return k;
}

}  // namespace logbook
