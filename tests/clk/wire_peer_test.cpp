// The bridge's datagrams as an independent FINS decoder reads them: the
// payloads of a bridge and finsim exchange, captured by a relay, become a
// capture file (text2pcap) that tshark's FINS dissector decodes.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "interface/clk_api.h"
#include "platform/udp_socket.h"
#include "tests/support/background_program.h"
#include "tests/support/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr const char* tshark = "/usr/bin/tshark";
constexpr const char* text2pcap = "/usr/bin/text2pcap";

std::string hexDump(const std::vector<Bytes>& packets) {
  std::string text;
  for (const Bytes& p : packets) {
    text += "0000 ";
    for (std::uint8_t b : p) {
      char two[4];
      std::snprintf(two, sizeof two, " %02x", b);
      text += two;
    }
    text += "\n\n";
  }
  return text;
}

TEST(WirePeer, TsharkDecodesTheBridgesFinsFieldsAsSent) {
  if (!std::filesystem::exists(tshark) || !std::filesystem::exists(text2pcap)) GTEST_SKIP() << "tshark is not installed";
  testsupport::TempDir dir;
  testsupport::BackgroundProgram finsim(testsupport::binaryPath("sim/finsim"), {"--port", "0"});
  const std::string line = finsim.firstLine();
  const platform::UdpPeer server{0x7F000001, static_cast<std::uint16_t>(std::atoi(line.c_str() + line.rfind(':') + 1))};

  platform::UdpSocket relay;
  std::string why;
  ASSERT_TRUE(relay.bind("127.0.0.1", 0, why)) << why;
  dir.write("clk_lib.conf", "backend bridge\nlocal 0.9\ngateway 127.0.0.1:" + std::to_string(relay.localPort()) + "\n");
  ::setenv("CLK_LIB_CONF", dir.file("clk_lib.conf").c_str(), 1);
  std::int32_t code = 0;
  const std::int32_t handle = ClkOpen(0, &code);
  ::unsetenv("CLK_LIB_CONF");
  ASSERT_GT(handle, 0);

  std::vector<Bytes> captured;
  // Passes one datagram each way through the relay, keeping both.
  auto exchange = [&](const Bytes& body, std::int32_t replyLength) {
    const ClkMessageHeader header{clkSendFlags, 1, 7, 0, clkKindFins};
    ASSERT_EQ(ClkSendMessage(handle, &header, body.data(), static_cast<std::int32_t>(body.size())), 0);
    std::uint8_t buffer[512];
    platform::UdpPeer bridge, from;
    long got = relay.receiveFrom(buffer, sizeof buffer, 2000, bridge);
    ASSERT_GT(got, 0);
    captured.emplace_back(buffer, buffer + got);
    relay.sendTo(server, buffer, static_cast<std::size_t>(got));
    got = relay.receiveFrom(buffer, sizeof buffer, 2000, from);
    ASSERT_GT(got, 0);
    captured.emplace_back(buffer, buffer + got);
    relay.sendTo(bridge, buffer, static_cast<std::size_t>(got));
    ClkMessageHeader in{};
    std::uint8_t reply[64];
    EXPECT_EQ(ClkReceiveMessage(handle, &in, reply, replyLength, 2000), replyLength);
  };
  exchange({0x01, 0x02, 0x82, 0x00, 0x64, 0x00, 0x00, 0x01, 0x12, 0x34}, 4);
  exchange({0x01, 0x01, 0x82, 0x00, 0x64, 0x00, 0x00, 0x01}, 6);
  ClkClose(handle);
  ASSERT_EQ(captured.size(), 4u);

  dir.write("fins.txt", hexDump(captured));
  ASSERT_EQ(testsupport::runProgram(text2pcap, {"-q", "-u", "9600,9600", "fins.txt", "fins.pcap"}, dir.path()).exitCode, 0);
  const auto decoded = testsupport::runProgram(
      tshark,
      {"-r", "fins.pcap", "-T", "fields", "-E", "separator=,", "-e", "omron.icf", "-e", "omron.dna", "-e", "omron.da1",
       "-e", "omron.da2", "-e", "omron.sna", "-e", "omron.sa1", "-e", "omron.sa2", "-e", "omron.sid", "-e",
       "omron.command", "-e", "omron.memory.area.read", "-e", "omron.memory.address", "-e", "omron.memory.numitems",
       "-e", "omron.response.code"},
      dir.path());
  ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
  const auto lines = testsupport::splitLines(decoded.out);
  ASSERT_EQ(lines.size(), 4u) << decoded.out;
  const std::string sid0 = lines[0].substr(35, 4), sid1 = lines[2].substr(35, 4);
  EXPECT_NE(sid0, sid1) << "each request has its own SID";
  EXPECT_EQ(lines[0], "0x80,0x01,0x07,0x00,0x00,0x09,0x00," + sid0 + ",0x0102,0x82,0x0064,1,");
  EXPECT_EQ(lines[1], "0xc0,0x00,0x09,0x00,0x01,0x07,0x00," + sid0 + ",0x0102,,,,0x0000");
  EXPECT_EQ(lines[2], "0x80,0x01,0x07,0x00,0x00,0x09,0x00," + sid1 + ",0x0101,0x82,0x0064,1,");
  EXPECT_EQ(lines[3], "0xc0,0x00,0x09,0x00,0x01,0x07,0x00," + sid1 + ",0x0101,,,,0x0000");
}

}  // namespace

namespace {

std::string nodeProgram() {
  for (const char* p : {"/usr/bin/node", "/usr/local/bin/node"}) {
    if (std::filesystem::exists(p)) return p;
  }
  return "";
}

// An independent client (npm omron-fins) and the bridge share finsim's memory.
TEST(WirePeer, OmronFinsClientSeesWhatTheBridgeWroteAndTheOtherWayRound) {
  const std::string node = nodeProgram();
  const std::string modules = TARVIK_NPM_PEER_DIR;
  if (node.empty() || !std::filesystem::exists(modules + "/omron-fins")) {
    GTEST_SKIP() << "node or omron-fins missing (scripts/test.sh installs them into " << modules << ")";
  }
  testsupport::TempDir dir;
  testsupport::BackgroundProgram finsim(testsupport::binaryPath("sim/finsim"), {"--port", "0"});
  const std::string line = finsim.firstLine();
  const std::string port = line.substr(line.rfind(':') + 1);
  dir.write("clk_lib.conf", "backend bridge\nlocal 0.9\ngateway 127.0.0.1:" + port + "\n");
  ::setenv("CLK_LIB_CONF", dir.file("clk_lib.conf").c_str(), 1);
  std::int32_t code = 0;
  const std::int32_t handle = ClkOpen(0, &code);
  ::unsetenv("CLK_LIB_CONF");
  ASSERT_GT(handle, 0);
  const ClkMessageHeader to{clkSendFlags, 1, 7, 0, clkKindFins};
  std::uint8_t reply[16];
  ClkMessageHeader from{};

  const Bytes write{0x01, 0x02, 0x82, 0x00, 100, 0x00, 0x00, 0x01, 0x12, 0x34};
  ASSERT_EQ(ClkSendMessage(handle, &to, write.data(), static_cast<std::int32_t>(write.size())), 0);
  ASSERT_EQ(ClkReceiveMessage(handle, &from, reply, 4, 2000), 4);

  const auto peer = testsupport::runProgram(node, {std::string(TARVIK_SOURCE_DIR) + "/tests/clk/peer/omron_fins_peer.js", port},
                                            dir.path(), 30, {"NODE_PATH=" + modules});
  EXPECT_EQ(peer.exitCode, 0) << peer.err;
  EXPECT_EQ(peer.out, "D100=4660\nD101 written\n");

  const Bytes read{0x01, 0x01, 0x82, 0x00, 101, 0x00, 0x00, 0x01};
  ASSERT_EQ(ClkSendMessage(handle, &to, read.data(), static_cast<std::int32_t>(read.size())), 0);
  ASSERT_EQ(ClkReceiveMessage(handle, &from, reply, 6, 2000), 6);
  EXPECT_EQ(Bytes(reply, reply + 6), (Bytes{1, 1, 0, 0, 0x10, 0xE1}));
  ClkClose(handle);
}

}  // namespace
