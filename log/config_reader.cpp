#include "log/config_reader.h"

namespace diag {
namespace {

bool isWhiteSpace(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads one line without its line feed; a carriage return directly before the
// line feed is dropped too, so CR LF files read as on Windows.
bool readLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

}  // namespace

std::string readConfigValue(std::istream& in, const std::string& key) {
  // A stream that never opened, or broke for good, has nothing to give; the end
  // of an earlier lookup is not such a failure.
  if (in.bad() || (in.fail() && !in.eof())) return std::string();
  in.clear();
  in.seekg(0, std::ios_base::beg);
  if (in.fail()) return std::string();
  std::string line;
  while (readLine(in, line)) {
    if (!line.empty() && line.front() == ';') continue;
    if (line.find(key) == std::string::npos) continue;
    const auto equals = line.find('=');
    if (equals == std::string::npos) return std::string();
    const auto value = line.find_first_not_of(' ', equals + 1);
    return value == std::string::npos ? std::string() : line.substr(value);
  }
  return std::string();
}

std::int32_t parseIntegerText(const std::string& text) noexcept {
  std::size_t k = 0;
  while (k < text.size() && isWhiteSpace(text[k])) ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
  std::uint32_t magnitude = 0;
  while (k < text.size() && text[k] >= '0' && text[k] <= '9') {
    magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[k++] - '0');
  }
  if (negative) magnitude = 0u - magnitude;
  return static_cast<std::int32_t>(magnitude);
}

void readConfigInt(std::istream& in, const std::string& key, std::int32_t& destination, std::int32_t fallback) {
  const std::string value = readConfigValue(in, key);
  if (value.empty()) {
    destination = fallback;
    return;
  }
  const std::int32_t number = parseIntegerText(value);
  destination = number < 0 ? fallback : number;
}

void readConfigBool(std::istream& in, const std::string& key, bool& destination, bool fallback) {
  const std::string value = readConfigValue(in, key);
  if (value.empty()) {
    destination = fallback;
  } else if (value == "true" || value == "TRUE" || value == "on" || value == "ON") {
    destination = true;
  } else if (value == "false" || value == "FALSE" || value == "off" || value == "OFF") {
    destination = false;
  } else {
    const std::int32_t number = parseIntegerText(value);
    destination = number == 1 ? true : number == 0 ? false : fallback;
  }
}

}  // namespace diag
