#pragma once
// clk_lib.conf: which back end serves the stand-in, and the faults to inject.
//
//   # comment
//   backend sim                       the embedded simulator (the default)
//   backend bridge                    FINS/UDP to Ethernet controllers, gateways or finsim
//   local <network>.<node>            the bridge's own FINS address (default 0.250)
//   gateway <host>[:port]             where the bridge sends by default (port 9600)
//   node <network>.<node> <host>[:port]   where it sends for that controller
//   area <code> <size>                narrow a simulated area, e.g. "area 0x82 100"
//   open-fail <code>                  ClkOpen fails with that last-error code
//   fault <net.node.unit> drop        no reply
//   fault <net.node.unit> delay <ms>  the reply is ready only after ms milliseconds
//   fault <net.node.unit> stray       a message of another kind comes before the reply
//   fault <net.node.unit> cut <n>     the reply is cut to its first n bytes
//   fault <net.node.unit> end-code <hhhh>   the controller answers with that end code
//   fault <net.node.unit> send-fail <code>  ClkSendMessage returns -1 with that code
//   fault <net.node.unit> send-result <n>   ClkSendMessage returns n

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace clk {

struct Destination {
  std::uint8_t network = 0, node = 0, unit = 0;
  friend auto operator<=>(const Destination&, const Destination&) = default;
};

struct Faults {
  bool drop = false;
  std::int32_t delayMs = 0;
  bool stray = false;
  std::optional<std::int32_t> cutTo;
  std::optional<std::uint16_t> endCode;
  std::optional<std::int32_t> sendFailCode;
  std::optional<std::int32_t> sendResult;
};

struct UdpEndpoint {
  std::string host;
  std::uint16_t port = 9600;
};

enum class Backend { sim, bridge };

struct ClkConfig {
  Backend backend = Backend::sim;
  std::uint8_t localNetwork = 0;
  std::uint8_t localNode = 250;
  std::optional<UdpEndpoint> gateway;
  std::map<std::pair<std::uint8_t, std::uint8_t>, UdpEndpoint> nodes;
  std::map<std::uint8_t, std::uint32_t> areaSizes;
  std::optional<std::int32_t> openFailCode;
  std::map<Destination, Faults> faults;
};

struct ConfigResult {
  bool ok = true;
  ClkConfig config;
  std::string error;  // "<file>:<line>: <what>" when not ok
};

ConfigResult parseClkConfig(const std::string& text, const std::string& fileName);

// The configuration in force: $CLK_LIB_CONF, else clk_lib.conf beside the
// host's executable, else none (every destination simulated, no faults).
ConfigResult loadClkConfig();

}  // namespace clk
