#pragma once
// The diagnostic channel of our CLK_LIB stand-in: which back end serves the
// values, what the link library saw of the latest send and receive, and the
// bridge's counters. A host looks the export up by name in the link library
// that the media library loaded; the vendor's library has no such export, and
// the host then says only what the media library's results tell.
//
// The channel never carries values: a host uses it to explain a flag, never to
// turn a failed exchange into a good one.

#include <cstddef>
#include <cstdint>

#include "interface/clk_api.h"

inline constexpr std::size_t clkBackendTextSize = 160;
inline constexpr std::size_t clkMessageHeadSize = 4;  // command code and end code of a FINS response

struct ClkDiagnostics {
  // In: the caller's sizeof(ClkDiagnostics). Out: the bytes the library filled.
  std::uint32_t size;
  // Which back end serves the values, NUL-terminated, for example
  // "embedded simulator, no clk_lib.conf beside clkhost" or "FINS/UDP bridge to 127.0.0.1:9600".
  char backend[clkBackendTextSize];

  // Counts every ClkSendMessage / ClkReceiveMessage call of the process, so
  // that a caller can tell whether the records below belong to its own call.
  std::uint32_t sendCalls;
  std::uint32_t receiveCalls;

  // The latest ClkSendMessage: its result and, when it failed, its error code.
  std::int32_t sendResult;
  std::int32_t sendError;

  // The latest ClkReceiveMessage: its result, its error code when it failed
  // (timeout, buffer too small...), how long it waited, and the message it
  // handed over: its whole length (-1 when none) and its first bytes.
  std::int32_t receiveResult;
  std::int32_t receiveError;
  std::int32_t receiveWaitedMs;
  std::int32_t messageLength;
  std::uint8_t messageHead[clkMessageHeadSize];
  std::uint32_t messageHeadLength;

  // Counters of the FINS/UDP and FINS/TCP bridge since ClkOpen (0 for the simulator).
  std::uint32_t sent;
  std::uint32_t answered;
  std::uint32_t timedOut;
  std::uint32_t retransmitted;
  std::uint32_t straysDropped;
  std::uint32_t lateDropped;
  std::uint32_t reconnects;
};
// The layout a 32-bit and a 64-bit host alike rely on: 4-byte fields only.
static_assert(sizeof(ClkDiagnostics) == 4 + clkBackendTextSize + 4 * 8 + 4 + 4 + 4 * 7, "ClkDiagnostics layout");
static_assert(offsetof(ClkDiagnostics, backend) == 4 && offsetof(ClkDiagnostics, sendCalls) == 164 &&
                  offsetof(ClkDiagnostics, messageHead) == 196 && offsetof(ClkDiagnostics, sent) == 204 &&
                  offsetof(ClkDiagnostics, reconnects) == 228,
              "ClkDiagnostics field offsets");

extern "C" {

// Fills *out (up to out->size bytes) with the state of the latest session; 0,
// or -1 when out is null or out->size is too small for the size field.
CLK_API std::int32_t CLK_CALL ClkReadDiagnostics(ClkDiagnostics* out);

}  // extern "C"

using ClkReadDiagnosticsFn = decltype(&ClkReadDiagnostics);

inline constexpr const char* clkLibBaseName = "clk_lib";
inline constexpr const char* clkDiagnosticsExportName = "ClkReadDiagnostics";
