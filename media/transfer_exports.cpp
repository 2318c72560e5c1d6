// WriteMedia and ReadMedia: one message each way through the link library.

#include "interface/quellon.h"
#include "log/hexdump.h"
#include "log/log_scope.h"
#include "log/log_stream.h"
#include "interface/clk_api.h"
#include "media/media_state.h"

using diag::lineEnd;

namespace {

constexpr std::int32_t receiveTimeout = 1000;

}  // namespace

int WriteMedia(platform::MediaId&, char* frame, int length, int& count) {
  using namespace quellon;
  return diag::runExport(mediaLog(), "WriteMedia", -1, [&](diag::Logger& log) -> int {
    if (frame == nullptr || length < 1) {
      log.level(diag::error) << "invalid frame length " << std::int32_t{length} << lineEnd;
      return -1;
    }
    const auto unitId = static_cast<std::uint8_t>(frame[0]);
    const auto address = addrTable().find(unitId);
    if (!address) {
      log.level(diag::error) << "no addr table entry for UnitID=" << std::int32_t{unitId} << lineEnd;
      return -1;
    }
    const ClkMessageHeader header{clkSendFlags, address->network, address->node, address->unit, clkKindFins};
    writeAddress(log.level(diag::info) << "sending message to ", *address) << lineEnd;
    const std::int32_t bodyLength = length - 1;
    const std::int32_t handle = clkHandle();
    const std::int32_t sent = ClkSendMessage(handle, &header, frame + 1, bodyLength);
    if (sent == 0) {
      count = bodyLength;
      log.level(diag::info) << "message \"";
      diag::hexdump(log, frame + 1, static_cast<std::uint32_t>(bodyLength));
      log << "\" sent ok" << lineEnd;
      return 0;
    }
    if (sent == -1) {
      log.level(diag::error) << "message \"";
      diag::hexdump(log, frame + 1, static_cast<std::uint32_t>(bodyLength));
      log << "\" not sent due to error " << ClkLastError(handle) << lineEnd;
      count = 0;
    }
    return -1;
  });
}

int ReadMedia(platform::MediaId&, char* buffer, int length, int& count) {
  using namespace quellon;
  return diag::runExport(mediaLog(), "ReadMedia", -1, [&](diag::Logger& log) -> int {
    if (buffer == nullptr || length < 1) {
      log.level(diag::error) << "invalid buffer length " << std::int32_t{length} << lineEnd;
      count = 0;
      return -1;
    }
    const std::int32_t handle = clkHandle();
    ClkMessageHeader header{};
    for (;;) {
      header = ClkMessageHeader{};
      count = ClkReceiveMessage(handle, &header, buffer, length, receiveTimeout);
      if (count == -1 || header.kind == clkKindFins) break;
      // Messages of another kind are not for us: wait for the next one.
    }
    if (count != length) {
      log.level(diag::error) << "error " << ClkLastError(handle) << " occured" << lineEnd;
      count = 0;
      return -1;
    }
    log.level(diag::info) << "in_count=" << std::int32_t{length} << " actual_count=" << std::int32_t{count} << lineEnd;
    writeAddress(log.level(diag::info) << "from addr=", ClkAddress{header.network, header.node, header.unit}) << lineEnd;
    log.level(diag::info) << "message received: ";
    diag::hexdump(log, buffer, static_cast<std::uint32_t>(count));
    log << lineEnd;
    return 0;
  });
}
