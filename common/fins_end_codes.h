#pragma once
// The FINS end codes the simulated controllers answer with: one table, the
// code's main and sub byte, its name and its meaning.

#include <array>
#include <cstdint>
#include <string_view>

namespace fins {

struct FinsEndCode {
  std::uint16_t code;  // main byte high, sub byte low
  std::string_view name;
  std::string_view text;
};

inline constexpr std::array<FinsEndCode, 8> finsEndCodes{{
    {0x0000, "normal", "normal completion"},
    {0x0401, "unsupported_command", "the command is not supported"},
    {0x1001, "command_too_long", "the command is longer than it should be"},
    {0x1002, "command_too_short", "the command is shorter than its fixed part"},
    {0x1003, "data_count_mismatch", "the write data do not match the number of items"},
    {0x1101, "area_missing", "no such memory area"},
    {0x1103, "address_out_of_range", "beginning address outside the area, or a bit number other than 00"},
    {0x1104, "address_range_exceeded", "the items run past the end of the area"},
}};

namespace endcode {
inline constexpr std::uint16_t normal = 0x0000;
inline constexpr std::uint16_t unsupportedCommand = 0x0401;
inline constexpr std::uint16_t commandTooLong = 0x1001;
inline constexpr std::uint16_t commandTooShort = 0x1002;
inline constexpr std::uint16_t dataCountMismatch = 0x1003;
inline constexpr std::uint16_t areaMissing = 0x1101;
inline constexpr std::uint16_t addressOutOfRange = 0x1103;
inline constexpr std::uint16_t addressRangeExceeded = 0x1104;
}  // namespace endcode

}  // namespace fins
