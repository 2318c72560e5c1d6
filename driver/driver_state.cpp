#include "driver/driver_state.h"

#include <cstdint>
#include <new>

#include "platform/library_entry.h"

namespace tarvik {
namespace {

constexpr const char* logFileName = "tarvik_clk.log";

// Constant-initialised, so the library entry may run before any dynamic initialiser.
diag::Logger* g_log = nullptr;
std::uint8_t g_firstPass = 1;

}  // namespace

diag::Logger& driverLog() noexcept {
  if (g_log != nullptr) return *g_log;
  static diag::Logger silent{diag::Logger::Disabled{}};
  return silent;
}

void attachDriver() noexcept {
  g_firstPass = 1;
  try {
    g_log = new diag::Logger(logFileName);
  } catch (...) {
    g_log = nullptr;  // the exports then log nowhere, and still work
  }
}

void detachDriver() noexcept {
  delete g_log;
  g_log = nullptr;
}

bool firstPass() noexcept { return g_firstPass != 0; }
void setFirstPass(bool value) noexcept { g_firstPass = value ? 1 : 0; }

}  // namespace tarvik

PLATFORM_LIBRARY_ENTRY(tarvik::attachDriver, tarvik::detachDriver)
