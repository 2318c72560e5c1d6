#include "log/logger.h"

#include "log/config_reader.h"
#include "log/time_text.h"

namespace diag {
namespace {

constexpr const char* configFileName = "_logger";

const char* prefixWord(LogLevel level) noexcept {
  switch (level) {
    case info: return "info:    ";
    case warning: return "warning: ";
    case error: return "error:   ";
    default: return "default: ";
  }
}

}  // namespace

Logger::Logger(const std::string& fileName) {
  std::ifstream config(configFileName);
  if (!config.is_open()) return;  // no "_logger": logging off, level 2
  readConfigInt(config, "level", configured_, error);
  readConfigBool(config, "enabled", enabled_, true);
  if (!enabled_) return;
  // A file that cannot be created leaves the stream failed; writes then do nothing.
  out_.open(fileName, std::ios_base::out | std::ios_base::trunc);
  out_ << "created: " << timeTextNow();
}

Logger::Logger(Disabled) noexcept {}

Logger::~Logger() {
  if (!enabled_) return;
  try {
    // Not gated and without prefix: after an unfinished line it continues that line.
    out_ << "closed: " << timeTextNow();
    out_.close();
  } catch (...) {
    // Logging never reaches the host, not even at unload.
  }
}

void Logger::writePrefix() {
  out_ << prefixWord(current_);
  if (!names_.empty()) out_ << names_.back();
  out_ << ": ";
  lineStart_ = false;
}

}  // namespace diag
