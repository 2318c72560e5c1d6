#pragma once
// The host's records as they lie in the host's memory. The driver reads and
// writes them byte by byte (little-endian words, IEEE single values), never by
// casting the host's memory, so the layout holds on any build machine.

#include <cstddef>
#include <cstdint>

// One item of the host: UnitID, area index, item offset (little-endian word),
// debug byte, number of values minus one. View c: bytes; view i: 16-bit words.
union ItemAddress {
  std::uint8_t c[6];
  std::uint16_t i[3];
};
static_assert(sizeof(ItemAddress) == 6, "ItemAddress is six bytes");
static_assert(offsetof(ItemAddress, c) == 0 && offsetof(ItemAddress, i) == 0, "both views start at byte 0");

// One value slot: V (value, 4 bytes), F (value form, status, unused, direction).
struct ItemValue {
  std::uint8_t V[4];
  std::uint8_t F[4];
};
static_assert(sizeof(ItemValue) == 8, "ItemValue is eight bytes, records follow without gaps");
static_assert(offsetof(ItemValue, V) == 0 && offsetof(ItemValue, F) == 4, "V then F");

namespace records {

inline constexpr std::size_t unitIdByte = 0;
inline constexpr std::size_t areaIndexByte = 1;
inline constexpr std::size_t offsetLowByte = 2;
inline constexpr std::size_t debugByte = 4;
inline constexpr std::size_t countByte = 5;

inline constexpr std::size_t valueFormFlag = 0;  // F[0]: 64 means hex form, required for a write
inline constexpr std::size_t statusFlag = 1;     // F[1]: 0 good, 2 erroneous reply
inline constexpr std::size_t directionFlag = 3;  // F[3]: 1 written (output), else read

inline constexpr std::uint8_t hexValueForm = 64;
inline constexpr std::uint8_t statusGood = 0;
inline constexpr std::uint8_t statusErroneous = 2;
inline constexpr std::uint8_t directionOutput = 1;

}  // namespace records
