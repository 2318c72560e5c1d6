// The parts of SharedLibrary that do not depend on the system.
#include <utility>

#include "platform/platform.h"

namespace platform {

SharedLibrary::~SharedLibrary() { unload(); }

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(other.handle_), error_(std::move(other.error_)) {
  other.handle_ = nullptr;
}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  if (this != &other) {
    unload();
    handle_ = other.handle_;
    error_ = std::move(other.error_);
    other.handle_ = nullptr;
  }
  return *this;
}

}  // namespace platform
