#pragma once
// The last-error codes of our CLK_LIB stand-in: one table, code, name, text.

#include <array>
#include <cstdint>
#include <string_view>

namespace clk {

struct ClkErrorCode {
  std::int32_t code;
  std::string_view name;
  std::string_view text;
};

namespace error {
inline constexpr std::int32_t none = 0;
inline constexpr std::int32_t timeout = 1;
inline constexpr std::int32_t badHandle = 2;
inline constexpr std::int32_t noRoute = 3;
inline constexpr std::int32_t bufferTooSmall = 4;
inline constexpr std::int32_t sendFailed = 5;
inline constexpr std::int32_t boardMissing = 6;
inline constexpr std::int32_t badConfiguration = 7;
}  // namespace error

inline constexpr std::array<ClkErrorCode, 8> clkErrorCodes{{
    {error::none, "none", "no error"},
    {error::timeout, "timeout", "no message arrived within the timeout"},
    {error::badHandle, "bad_handle", "the handle is unknown or closed"},
    {error::noRoute, "no_route", "no back end serves the destination address"},
    {error::bufferTooSmall, "buffer_too_small", "the message was longer than the buffer and was cut"},
    {error::sendFailed, "send_failed", "the message could not be sent"},
    {error::boardMissing, "board_missing", "no board (back end) for the unit could be opened"},
    {error::badConfiguration, "bad_configuration", "clk_lib.conf could not be parsed"},
}};

}  // namespace clk
