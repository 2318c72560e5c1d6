#pragma once
// The media library's process-wide state: its Logger, the CLK handle and the
// address table.

#include <cstdint>

#include "log/logger.h"
#include "media/addr_table.h"

namespace quellon {

diag::Logger& mediaLog() noexcept;
void attachMedia() noexcept;
void detachMedia() noexcept;

// CLK_ERROR while no session is open.
std::int32_t& clkHandle() noexcept;
AddrTable& addrTable();

}  // namespace quellon
