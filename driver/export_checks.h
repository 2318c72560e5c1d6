#pragma once
// Checks every driver export makes of the host's arguments before using them;
// each writes its error line when the check fails.

#include <cstdint>

#include "driver/area_table.h"
#include "log/log_stream.h"
#include "log/logger.h"

namespace tarvik {

// False, with an error line, when any of the host's pointers is null.
template <class... Pointers>
bool argumentsPresent(diag::Logger& log, const Pointers*... pointers) {
  if (((pointers != nullptr) && ...)) return true;
  log.level(diag::error) << "null argument" << diag::lineEnd;
  return false;
}

// The area table row of an item's area index; nullptr, with an error line, for
// an index the table does not hold.
inline const AreaRow* areaOrError(diag::Logger& log, std::uint8_t areaIndex) {
  const AreaRow* row = findArea(areaIndex);
  if (row == nullptr) {
    log.level(diag::error) << "area index " << std::int32_t{areaIndex} << " is outside the area table" << diag::lineEnd;
  }
  return row;
}

}  // namespace tarvik
