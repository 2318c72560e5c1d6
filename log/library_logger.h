#pragma once
// The one Logger of a library, made by its attach handler and released by its
// detach handler. Creation never throws out of the library entry.

#include "log/logger.h"

namespace diag {

// A new Logger writing fileName, or nullptr when it could not be made.
Logger* createLibraryLogger(const char* fileName) noexcept;

// The log to use: the library's Logger, or a silent one when there is none.
Logger& loggerOrSilent(Logger* log) noexcept;

}  // namespace diag
