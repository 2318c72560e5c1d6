#pragma once
// The diagnostic log of one library: a text file whose detail "_logger" sets.
// Every gated operation tests the gate first, inline, so a line below the
// configured level costs one comparison and formats nothing.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "log/logger_interface.h"
#include "log/manipulators.h"

namespace diag {

class Logger final : public LoggerInterface {
 public:
  // Reads "_logger" from the current directory and, when logging is enabled,
  // empties or creates fileName and writes the "created: " line. Never throws
  // for a missing or unwritable file: the stream then stays failed.
  explicit Logger(const std::string& fileName);

  // A logger that reads no file and writes nothing (logging off).
  struct Disabled {};
  explicit Logger(Disabled) noexcept;

  ~Logger() override;
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  void enter(const std::string& name) override { names_.push_back(name); }
  void leave() override {
    if (!names_.empty()) names_.pop_back();
  }

  Logger& apply(FormatManipulator manipulator) override {
    if (gateOpen()) {
      beginLine();
      manipulator.function(out_, manipulator.argument);
    }
    return *this;
  }
  Logger& apply(StreamManipulator manipulator) override {
    if (gateOpen()) {
      beginLine();
      manipulator(out_);
      if (manipulator == &lineEnd) lineStart_ = true;
    }
    return *this;
  }
  Logger& write(const std::string& text) override {
    if (gateOpen()) {
      beginLine();
      out_ << text.c_str();  // up to the first NUL
    }
    return *this;
  }
  Logger& write(const char* text) override {
    if (gateOpen()) {
      beginLine();
      if (text != nullptr) out_ << text;
    }
    return *this;
  }
  Logger& write(char c) override {
    if (gateOpen()) {
      beginLine();
      out_.put(c);
    }
    return *this;
  }
  Logger& write(std::uint32_t value) override {
    if (gateOpen()) {
      beginLine();
      out_ << value;
    }
    return *this;
  }
  Logger& write(std::int32_t value) override {
    if (gateOpen()) {
      beginLine();
      out_ << value;
    }
    return *this;
  }
  Logger& write(double value) override {
    if (gateOpen()) {
      beginLine();
      out_ << value;
    }
    return *this;
  }
  Logger& level(LogLevel level) override {
    current_ = level;
    return *this;
  }

  // Whether a gated operation would write now. Not part of the interface: a
  // query for callers that can skip building a whole dropped line.
  bool gateOpen() const noexcept { return enabled_ && current_ >= configured_; }

  LogLevel configuredLevel() const noexcept { return configured_; }
  bool enabled() const noexcept { return enabled_; }

 private:
  void beginLine() {
    if (lineStart_) writePrefix();
  }
  void writePrefix();

  std::ofstream out_;
  LogLevel configured_ = error;
  LogLevel current_ = info;
  bool enabled_ = false;
  bool lineStart_ = true;
  std::vector<std::string> names_;
};

}  // namespace diag
