#include "logbook/databases/qso_record.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace logbook {
namespace {

constexpr double kTwo39 = 549755813888.0;  // 2^39

constexpr auto kQso293Fields = std::to_array<Qso293Field>({
    {1, 4, Qso293Type::kText, 14},    {46, 19, Qso293Type::kText, 6},
    {15, 26, Qso293Type::kText, 6},   {50, 33, Qso293Type::kText, 6},
    {2, 40, Qso293Type::kDay, 0},     {3, 44, Qso293Type::kTime, 0},
    {11, 48, Qso293Type::kTime, 0},   {4, 52, Qso293Type::kReal, 0},
    {12, 58, Qso293Type::kReal, 0},   {27, 64, Qso293Type::kText, 6},
    {5, 71, Qso293Type::kText, 6},    {6, 78, Qso293Type::kText, 10},
    {7, 89, Qso293Type::kText, 10},   {8, 100, Qso293Type::kText, 20},
    {21, 121, Qso293Type::kText, 20}, {10, 142, Qso293Type::kText, 25},
    {23, 168, Qso293Type::kChar, 0},  {22, 169, Qso293Type::kChar, 0},
    {19, 170, Qso293Type::kText, 10}, {20, 181, Qso293Type::kText, 6},
    {28, 188, Qso293Type::kText, 7},  {24, 196, Qso293Type::kText, 6},
    {29, 203, Qso293Type::kText, 2},  {30, 206, Qso293Type::kText, 2},
    {31, 209, Qso293Type::kText, 2},  {14, 212, Qso293Type::kText, 10},
    {16, 223, Qso293Type::kText, 15}, {17, 239, Qso293Type::kText, 15},
    {26, 255, Qso293Type::kText, 2},  {53, 258, Qso293Type::kText, 6},
    {32, 265, Qso293Type::kText, 6},  {51, 272, Qso293Type::kChar, 0},
    {13, 273, Qso293Type::kText, 6},  {52, 280, Qso293Type::kChar, 0},
    {18, 281, Qso293Type::kText, 8},
});

static_assert(offsetof(TQSO293Rec, date) == 40);
static_assert(offsetof(TQSO293Rec, freq) == 52);
static_assert(offsetof(TQSO293Rec, qsl_sent) == 168);
static_assert(offsetof(TQSO293Rec, rst_wkd) == 188);
static_assert(offsetof(TQSO293Rec, selected) == 272);
static_assert(offsetof(TQSO293Rec, dok) == 281);
static_assert(offsetof(TQSLViaRec, date) == 19);
static_assert(offsetof(TQSLViaRec, route) == 27);
static_assert(offsetof(TLogNoteRec, call) == 8);
static_assert(offsetof(TLogNoteRec, time) == 27);

std::uint8_t* Bytes(TQSO293Rec& r) { return reinterpret_cast<std::uint8_t*>(&r); }
const std::uint8_t* Bytes(const TQSO293Rec& r) { return reinterpret_cast<const std::uint8_t*>(&r); }

// Layouts 1 and 3: where field n starts, counted in characters from the first field.
int WidthsBefore(const TProjectBlock& block, int n) {
  int sum = 0;
  for (int k = 1; k < n; ++k) sum += block.fields[k - 1].width;
  return sum;
}

std::optional<QsoFieldSpan> FixedWidth(const TProjectBlock& block, int n) {
  if (n < 1 || n > kFieldListEntries) return std::nullopt;
  const int start = 24 + WidthsBefore(block, n);
  if (start >= static_cast<int>(sizeof(TQSORec))) return std::nullopt;
  const int end = std::min<int>(start + block.fields[n - 1].width, sizeof(TQSORec));
  return QsoFieldSpan{start, end - start};
}

std::optional<QsoFieldSpan> ShortStringSlice(const TQSORec& r, const TProjectBlock& block, int n) {
  if (n < 1 || n > kFieldListEntries) return std::nullopt;
  const int length = r.data[0];
  const int first = 1 + WidthsBefore(block, n);  // character position in the short string
  if (first > length) return std::nullopt;
  const int count = std::min<int>(block.fields[n - 1].width, length - first + 1);
  return QsoFieldSpan{23 + first, count};
}

std::optional<QsoFieldSpan> Chain(const TQSORec& r, int n) {
  if (n < 1) return std::nullopt;
  const int end = QsoUsedLength(r);  // data positions 1..end are in use
  int p = 1;                         // the length byte of the current field
  for (int field = 1;; ++field) {
    if (p > end) return std::nullopt;
    const int length = r.data[p - 1];
    if (p + length > end) return std::nullopt;
    if (field == n) return QsoFieldSpan{23 + p, length};
    p += 1 + length;
  }
}

std::optional<QsoFieldSpan> Tagged(const TQSORec& r, int kind) {
  const int end = QsoUsedLength(r);
  for (int p = 1; p <= end;) {
    const int length = r.data[p - 1];
    if (length == 0) return std::nullopt;  // the end of the chain
    if (length < 2 || p + length - 1 > end) return std::nullopt;
    if (r.data[p] == kind) return QsoFieldSpan{22 + p + 2, length - 2};
    p += length;
  }
  return std::nullopt;
}

}  // namespace

double Real48::get() const {
  if (bytes[0] == 0) return 0.0;
  std::uint64_t f = bytes[5] & 0x7Fu;
  for (int i = 4; i >= 1; --i) f = f << 8 | bytes[i];
  const double magnitude = std::ldexp(1.0 + static_cast<double>(f) / kTwo39, bytes[0] - 129);
  return (bytes[5] & 0x80u) != 0 ? -magnitude : magnitude;
}

bool Real48::set(double value) {
  if (!std::isfinite(value)) return false;
  std::uint8_t out[6] = {};
  if (value != 0.0) {
    int exponent = 0;
    const double mantissa = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
    int e = exponent + 128;
    auto f = static_cast<std::uint64_t>(std::llround((2.0 * mantissa - 1.0) * kTwo39));
    if (f == static_cast<std::uint64_t>(kTwo39)) f = 0, ++e;  // rounded up to the next power
    if (e > 255) return false;
    if (e >= 1) {
      out[0] = static_cast<std::uint8_t>(e);
      for (int i = 1; i <= 5; ++i, f >>= 8) out[i] = static_cast<std::uint8_t>(f & 0xFF);
      if (value < 0) out[5] |= 0x80;
    }
  }
  std::memcpy(bytes, out, sizeof bytes);
  return true;
}

const Qso293Field* Qso293FieldOf(int number) {
  for (const Qso293Field& f : kQso293Fields) {
    if (f.number == number) return &f;
  }
  return nullptr;
}

std::string Qso293Text(const TQSO293Rec& record, const Qso293Field& field) {
  const std::uint8_t* at = Bytes(record) + field.offset;
  if (field.type == Qso293Type::kChar) return at[0] == 0 ? "" : std::string(1, char(at[0]));
  if (field.type != Qso293Type::kText) return {};
  const int length = std::min<int>(at[0], field.capacity);
  return std::string(reinterpret_cast<const char*>(at + 1), static_cast<std::size_t>(length));
}

void SetQso293Text(TQSO293Rec& record, const Qso293Field& field, std::string_view value) {
  std::uint8_t* at = Bytes(record) + field.offset;
  if (field.type == Qso293Type::kChar) {
    at[0] = value.empty() ? 0 : static_cast<std::uint8_t>(value[0]);
  } else if (field.type == Qso293Type::kText) {
    const std::size_t n = std::min<std::size_t>(value.size(), field.capacity);
    at[0] = static_cast<std::uint8_t>(n);
    std::memset(at + 1, 0, static_cast<std::size_t>(field.capacity));
    if (n > 0) std::memcpy(at + 1, value.data(), n);
  }
}

std::int32_t Qso293Number(const TQSO293Rec& record, const Qso293Field& field) {
  const bool number = field.type == Qso293Type::kDay || field.type == Qso293Type::kTime;
  return number ? common::ReadLeInt32(Bytes(record) + field.offset) : 0;
}

void SetQso293Number(TQSO293Rec& record, const Qso293Field& field, std::int32_t value) {
  if (field.type == Qso293Type::kDay || field.type == Qso293Type::kTime) {
    common::WriteLeInt32(Bytes(record) + field.offset, value);
  }
}

double Qso293Real(const TQSO293Rec& record, const Qso293Field& field) {
  if (field.type != Qso293Type::kReal) return 0.0;
  Real48 r;
  std::memcpy(r.bytes, Bytes(record) + field.offset, sizeof r.bytes);
  return r.get();
}

bool SetQso293Real(TQSO293Rec& record, const Qso293Field& field, double value) {
  if (field.type != Qso293Type::kReal) return false;
  Real48 r;
  if (!r.set(value)) return false;
  std::memcpy(Bytes(record) + field.offset, r.bytes, sizeof r.bytes);
  return true;
}

int QsoUsedLength(const TQSORec& record) {
  return static_cast<int>(std::min<std::uint32_t>(record.used, kQsoDataSize));
}

std::optional<QsoFieldSpan> LocateQsoField(const TQSORec& record, const TProjectBlock& block,
                                           int field) {
  switch (block.layout_kind) {
    case 1:
      return FixedWidth(block, field);
    case 3:
      return ShortStringSlice(record, block, field);
    case 6:
      return Chain(record, field);
    case 9:
      return Tagged(record, field);
    default:
      return std::nullopt;
  }
}

std::string QsoSpanText(const TQSORec& record, QsoFieldSpan span) {
  const auto* bytes = reinterpret_cast<const char*>(&record);
  return std::string(bytes + span.offset, static_cast<std::size_t>(span.length));
}

std::string SeparatedQsoText(const TQSORec& record, int layout_kind) {
  const auto* data = reinterpret_cast<const char*>(record.data);
  if (layout_kind == 2) return std::string(data + 1, record.data[0]);
  if (layout_kind != 7) return {};
  const std::uint32_t used = record.used;
  return used > 255 ? std::string() : std::string(data, used);
}

std::string SeparatedPiece(std::string_view text, char separator, int n) {
  if (n < 1) return {};
  std::size_t start = 0;
  for (int piece = 1; piece < n; ++piece) {
    const std::size_t next = text.find(separator, start);
    if (next == std::string_view::npos) return {};
    start = next + 1;
  }
  return std::string(text.substr(start, text.find(separator, start) - start));
}

}  // namespace logbook
