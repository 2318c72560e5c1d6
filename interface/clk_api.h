#pragma once
// The link library's entry points, as the media library calls them and as our
// stand-in (clk/) provides them. Written from what the callers rely on; on
// Windows they are bound by ordinal: 1 ClkOpen, 2 ClkClose, 3 ClkSendMessage,
// 4 ClkReceiveMessage, 12 ClkLastError.

#include <bit>
#include <cstddef>
#include <cstdint>

#include "platform/export.h"

#if defined(CLK_LIB_BUILDING)
#define CLK_API PLATFORM_EXPORT_DEF
#else
#define CLK_API
#endif

// Result of ClkOpen and ClkClose on failure, and the media library's "no session" handle.
inline constexpr std::int32_t CLK_ERROR = -1;

// The record that travels with every message: flags, the peer's network, node
// and unit, and the message kind (1: a FINS message), least significant byte first.
struct ClkMessageHeader {
  std::uint8_t flags;
  std::uint8_t network;
  std::uint8_t node;
  std::uint8_t unit;
  std::int32_t kind;
};
static_assert(sizeof(ClkMessageHeader) == 8, "ClkMessageHeader is eight bytes");
static_assert(offsetof(ClkMessageHeader, flags) == 0 && offsetof(ClkMessageHeader, network) == 1 &&
                  offsetof(ClkMessageHeader, node) == 2 && offsetof(ClkMessageHeader, unit) == 3 &&
                  offsetof(ClkMessageHeader, kind) == 4,
              "ClkMessageHeader layout");
static_assert(std::endian::native == std::endian::little, "kind is read in the platform's (little-endian) order");

inline constexpr std::uint8_t clkSendFlags = 0x80;
inline constexpr std::int32_t clkKindFins = 1;

extern "C" {

// A session handle for the board of the given unit, or CLK_ERROR with *error set.
CLK_API std::int32_t CLK_CALL ClkOpen(std::uint8_t unit, std::int32_t* error);
// -1 on failure, anything else is success.
CLK_API std::int32_t CLK_CALL ClkClose(std::int32_t handle);
// 0 sent, -1 failed (ClkLastError tells why), anything else a failure without details.
CLK_API std::int32_t CLK_CALL ClkSendMessage(std::int32_t handle, const ClkMessageHeader* header, const void* data,
                                             std::int32_t length);
// Bytes placed into buffer (at most length; a longer message reports its real
// length), or -1. Waits at most timeout milliseconds.
CLK_API std::int32_t CLK_CALL ClkReceiveMessage(std::int32_t handle, ClkMessageHeader* header, void* buffer,
                                                std::int32_t length, std::int32_t timeout);
// The error code of the last failed call on handle.
CLK_API std::int32_t CLK_CALL ClkLastError(std::int32_t handle);

}  // extern "C"
