#pragma once
// Readers of the "_logger" settings file. Each lookup reads the whole file
// again from its first line; each reader stores a value in every case.

#include <cstdint>
#include <istream>
#include <string>

namespace diag {

// The value text of key: the rest of the first non-comment line holding the key,
// after its first "=" and the spaces that follow it; empty when there is none.
std::string readConfigValue(std::istream& in, const std::string& key);

// Leading white space, an optional sign, decimal digits accumulated modulo 2^32,
// read as a signed 32-bit number; 0 when no digit stands there.
std::int32_t parseIntegerText(const std::string& text) noexcept;

// Stores the integer setting of key, or fallback when it is empty or negative.
void readConfigInt(std::istream& in, const std::string& key, std::int32_t& destination, std::int32_t fallback);

// Stores the boolean setting of key: true/TRUE/on/ON or integer 1 switch on,
// false/FALSE/off/OFF or integer 0 switch off; empty or another number gives fallback.
void readConfigBool(std::istream& in, const std::string& key, bool& destination, bool fallback);

}  // namespace diag
