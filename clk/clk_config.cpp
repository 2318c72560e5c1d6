#include "clk/clk_config.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/platform.h"

namespace clk {
namespace {

bool parseNumber(const std::string& word, std::int64_t low, std::int64_t high, std::int64_t& out) {
  if (word.empty()) return false;
  std::size_t used = 0;
  try {
    out = std::stoll(word, &used, 0);
  } catch (...) {
    return false;
  }
  return used == word.size() && out >= low && out <= high;
}

bool parseDestination(const std::string& word, Destination& out) {
  std::istringstream in(word);
  std::string part[3];
  if (!std::getline(in, part[0], '.') || !std::getline(in, part[1], '.') || !std::getline(in, part[2])) return false;
  std::int64_t v[3];
  for (int k = 0; k < 3; ++k) {
    if (!parseNumber(part[k], 0, 255, v[k]) || part[k].find_first_not_of("0123456789") != std::string::npos) return false;
  }
  out = Destination{static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]), static_cast<std::uint8_t>(v[2])};
  return true;
}

bool parseEndpoint(const std::string& word, UdpEndpoint& out) {
  const auto colon = word.rfind(':');
  out.host = word.substr(0, colon);
  out.port = 9600;
  if (out.host.empty()) return false;
  if (colon == std::string::npos) return true;
  std::int64_t port = 0;
  if (!parseNumber(word.substr(colon + 1), 1, 65535, port)) return false;
  out.port = static_cast<std::uint16_t>(port);
  return true;
}

bool parseNetworkNode(const std::string& word, std::uint8_t& network, std::uint8_t& node) {
  Destination d;
  if (!parseDestination(word + ".0", d)) return false;
  network = d.network;
  node = d.node;
  return true;
}

// Parses one setting line into config; an error text when it does not fit.
std::string parseLine(const std::string& line, ClkConfig& config) {
  std::istringstream words(line);
  std::string verb, a, b, c, extra;
  words >> verb >> a >> b >> c >> extra;
  std::int64_t n = 0;
  if (verb == "backend") {
    if (a == "sim" && b.empty()) config.backend = Backend::sim;
    else if (a == "bridge" && b.empty()) config.backend = Backend::bridge;
    else return "unknown back end '" + a + "' (expected sim or bridge)";
    return "";
  }
  if (verb == "local") {
    if (!parseNetworkNode(a, config.localNetwork, config.localNode) || !b.empty()) return "expected: local <network>.<node>";
    return "";
  }
  if (verb == "gateway") {
    UdpEndpoint e;
    if (!parseEndpoint(a, e) || !b.empty()) return "expected: gateway <host>[:port]";
    config.gateway = e;
    return "";
  }
  if (verb == "node") {
    std::uint8_t network = 0, node = 0;
    UdpEndpoint e;
    if (!parseNetworkNode(a, network, node) || !parseEndpoint(b, e) || !c.empty())
      return "expected: node <network>.<node> <host>[:port]";
    config.nodes[{network, node}] = e;
    return "";
  }
  if (verb == "area") {
    std::int64_t code = 0;
    if (!parseNumber(a, 0, 255, code) || !parseNumber(b, 0, 65536, n) || !c.empty()) return "expected: area <code> <size>";
    config.areaSizes[static_cast<std::uint8_t>(code)] = static_cast<std::uint32_t>(n);
    return "";
  }
  if (verb == "open-fail") {
    if (!parseNumber(a, 1, INT32_MAX, n) || !b.empty()) return "expected: open-fail <code>";
    config.openFailCode = static_cast<std::int32_t>(n);
    return "";
  }
  if (verb == "fault") {
    Destination d;
    if (!parseDestination(a, d)) return "expected a destination network.node.unit, got '" + a + "'";
    Faults& f = config.faults[d];
    if (b == "drop" && c.empty()) f.drop = true;
    else if (b == "stray" && c.empty()) f.stray = true;
    else if (b == "delay" && parseNumber(c, 0, 600000, n) && extra.empty()) f.delayMs = static_cast<std::int32_t>(n);
    else if (b == "cut" && parseNumber(c, 0, 65536, n) && extra.empty()) f.cutTo = static_cast<std::int32_t>(n);
    else if (b == "end-code" && c.size() == 4 && parseNumber("0x" + c, 0, 0xFFFF, n) && extra.empty())
      f.endCode = static_cast<std::uint16_t>(n);
    else if (b == "send-fail" && parseNumber(c, INT32_MIN, INT32_MAX, n) && extra.empty())
      f.sendFailCode = static_cast<std::int32_t>(n);
    else if (b == "send-result" && parseNumber(c, INT32_MIN, INT32_MAX, n) && n != 0 && extra.empty())
      f.sendResult = static_cast<std::int32_t>(n);
    else if (b == "delay" || b == "cut" || b == "end-code" || b == "send-fail" || b == "send-result")
      return "bad or missing value for fault '" + b + "'";
    else return "unknown fault '" + b + "'";
    return "";
  }
  return "unknown setting '" + verb + "'";
}

}  // namespace

ConfigResult parseClkConfig(const std::string& text, const std::string& fileName) {
  ConfigResult result;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    const std::string why = parseLine(line, result.config);
    if (!why.empty()) {
      result.ok = false;
      result.error = fileName + ":" + std::to_string(number) + ": " + why;
      return result;
    }
  }
  return result;
}

ConfigResult loadClkConfig() {
  const char* named = std::getenv("CLK_LIB_CONF");
  const std::string path = named != nullptr && *named != '\0'
                               ? std::string(named)
                               : platform::directoryPart(platform::executablePath()) + "clk_lib.conf";
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    if (named != nullptr && *named != '\0') return ConfigResult{false, {}, path + ": cannot be opened"};
    return ConfigResult{};
  }
  std::ostringstream text;
  text << in.rdbuf();
  return parseClkConfig(text.str(), path);
}

}  // namespace clk
