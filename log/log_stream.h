#pragma once
// Stream-insertion style for log lines: log.level(error) << "x=" << 5 << lineEnd.
// The overloads take the exact types of the interface's slots; a byte must be
// widened on purpose, since writing it as a character is rarely what is meant.

#include <concepts>
#include <cstdint>
#include <string>

#include "log/logger_interface.h"

namespace diag {

template <class L>
concept LoggerLike = std::derived_from<L, LoggerInterface>;

template <LoggerLike L> L& operator<<(L& log, const std::string& text) { log.write(text); return log; }
template <LoggerLike L> L& operator<<(L& log, const char* text) { log.write(text); return log; }
template <LoggerLike L> L& operator<<(L& log, char c) { log.write(c); return log; }
template <LoggerLike L> L& operator<<(L& log, std::uint32_t value) { log.write(value); return log; }
template <LoggerLike L> L& operator<<(L& log, std::int32_t value) { log.write(value); return log; }
template <LoggerLike L> L& operator<<(L& log, double value) { log.write(value); return log; }
template <LoggerLike L> L& operator<<(L& log, FormatManipulator m) { log.apply(m); return log; }
template <LoggerLike L> L& operator<<(L& log, StreamManipulator m) { log.apply(m); return log; }
template <LoggerLike L> L& operator<<(L& log, unsigned char) = delete;
template <LoggerLike L> L& operator<<(L& log, signed char) = delete;
template <LoggerLike L> L& operator<<(L& log, bool) = delete;

}  // namespace diag
