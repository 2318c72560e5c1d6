#include "media/addr_table.h"

namespace quellon {
namespace {

constexpr std::uint32_t maxNumber = 255;

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool isBlank(char c) noexcept { return c == ' ' || c == '\t'; }

// Reads the digits at pos up to (not including) the first character that is
// not a digit; fails on no digit or a value above 255.
bool readNumber(std::string_view line, std::size_t& pos, std::uint8_t& out) noexcept {
  const std::size_t start = pos;
  std::uint32_t value = 0;
  while (pos < line.size() && isDigit(line[pos])) {
    value = value * 10 + static_cast<std::uint32_t>(line[pos] - '0');
    if (value > maxNumber) return false;  // leading zeros do not raise it, so stopping early is safe
    ++pos;
  }
  if (pos == start) return false;
  out = static_cast<std::uint8_t>(value);
  return true;
}

}  // namespace

std::optional<AddrTableEntry> parseAddrTableLine(std::string_view line) noexcept {
  std::size_t pos = 0;
  while (pos < line.size() && isBlank(line[pos])) ++pos;
  AddrTableEntry entry{};
  if (!readNumber(line, pos, entry.unitId)) return std::nullopt;
  if (pos >= line.size() || !isBlank(line[pos])) return std::nullopt;
  ++pos;
  while (pos < line.size() && !isDigit(line[pos])) ++pos;  // the gap: anything but digits
  if (!readNumber(line, pos, entry.address.network)) return std::nullopt;
  if (pos >= line.size() || line[pos] != '.') return std::nullopt;
  ++pos;
  if (!readNumber(line, pos, entry.address.node)) return std::nullopt;
  if (pos >= line.size() || line[pos] != '.') return std::nullopt;
  ++pos;
  if (!readNumber(line, pos, entry.address.unit)) return std::nullopt;
  if (pos != line.size()) return std::nullopt;
  return entry;
}

}  // namespace quellon
