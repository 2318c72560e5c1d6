// finsim: serves simulated controllers over FINS/UDP, one controller per
// destination network.node, for tests and for trying the bridge without a plant.

#include <csignal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "platform/udp_socket.h"
#include "sim/controller.h"
#include "common/fins_udp.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void requestStop(int) { g_stop = 1; }

const char* usage =
    "usage: finsim [--bind ADDRESS] [--port PORT] [--area CODE=SIZE]... [--max-requests N] [--duration SECONDS] "
    "[--verbose]\n"
    "  --bind 127.0.0.1 and --port 9600 by default; --port 0 picks a free port (printed on the first line)\n";

bool parseNumber(const char* text, long long low, long long high, long long& out) {
  char* end = nullptr;
  out = std::strtoll(text, &end, 0);
  return end != text && *end == '\0' && out >= low && out <= high;
}

}  // namespace

int main(int argc, char** argv) {
  std::string bindHost = "127.0.0.1";
  long long port = 9600, maxRequests = 0, duration = 0;
  bool verbose = false;
  std::map<std::uint8_t, std::uint32_t> areaSizes;
  for (int k = 1; k < argc; ++k) {
    const std::string a = argv[k];
    const char* v = k + 1 < argc ? argv[k + 1] : nullptr;
    long long n = 0, code = 0;
    if (a == "--bind" && v) bindHost = argv[++k];
    else if (a == "--port" && v && parseNumber(v, 0, 65535, port)) ++k;
    else if (a == "--max-requests" && v && parseNumber(v, 0, 1LL << 40, maxRequests)) ++k;
    else if (a == "--duration" && v && parseNumber(v, 0, 1LL << 30, duration)) ++k;
    else if (a == "--verbose") verbose = true;
    else if (a == "--area" && v && std::strchr(v, '=') != nullptr) {
      const std::string areaArgument = argv[++k];
      const auto eq = areaArgument.find('=');
      if (!parseNumber(areaArgument.substr(0, eq).c_str(), 0, 255, code) ||
          !parseNumber(areaArgument.substr(eq + 1).c_str(), 0, 65536, n)) {
        std::fprintf(stderr, "finsim: bad --area %s\n%s", areaArgument.c_str(), usage);
        return 2;
      }
      areaSizes[static_cast<std::uint8_t>(code)] = static_cast<std::uint32_t>(n);
    } else {
      std::fprintf(stderr, "finsim: bad argument %s\n%s", a.c_str(), usage);
      return 2;
    }
  }

  platform::UdpSocket socket;
  std::string why;
  if (!socket.bind(bindHost, static_cast<std::uint16_t>(port), why)) {
    std::fprintf(stderr, "finsim: cannot bind %s:%lld: %s\n", bindHost.c_str(), port, why.c_str());
    return 2;
  }
  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  std::printf("finsim listening on %s:%u\n", bindHost.c_str(), static_cast<unsigned>(socket.localPort()));
  std::fflush(stdout);

  std::map<std::pair<std::uint8_t, std::uint8_t>, sim::SimulatedController> controllers;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(duration);
  long long served = 0;
  std::uint8_t buffer[4096];
  while (g_stop == 0 && (maxRequests == 0 || served < maxRequests) &&
         (duration == 0 || std::chrono::steady_clock::now() < deadline)) {
    platform::UdpPeer from;
    const long got = socket.receiveFrom(buffer, sizeof buffer, 200, from);
    if (got < 0) continue;
    if (static_cast<std::size_t>(got) > sizeof buffer) {
      if (verbose) std::printf("dropped an oversized datagram of %ld bytes\n", got);
      continue;
    }
    std::span<const std::uint8_t> text;
    const auto header = fins::decodeFinsUdp(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(got)), text);
    if (!header || (header->icf & fins::icfResponseBit) != 0) {
      if (verbose) std::printf("dropped a datagram of %ld bytes that is no FINS command\n", got);
      continue;
    }
    auto it = controllers.find({header->dna, header->da1});
    if (it == controllers.end()) {
      it = controllers.emplace(std::make_pair(header->dna, header->da1), sim::SimulatedController{}).first;
      for (const auto& [code, size] : areaSizes) it->second.setAreaSize(code, size);
    }
    const auto response = it->second.handle(text);
    const auto datagram = fins::encodeFinsUdp(fins::responseHeaderFor(*header), response);
    socket.sendTo(from, datagram.data(), datagram.size());
    ++served;
    if (verbose) {
      std::printf("request %lld from %u.%u sid %u: %zu bytes, end code %02x %02x\n", served, header->sna, header->sa1,
                  header->sid, text.size(), response.size() > 2 ? response[2] : 0, response.size() > 3 ? response[3] : 0);
      std::fflush(stdout);
    }
  }
  std::printf("finsim served %lld request(s)\n", served);
  return 0;
}
