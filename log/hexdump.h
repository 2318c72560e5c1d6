#pragma once
// hexdump writes bytes as two lower-case hexadecimal digits each, one blank
// between bytes, into the line under way, through the gated operations of the
// log. It leaves the number base at 10.

#include <cstdint>

#include "log/logger.h"
#include "log/logger_interface.h"
#include "log/manipulators.h"

namespace diag {

template <class L>
void hexdump(L& log, const void* bytes, std::uint32_t length) {
  if (length == 0) return;
  if constexpr (std::is_same_v<L, Logger>) {
    // Every piece passes the same gate, which no piece changes.
    if (!log.gateOpen()) return;
  }
  const auto* p = static_cast<const std::uint8_t*>(bytes);
  log.apply(setBase(16));
  for (std::uint32_t k = 0; k < length; ++k) {
    log.write(static_cast<std::int32_t>(p[k] >> 4));
    log.write(static_cast<std::int32_t>(p[k] & 0x0F));
    if (k + 1 < length) log.write(' ');
  }
  log.apply(setBase(10));
}

}  // namespace diag
