#pragma once
// The address table: which Controller Link address (network.node.unit) each
// UnitID's controller has, and the rules of one line of "omron_clk_addr_tab".

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

#include "log/log_stream.h"
#include "log/logger.h"

namespace quellon {

struct ClkAddress {
  std::uint8_t network;
  std::uint8_t node;
  std::uint8_t unit;
  friend bool operator==(const ClkAddress&, const ClkAddress&) = default;
};

struct AddrTableEntry {
  std::uint8_t unitId;
  ClkAddress address;
  friend bool operator==(const AddrTableEntry&, const AddrTableEntry&) = default;
};

// An entry line: blanks/tabs, UnitID digits, one blank or tab, any non-digit
// text, network "." node "." unit digits, and nothing after the unit. Each number
// at most 255. Anything else is no entry.
std::optional<AddrTableEntry> parseAddrTableLine(std::string_view line) noexcept;

// UnitID to address, ascending; the first entry of a UnitID is kept for good.
class AddrTable {
 public:
  // False when the UnitID has an entry already (which stays).
  bool insert(const AddrTableEntry& entry) { return entries_.emplace(entry.unitId, entry.address).second; }
  std::optional<ClkAddress> find(std::uint8_t unitId) const {
    const auto it = entries_.find(unitId);
    if (it == entries_.end()) return std::nullopt;
    return it->second;
  }
  const std::map<std::uint8_t, ClkAddress>& entries() const noexcept { return entries_; }

 private:
  std::map<std::uint8_t, ClkAddress> entries_;
};

// Appends the address text, e.g. 3.12.0, to the line under way.
inline diag::Logger& writeAddress(diag::Logger& log, const ClkAddress& a) {
  return log << std::int32_t{a.network} << '.' << std::int32_t{a.node} << '.' << std::int32_t{a.unit};
}

}  // namespace quellon
