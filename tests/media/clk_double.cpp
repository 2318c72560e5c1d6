// A scripted stand-in for the link library, for call-by-call checks of the
// media library. It plays the results listed in "clk_script" in the current
// directory and appends every call it receives to "clk_calls".
//
// Script lines (one queue per call; an empty queue gives the default):
//   open <result> <error>           ClkOpen (default: 1, error 0)
//   close <result>                  ClkClose (default: 0)
//   send <result>                   ClkSendMessage (default: 0)
//   recv <result|len> <kind> <network.node.unit> <hex bytes...>
//                                   ClkReceiveMessage (default: -1); "len" returns the bytes' count
//   lasterror <code>                ClkLastError (default: 0)

#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>

#include "interface/clk_api.h"

namespace {

struct Script {
  std::deque<std::string> open, close, send, recv, lastError;
  bool loaded = false;
};

Script& script() {
  static Script s;
  if (!s.loaded) {
    s.loaded = true;
    std::ifstream in("clk_script");
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      std::string verb;
      words >> verb;
      std::string rest;
      std::getline(words, rest);
      if (verb == "open") s.open.push_back(rest);
      else if (verb == "close") s.close.push_back(rest);
      else if (verb == "send") s.send.push_back(rest);
      else if (verb == "recv") s.recv.push_back(rest);
      else if (verb == "lasterror") s.lastError.push_back(rest);
    }
  }
  return s;
}

std::string next(std::deque<std::string>& queue, const char* fallback) {
  if (queue.empty()) return fallback;
  std::string v = queue.front();
  queue.pop_front();
  return v;
}

void record(const std::string& call) {
  std::ofstream("clk_calls", std::ios::app) << call << "\n";
}

std::string hex(const void* data, std::int32_t length) {
  std::string out;
  const auto* p = static_cast<const unsigned char*>(data);
  char two[4];
  for (std::int32_t k = 0; k < length; ++k) {
    std::snprintf(two, sizeof two, k ? " %02x" : "%02x", p[k]);
    out += two;
  }
  return out;
}

}  // namespace

std::int32_t CLK_CALL ClkOpen(std::uint8_t unit, std::int32_t* error) {
  record("ClkOpen unit=" + std::to_string(unit) + " error_in=" + std::to_string(error ? *error : -999));
  std::istringstream r(next(script().open, "1 0"));
  std::int32_t result = 1, code = 0;
  r >> result >> code;
  if (result == CLK_ERROR && error != nullptr) *error = code;
  return result;
}

std::int32_t CLK_CALL ClkClose(std::int32_t handle) {
  record("ClkClose handle=" + std::to_string(handle));
  return std::stoi(next(script().close, "0"));
}

std::int32_t CLK_CALL ClkSendMessage(std::int32_t handle, const ClkMessageHeader* header, const void* data,
                                     std::int32_t length) {
  record("ClkSendMessage handle=" + std::to_string(handle) + " header=" + hex(header, 8) +
         " length=" + std::to_string(length) + " data=" + hex(data, length));
  return std::stoi(next(script().send, "0"));
}

std::int32_t CLK_CALL ClkReceiveMessage(std::int32_t handle, ClkMessageHeader* header, void* buffer,
                                        std::int32_t length, std::int32_t timeout) {
  record("ClkReceiveMessage handle=" + std::to_string(handle) + " length=" + std::to_string(length) +
         " timeout=" + std::to_string(timeout));
  std::istringstream r(next(script().recv, "-1"));
  std::string result;
  r >> result;
  if (result == "-1") return -1;
  std::int32_t kind = 1;
  unsigned network = 0, node = 0, unit = 0;
  char dot = 0;
  r >> kind >> network >> dot >> node >> dot >> unit;
  std::string bytes;
  unsigned value = 0;
  while (r >> std::hex >> value) bytes.push_back(static_cast<char>(value));
  header->flags = 0;
  header->network = static_cast<std::uint8_t>(network);
  header->node = static_cast<std::uint8_t>(node);
  header->unit = static_cast<std::uint8_t>(unit);
  header->kind = kind;
  std::memcpy(buffer, bytes.data(), std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(length)));
  return result == "len" ? static_cast<std::int32_t>(bytes.size()) : std::stoi(result);
}

std::int32_t CLK_CALL ClkLastError(std::int32_t handle) {
  record("ClkLastError handle=" + std::to_string(handle));
  return std::stoi(next(script().lastError, "0"));
}
