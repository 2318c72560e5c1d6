// OpenMedia, CloseMedia, StartMedia, StopMedia and the identifier marker.

#include "interface/quellon.h"
#include "log/log_scope.h"
#include "log/log_stream.h"
#include "media/addr_table_file.h"
#include "interface/clk_api.h"
#include "media/media_state.h"

using diag::lineEnd;

int OpenMedia(platform::MediaId& id) {
  return diag::runExport(quellon::mediaLog(), "OpenMedia", -1, [&](diag::Logger& log) -> int {
    id = quellon::mediaId;
    log.level(diag::info) << lineEnd;
    return 0;
  });
}

int CloseMedia(platform::MediaId&) {
  return diag::runExport(quellon::mediaLog(), "CloseMedia", -1, [](diag::Logger& log) -> int {
    log.level(diag::info) << lineEnd;
    return 0;
  });
}

int StartMedia(platform::MediaId&) {
  using namespace quellon;
  return diag::runExport(mediaLog(), "StartMedia", -1, [](diag::Logger& log) -> int {
    if (!loadAddrTable(log, addrTable())) return -1;
    const auto first = addrTable().find(0);
    if (!first) {
      log.level(diag::error) << "no entry for UnitID = 0" << lineEnd;
      return -1;
    }
    std::int32_t& handle = clkHandle();
    if (handle != CLK_ERROR) {
      // A second start must not leak the session it replaces.
      if (ClkClose(handle) == -1) {
        log.level(diag::error) << "ClkClose failed with error " << ClkLastError(handle) << lineEnd;
      }
      handle = CLK_ERROR;
    }
    std::int32_t error = 0;
    handle = ClkOpen(first->unit, &error);
    if (handle == CLK_ERROR) {
      log.level(diag::error) << "ClkOpen failed with error " << error << lineEnd;
      return -1;
    }
    return 0;
  });
}

int StopMedia(platform::MediaId&) {
  using namespace quellon;
  return diag::runExport(mediaLog(), "StopMedia", -1, [](diag::Logger& log) -> int {
    std::int32_t& handle = clkHandle();
    if (handle == CLK_ERROR) {
      log.level(diag::error) << "handle is CLK_ERROR, nothing to close" << lineEnd;
      return 0;
    }
    if (ClkClose(handle) == -1) {
      log.level(diag::error) << "ClkClose failed with error " << ClkLastError(handle) << lineEnd;
      return -1;
    }
    // A closed handle is never handed to the link library again.
    handle = CLK_ERROR;
    log.level(diag::info) << lineEnd;
    return 0;
  });
}

void media_guid16428EE8_9A10_4363_82D5_153286869221() {}
