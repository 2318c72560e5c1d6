#include "media/media_state.h"

#include "log/library_logger.h"
#include "interface/clk_api.h"
#include "platform/library_entry.h"

namespace quellon {
namespace {

constexpr const char* logFileName = "quellon.log";

// Constant-initialised, so the library entry may run before any dynamic initialiser.
diag::Logger* g_log = nullptr;
AddrTable* g_table = nullptr;
std::int32_t g_handle = CLK_ERROR;

}  // namespace

diag::Logger& mediaLog() noexcept { return diag::loggerOrSilent(g_log); }

void attachMedia() noexcept {
  g_handle = CLK_ERROR;
  g_log = diag::createLibraryLogger(logFileName);
}

// An open session is not closed here: the host closes it with StopMedia.
void detachMedia() noexcept {
  delete g_log;
  g_log = nullptr;
  delete g_table;
  g_table = nullptr;
}

std::int32_t& clkHandle() noexcept { return g_handle; }

AddrTable& addrTable() {
  if (g_table == nullptr) g_table = new AddrTable();
  return *g_table;
}

}  // namespace quellon

PLATFORM_LIBRARY_ENTRY(quellon::attachMedia, quellon::detachMedia)
