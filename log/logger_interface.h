#pragma once
// The abstract log both libraries write through. The slot order of the
// operations is part of the design: destructor, enter, leave, the two applies,
// the six writes, level.

#include <cstdint>
#include <ios>
#include <ostream>
#include <string>

namespace diag {

// Level of a log line: 0 info, 1 warning, 2 error; other values print as "default: ".
using LogLevel = std::int32_t;
inline constexpr LogLevel info = 0;
inline constexpr LogLevel warning = 1;
inline constexpr LogLevel error = 2;

// A manipulator with an argument: a function of the stream's formatting state
// and a signed 32-bit integer, together with that integer (setBase is one).
struct FormatManipulator {
  void (*function)(std::ios_base&, std::int32_t);
  std::int32_t argument;
};

// A manipulator without argument (lineEnd is the one in use).
using StreamManipulator = std::ostream& (*)(std::ostream&);

class LoggerInterface {
 public:
  virtual ~LoggerInterface() = default;
  virtual void enter(const std::string& name) = 0;
  virtual void leave() = 0;
  virtual LoggerInterface& apply(FormatManipulator manipulator) = 0;
  virtual LoggerInterface& apply(StreamManipulator manipulator) = 0;
  virtual LoggerInterface& write(const std::string& text) = 0;
  virtual LoggerInterface& write(const char* text) = 0;
  virtual LoggerInterface& write(char c) = 0;
  virtual LoggerInterface& write(std::uint32_t value) = 0;
  virtual LoggerInterface& write(std::int32_t value) = 0;
  virtual LoggerInterface& write(double value) = 0;
  virtual LoggerInterface& level(LogLevel level) = 0;

 protected:
  LoggerInterface() = default;
  LoggerInterface(const LoggerInterface&) = default;
  LoggerInterface& operator=(const LoggerInterface&) = default;
};

}  // namespace diag
