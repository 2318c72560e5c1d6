// The stand-in's FINS/UDP bridge on loopback: against finsim, and against a
// fake peer that answers with strays first.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "interface/clk_errors.h"
#include "interface/clk_api.h"
#include "platform/udp_socket.h"
#include "common/fins_udp.h"
#include "tests/support/background_program.h"
#include "tests/support/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// finsim on a free loopback port.
struct Finsim {
  Finsim() : program(testsupport::binaryPath("sim/finsim"), {"--port", "0"}) {
    const std::string line = program.firstLine();
    const auto colon = line.rfind(':');
    if (colon != std::string::npos) port = static_cast<std::uint16_t>(std::atoi(line.c_str() + colon + 1));
  }
  testsupport::BackgroundProgram program;
  std::uint16_t port = 0;
};

class Bridge : public ::testing::Test {
 protected:
  std::int32_t open(const std::string& config) {
    dir_.write("clk_lib.conf", config);
    ::setenv("CLK_LIB_CONF", dir_.file("clk_lib.conf").c_str(), 1);
    std::int32_t code = 0;
    const std::int32_t handle = ClkOpen(0, &code);
    if (handle != CLK_ERROR) handles_.push_back(handle);
    return handle;
  }
  void TearDown() override {
    for (auto h : handles_) ClkClose(h);
    ::unsetenv("CLK_LIB_CONF");
  }
  static std::int32_t send(std::int32_t handle, const Bytes& body) {
    const ClkMessageHeader header{clkSendFlags, 1, 7, 0, clkKindFins};
    return ClkSendMessage(handle, &header, body.data(), static_cast<std::int32_t>(body.size()));
  }
  static Bytes receive(std::int32_t handle, std::int32_t length, ClkMessageHeader& header, std::int32_t& result,
                       std::int32_t timeout = 2000) {
    Bytes got(static_cast<std::size_t>(length));
    result = ClkReceiveMessage(handle, &header, got.data(), length, timeout);
    if (result >= 0 && result < length) got.resize(static_cast<std::size_t>(result));
    return got;
  }

  testsupport::TempDir dir_;
  std::vector<std::int32_t> handles_;
};

TEST_F(Bridge, WritesAndReadsBackThroughFinsim) {
  Finsim finsim;
  ASSERT_NE(finsim.port, 0);
  const std::int32_t h = open("backend bridge\nlocal 0.9\ngateway 127.0.0.1:" + std::to_string(finsim.port) + "\n");
  ASSERT_GT(h, 0);
  ClkMessageHeader header{};
  std::int32_t result = 0;
  ASSERT_EQ(send(h, {1, 2, 0x82, 0, 5, 0, 0, 1, 0x12, 0x34}), 0);
  EXPECT_EQ(receive(h, 4, header, result), (Bytes{1, 2, 0, 0}));
  ASSERT_EQ(send(h, {1, 1, 0x82, 0, 5, 0, 0, 1}), 0);
  EXPECT_EQ(receive(h, 6, header, result), (Bytes{1, 1, 0, 0, 0x12, 0x34}));
  EXPECT_EQ(header.network, 1);
  EXPECT_EQ(header.node, 7);
  EXPECT_EQ(header.unit, 0);
  EXPECT_EQ(header.kind, 1);
}

TEST_F(Bridge, FinsimSurvivesMalformedDatagramsAndAnswersAfterwards) {
  Finsim finsim;
  ASSERT_NE(finsim.port, 0);
  platform::UdpSocket client;
  std::string why;
  ASSERT_TRUE(client.bind("127.0.0.1", 0, why)) << why;
  const platform::UdpPeer server{0x7F000001, finsim.port};
  const std::vector<Bytes> malformed{
      {},
      {0x80, 0x00},
      {0x80, 0, 2, 0, 1, 0, 0, 9, 0},                 // one byte short of a header
      {0xC0, 0, 2, 0, 1, 0, 0, 9, 0, 1, 1, 1, 0, 0},  // a response, not a command
      Bytes(100, 0xFF),
      Bytes(5000, 0x80),                              // larger than any FINS frame
  };
  for (const Bytes& d : malformed) client.sendTo(server, d.data(), d.size());
  const Bytes truncatedCommand{0x80, 0, 2, 0, 1, 0, 0, 9, 0, 7, 0x01, 0x01, 0x82};
  client.sendTo(server, truncatedCommand.data(), truncatedCommand.size());
  const Bytes good{0x80, 0, 2, 0, 1, 0, 0, 9, 0, 8, 0x01, 0x01, 0x82, 0, 0, 0, 0, 1};
  client.sendTo(server, good.data(), good.size());

  std::vector<Bytes> answers;
  for (int k = 0; k < 4; ++k) {
    std::uint8_t buffer[256];
    platform::UdpPeer from;
    const long got = client.receiveFrom(buffer, sizeof buffer, 500, from);
    if (got < 0) break;
    answers.emplace_back(buffer, buffer + got);
  }
  ASSERT_EQ(answers.size(), 2u) << "only the two commands with a whole header are answered";
  EXPECT_EQ(answers[0], (Bytes{0xC0, 0, 2, 0, 9, 0, 0, 1, 0, 7, 0x01, 0x01, 0x10, 0x02}));
  EXPECT_EQ(answers[1], (Bytes{0xC0, 0, 2, 0, 9, 0, 0, 1, 0, 8, 0x01, 0x01, 0, 0, 0, 0}));
}

TEST_F(Bridge, TakesOnlyTheResponseThatMatchesSidAndSource) {
  platform::UdpSocket peer;
  std::string why;
  ASSERT_TRUE(peer.bind("127.0.0.1", 0, why)) << why;
  const std::int32_t h = open("backend bridge\nlocal 3.4\nnode 1.7 127.0.0.1:" + std::to_string(peer.localPort()) + "\n");
  ASSERT_GT(h, 0);
  ASSERT_EQ(send(h, {1, 1, 0x82, 0, 0, 0, 0, 1}), 0);

  std::uint8_t request[64];
  platform::UdpPeer bridge;
  const long got = peer.receiveFrom(request, sizeof request, 2000, bridge);
  ASSERT_EQ(got, 18);
  std::span<const std::uint8_t> text;
  const auto header = fins::decodeFinsUdp(std::span<const std::uint8_t>(request, 18), text);
  ASSERT_TRUE(header);
  EXPECT_EQ(*header, (fins::FinsUdpHeader{0x80, 0, 2, 1, 7, 0, 3, 4, 0, header->sid}));
  EXPECT_EQ(Bytes(text.begin(), text.end()), (Bytes{1, 1, 0x82, 0, 0, 0, 0, 1}));

  const fins::FinsUdpHeader reply = fins::responseHeaderFor(*header);
  fins::FinsUdpHeader wrongSid = reply, wrongSource = reply, notAResponse = reply;
  wrongSid.sid = static_cast<std::uint8_t>(reply.sid + 1);
  wrongSource.sa1 = 8;
  notAResponse.icf = 0x80;
  // Datagrams that are no FINS message at all come first; the bridge drops them too.
  const Bytes truncated{0xC0, 0x00, 0x02}, garbage(5000, 0xC3);
  peer.sendTo(bridge, truncated.data(), truncated.size());
  peer.sendTo(bridge, garbage.data(), garbage.size());
  for (const auto& [h2, first] : std::vector<std::pair<fins::FinsUdpHeader, std::uint8_t>>{
           {wrongSid, 0xA1}, {wrongSource, 0xA2}, {notAResponse, 0xA3}, {reply, 0x00}, {reply, 0xA4}}) {
    const Bytes body{1, 1, 0, 0, first, 0x42};
    const auto datagram = fins::encodeFinsUdp(h2, body);
    peer.sendTo(bridge, datagram.data(), datagram.size());
  }
  ClkMessageHeader from{};
  std::int32_t result = 0;
  EXPECT_EQ(receive(h, 6, from, result), (Bytes{1, 1, 0, 0, 0x00, 0x42}));
  // The duplicate of the same response is late: nothing is outstanding any more.
  receive(h, 6, from, result, 100);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(ClkLastError(h), clk::error::timeout);
}

TEST_F(Bridge, DestinationWithoutEndpointHasNoRoute) {
  const std::int32_t h = open("backend bridge\n");
  ASSERT_GT(h, 0);
  EXPECT_EQ(send(h, {1, 1}), -1);
  EXPECT_EQ(ClkLastError(h), clk::error::noRoute);
}

}  // namespace
