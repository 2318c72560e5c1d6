#pragma once
// Loading "omron_clk_addr_tab" from beside the host's executable into the table.

#include <istream>
#include <string>

#include "log/logger.h"
#include "media/addr_table.h"

namespace quellon {

inline constexpr const char* addrTableFileName = "omron_clk_addr_tab";

// Adds the entry lines of in to table (first entry of a UnitID wins); a last
// line without a line feed is not used.
void readAddrTable(std::istream& in, AddrTable& table);

// Finds and reads the file, logs the listing; false (with its error line) when
// the file cannot be opened.
bool loadAddrTable(diag::Logger& log, AddrTable& table);

}  // namespace quellon
