#include "driver/driver_state.h"

#include <cstdint>
#include <new>

#include "log/library_logger.h"
#include "platform/library_entry.h"

namespace tarvik {
namespace {

constexpr const char* logFileName = "tarvik_clk.log";

// Constant-initialised, so the library entry may run before any dynamic initialiser.
diag::Logger* g_log = nullptr;
std::uint8_t g_firstPass = 1;

}  // namespace

diag::Logger& driverLog() noexcept { return diag::loggerOrSilent(g_log); }

void attachDriver() noexcept {
  g_firstPass = 1;
  g_log = diag::createLibraryLogger(logFileName);
}

void detachDriver() noexcept {
  delete g_log;
  g_log = nullptr;
}

bool firstPass() noexcept { return g_firstPass != 0; }
void setFirstPass(bool value) noexcept { g_firstPass = value ? 1 : 0; }

}  // namespace tarvik

PLATFORM_LIBRARY_ENTRY(tarvik::attachDriver, tarvik::detachDriver)
