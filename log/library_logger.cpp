#include "log/library_logger.h"

namespace diag {

Logger* createLibraryLogger(const char* fileName) noexcept {
  try {
    return new Logger(fileName);
  } catch (...) {
    return nullptr;  // the exports then log nowhere, and still work
  }
}

Logger& loggerOrSilent(Logger* log) noexcept {
  if (log != nullptr) return *log;
  static Logger silent{Logger::Disabled{}};
  return silent;
}

}  // namespace diag
