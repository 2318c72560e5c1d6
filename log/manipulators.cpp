#include "log/manipulators.h"

namespace diag {

std::ostream& lineEnd(std::ostream& stream) {
  stream.put('\n');
  // A stream that failed already stays failed; a failed flush fails it.
  if (!stream.fail()) stream.flush();
  return stream;
}

void applyBase(std::ios_base& state, std::int32_t base) {
  const std::ios_base::fmtflags field = base == 8    ? std::ios_base::oct
                                        : base == 10 ? std::ios_base::dec
                                        : base == 16 ? std::ios_base::hex
                                                     : std::ios_base::fmtflags(0);
  state.setf(field, std::ios_base::basefield);
}

}  // namespace diag
