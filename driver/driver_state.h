#pragma once
// The driver's process-wide state: its Logger and the first-pass flag.

#include "log/logger.h"

namespace tarvik {

// The driver's log; a silent stand-in when the Logger could not be created at load.
diag::Logger& driverLog() noexcept;

// Creates and destroys the driver's Logger; called by the library entry only.
void attachDriver() noexcept;
void detachDriver() noexcept;

// True from load and from every Open_yyy until the next Set_yyy.
bool firstPass() noexcept;
void setFirstPass(bool value) noexcept;

}  // namespace tarvik
