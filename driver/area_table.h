#pragma once
// The memory areas an item may live in, indexed by the item's area index:
// FINS memory area code, base word address of the area, bytes per value.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarvik {

struct AreaRow {
  std::uint8_t areaCode;
  std::uint16_t base;
  std::uint8_t bytesPerValue;
};

inline constexpr std::array<AreaRow, 28> areaTable{{
    {0x80, 0x0000, 2}, {0x85, 0x0000, 2}, {0x80, 0x09FF, 2}, {0x80, 0x0A00, 2}, {0x85, 0x0A00, 2},
    {0x80, 0x0B00, 2}, {0x01, 0x0000, 1}, {0x81, 0x0000, 2}, {0x01, 0x0800, 1}, {0x81, 0x0800, 2},
    {0x82, 0x0000, 2}, {0x03, 0x0000, 1}, {0x04, 0x0000, 1}, {0x9C, 0x0000, 2}, {0x9C, 0x0003, 2},
    {0x80, 0x03E8, 2}, {0x80, 0x0428, 2}, {0x80, 0x048C, 2}, {0x90, 0xE000, 2}, {0x91, 0xE000, 2},
    {0x92, 0xE000, 2}, {0x93, 0xE000, 2}, {0x94, 0xE000, 2}, {0x95, 0xE000, 2}, {0x96, 0xE000, 2},
    {0x97, 0xE000, 2}, {0x98, 0xE000, 2}, {0x1B, 0xAC00, 1},
}};

// The row of an area index; nullptr for an index the table does not hold,
// which the host may send and which must never index past the table.
constexpr const AreaRow* findArea(std::uint8_t index) noexcept {
  return index < areaTable.size() ? &areaTable[index] : nullptr;
}

// Word address of an item: offset plus the area's base, in 16-bit arithmetic.
constexpr std::uint16_t wordAddress(const AreaRow& row, std::uint16_t offset) noexcept {
  return static_cast<std::uint16_t>(row.base + offset);
}

}  // namespace tarvik
