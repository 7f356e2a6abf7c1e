#include "storage/isam/section_chain.h"

#include <cstring>

#include "common/le_int.h"

namespace storage {
namespace {

// Zeros the section, then writes its trailer.
void ClearWithTrailer(std::uint8_t* section, std::int32_t record_length, std::int32_t count,
                      RecRef next) {
  std::memset(section, 0, static_cast<std::size_t>(record_length));
  common::WriteLeUInt16(section + record_length - 6, static_cast<std::uint16_t>(count));
  common::WriteLeInt32(section + record_length - 4, next);
}

}  // namespace

bool IsRecordHead(const std::uint8_t* slot) {
  return slot[0] == 0 && slot[1] == 0 && slot[2] == 0 && slot[3] == 0;
}

std::int32_t SectionBytes(const std::uint8_t* section, std::int32_t record_length) {
  return common::ReadLeUInt16(section + record_length - 6);
}

RecRef SectionNext(const std::uint8_t* section, std::int32_t record_length) {
  return common::ReadLeInt32(section + record_length - 4);
}

void LayHeadSection(std::uint8_t* section, std::int32_t record_length, const std::uint8_t* bytes,
                    std::int32_t count, RecRef next) {
  ClearWithTrailer(section, record_length, count, next);
  if (count > 0) std::memcpy(section, bytes, static_cast<std::size_t>(count));
}

void LayContinuationSection(std::uint8_t* section, std::int32_t record_length,
                            const std::uint8_t* bytes, std::int32_t count, RecRef next) {
  ClearWithTrailer(section, record_length, count, next);
  section[0] = kSectionMarker;
  if (count > 0) std::memcpy(section + 1, bytes, static_cast<std::size_t>(count));
}

}  // namespace storage
