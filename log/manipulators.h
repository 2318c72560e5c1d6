#pragma once
// The two manipulators of the log: lineEnd ends a line and flushes it to the
// file; setBase(n) picks the base of later integers (8, 10, 16; anything else
// clears the base, which prints decimal).

#include <cstdint>
#include <ostream>

#include "log/logger_interface.h"

namespace diag {

std::ostream& lineEnd(std::ostream& stream);

void applyBase(std::ios_base& state, std::int32_t base);

constexpr FormatManipulator setBase(std::int32_t base) noexcept { return FormatManipulator{&applyBase, base}; }

}  // namespace diag
