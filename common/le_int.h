// Little-endian integer and floating fields of alignment 1, for byte-exact records.
//
// A record is a struct of byte arrays; these fields read and write their value through memcpy-free
// byte arithmetic, so a record can be copied from and to a file buffer as it stands, whatever the
// host's alignment.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace common {

template <typename T>
class LeField {
  static_assert(std::is_integral_v<T>, "LeField holds integers");

 public:
  LeField() = default;
  LeField(T value) { set(value); }  // NOLINT: a field is assigned like the number it holds

  T get() const {
    using U = std::make_unsigned_t<T>;
    U v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      v |= static_cast<U>(static_cast<U>(bytes_[i]) << (8 * i));
    return static_cast<T>(v);
  }
  void set(T value) {
    using U = std::make_unsigned_t<T>;
    const U v = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) bytes_[i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  operator T() const { return get(); }  // NOLINT
  LeField& operator=(T value) {
    set(value);
    return *this;
  }

 private:
  std::uint8_t bytes_[sizeof(T)] = {};
};

using LeInt16 = LeField<std::int16_t>;
using LeUInt16 = LeField<std::uint16_t>;
using LeInt32 = LeField<std::int32_t>;
using LeUInt32 = LeField<std::uint32_t>;
using LeInt64 = LeField<std::int64_t>;

// An IEEE 754 double stored little-endian (the records' 8-byte reals).
class LeDouble {
 public:
  LeDouble() = default;
  LeDouble(double value) { set(value); }  // NOLINT
  double get() const { return std::bit_cast<double>(bits_.get()); }
  void set(double value) { bits_.set(std::bit_cast<std::int64_t>(value)); }
  operator double() const { return get(); }  // NOLINT
  LeDouble& operator=(double value) {
    set(value);
    return *this;
  }

 private:
  LeInt64 bits_;
};

// An IEEE 754 single stored little-endian (the records' 4-byte reals).
class LeSingle {
 public:
  LeSingle() = default;
  LeSingle(float value) { set(value); }  // NOLINT
  float get() const { return std::bit_cast<float>(bits_.get()); }
  void set(float value) { bits_.set(std::bit_cast<std::int32_t>(value)); }
  operator float() const { return get(); }  // NOLINT
  LeSingle& operator=(float value) {
    set(value);
    return *this;
  }

 private:
  LeInt32 bits_;
};

static_assert(sizeof(LeInt16) == 2 && alignof(LeInt16) == 1);
static_assert(sizeof(LeInt32) == 4 && alignof(LeInt32) == 1);
static_assert(sizeof(LeSingle) == 4 && alignof(LeSingle) == 1);
static_assert(sizeof(LeDouble) == 8 && alignof(LeDouble) == 1);

// Plain helpers for code that works on raw byte buffers (file headers, pages).
template <typename T>
T ReadLe(const void* p) {
  LeField<T> f;
  std::memcpy(&f, p, sizeof f);
  return f.get();
}
template <typename T>
void WriteLe(void* p, T value) {
  const LeField<T> f(value);
  std::memcpy(p, &f, sizeof f);
}
inline std::int32_t ReadLeInt32(const void* p) { return ReadLe<std::int32_t>(p); }
inline void WriteLeInt32(void* p, std::int32_t value) { WriteLe(p, value); }
inline std::uint16_t ReadLeUInt16(const void* p) { return ReadLe<std::uint16_t>(p); }
inline void WriteLeUInt16(void* p, std::uint16_t value) { WriteLe(p, value); }

}  // namespace common
