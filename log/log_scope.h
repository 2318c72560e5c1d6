#pragma once
// How every export meets the log: enter on the way in, leave exactly once on
// the way out whatever the path, and nothing thrown across the boundary.

#include <string>
#include <utility>

#include "log/logger_interface.h"

namespace diag {

// Enters the log under a name for its lifetime.
template <class L>
class LogScope {
 public:
  LogScope(L& log, const char* name) : log_(log) { log_.enter(name); }
  ~LogScope() { log_.leave(); }
  LogScope(const LogScope&) = delete;
  LogScope& operator=(const LogScope&) = delete;

 private:
  L& log_;
};

// Runs body(log) inside a LogScope named name and returns its result; an
// exception (allocation failure included) becomes the result failure.
template <class L, class Result, class Body>
Result runExport(L& log, const char* name, Result failure, Body&& body) noexcept {
  try {
    LogScope<L> scope(log, name);
    return std::forward<Body>(body)(log);
  } catch (...) {
    return failure;
  }
}

}  // namespace diag
