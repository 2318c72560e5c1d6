// Placeholder until the stand-in's back ends land: every call fails.
#include "media/clk_api.h"

std::int32_t CLK_CALL ClkOpen(std::uint8_t, std::int32_t* error) {
  if (error != nullptr) *error = 1;
  return CLK_ERROR;
}
std::int32_t CLK_CALL ClkClose(std::int32_t) { return -1; }
std::int32_t CLK_CALL ClkSendMessage(std::int32_t, const ClkMessageHeader*, const void*, std::int32_t) { return -1; }
std::int32_t CLK_CALL ClkReceiveMessage(std::int32_t, ClkMessageHeader*, void*, std::int32_t, std::int32_t) { return -1; }
std::int32_t CLK_CALL ClkLastError(std::int32_t) { return 1; }
