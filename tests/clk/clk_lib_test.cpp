// The stand-in link library through its entry points, with the embedded
// simulator and each injected fault.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "interface/clk_errors.h"
#include "interface/clk_api.h"
#include "tests/support/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class StandIn : public ::testing::Test {
 protected:
  // Opens a session under the given clk_lib.conf text.
  std::int32_t open(const std::string& config = "backend sim\n") {
    dir_.write("clk_lib.conf", config);
    ::setenv("CLK_LIB_CONF", dir_.file("clk_lib.conf").c_str(), 1);
    std::int32_t code = 0;
    const std::int32_t handle = ClkOpen(0, &code);
    openError_ = code;
    if (handle != CLK_ERROR) handles_.push_back(handle);
    return handle;
  }
  void TearDown() override {
    for (std::int32_t h : handles_) ClkClose(h);
    ::unsetenv("CLK_LIB_CONF");
  }

  static std::int32_t send(std::int32_t handle, const Bytes& body, std::uint8_t node = 7) {
    const ClkMessageHeader header{clkSendFlags, 1, node, 0, clkKindFins};
    return ClkSendMessage(handle, &header, body.data(), static_cast<std::int32_t>(body.size()));
  }
  // Receives into a buffer of length bytes followed by guard bytes.
  static std::int32_t receive(std::int32_t handle, std::int32_t length, Bytes& got, ClkMessageHeader& header,
                              std::int32_t timeout = 200) {
    got.assign(static_cast<std::size_t>(length) + 4, 0xEE);
    const std::int32_t n = ClkReceiveMessage(handle, &header, got.data(), length, timeout);
    return n;
  }

  testsupport::TempDir dir_;
  std::vector<std::int32_t> handles_;
  std::int32_t openError_ = 0;
};

TEST_F(StandIn, SessionsHaveDistinctHandlesAndClosedOnesAreRefused) {
  const std::int32_t a = open(), b = open();
  EXPECT_GT(a, 0);
  EXPECT_GT(b, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(ClkClose(a), 0);
  EXPECT_EQ(ClkClose(a), -1);
  EXPECT_EQ(ClkLastError(a), clk::error::badHandle);
  EXPECT_EQ(send(a, {1, 1}), -1);
  ClkMessageHeader h{};
  Bytes got;
  EXPECT_EQ(receive(a, 4, got, h), -1);
  EXPECT_EQ(ClkLastError(9999), clk::error::badHandle);
}

TEST_F(StandIn, WriteThenReadBackWithTheSendersAddress) {
  const std::int32_t h = open();
  ASSERT_EQ(send(h, {1, 2, 0x82, 0, 5, 0, 0, 1, 0x12, 0x34}), 0);
  ClkMessageHeader header{};
  Bytes got;
  ASSERT_EQ(receive(h, 4, got, header), 4);
  EXPECT_EQ(Bytes(got.begin(), got.begin() + 4), (Bytes{1, 2, 0, 0}));
  ASSERT_EQ(send(h, {1, 1, 0x82, 0, 5, 0, 0, 1}), 0);
  ASSERT_EQ(receive(h, 6, got, header), 6);
  EXPECT_EQ(got, (Bytes{1, 1, 0, 0, 0x12, 0x34, 0xEE, 0xEE, 0xEE, 0xEE}));
  EXPECT_EQ(header.network, 1);
  EXPECT_EQ(header.node, 7);
  EXPECT_EQ(header.unit, 0);
  EXPECT_EQ(header.kind, 1);
}

TEST_F(StandIn, EachDestinationIsItsOwnController) {
  const std::int32_t h = open();
  send(h, {1, 2, 0x82, 0, 5, 0, 0, 1, 0x12, 0x34}, 7);
  ClkMessageHeader header{};
  Bytes got;
  receive(h, 4, got, header);
  send(h, {1, 1, 0x82, 0, 5, 0, 0, 1}, 8);
  ASSERT_EQ(receive(h, 6, got, header), 6);
  EXPECT_EQ(got[4], 0);
  EXPECT_EQ(got[5], 0);
}

TEST_F(StandIn, NothingToReceiveTimesOut) {
  const std::int32_t h = open();
  ClkMessageHeader header{};
  Bytes got;
  EXPECT_EQ(receive(h, 4, got, header, 20), -1);
  EXPECT_EQ(ClkLastError(h), clk::error::timeout);
}

TEST_F(StandIn, LongerMessageIsCutToTheBufferAndReportsItsLength) {
  const std::int32_t h = open();
  send(h, {1, 1, 0x82, 0, 0, 0, 0, 3});
  ClkMessageHeader header{};
  Bytes got;
  EXPECT_EQ(receive(h, 4, got, header), 10);
  EXPECT_EQ(got, (Bytes{1, 1, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE}));
  EXPECT_EQ(ClkLastError(h), clk::error::bufferTooSmall);
}

TEST_F(StandIn, DroppedReplyTimesOut) {
  const std::int32_t h = open("fault 1.7.0 drop\n");
  EXPECT_EQ(send(h, {1, 1, 0x82, 0, 0, 0, 0, 1}), 0);
  ClkMessageHeader header{};
  Bytes got;
  EXPECT_EQ(receive(h, 6, got, header, 20), -1);
  EXPECT_EQ(ClkLastError(h), clk::error::timeout);
}

TEST_F(StandIn, StrayMessageComesFirst) {
  const std::int32_t h = open("fault 1.7.0 stray\n");
  send(h, {1, 1, 0x82, 0, 0, 0, 0, 1});
  ClkMessageHeader header{};
  Bytes got;
  EXPECT_EQ(receive(h, 6, got, header), 6);
  EXPECT_EQ(header.kind, 2);
  EXPECT_EQ(receive(h, 6, got, header), 6);
  EXPECT_EQ(header.kind, 1);
}

TEST_F(StandIn, CutAndEndCodeShapeTheReply) {
  const std::int32_t h = open("fault 1.7.0 cut 5\nfault 1.8.0 end-code 1103\n");
  send(h, {1, 1, 0x82, 0, 0, 0, 0, 1}, 7);
  ClkMessageHeader header{};
  Bytes got;
  EXPECT_EQ(receive(h, 6, got, header), 5);
  send(h, {1, 1, 0x82, 0, 0, 0, 0, 1}, 8);
  EXPECT_EQ(receive(h, 6, got, header), 4);
  EXPECT_EQ(Bytes(got.begin(), got.begin() + 4), (Bytes{1, 1, 0x11, 0x03}));
}

TEST_F(StandIn, DelayedReplyArrivesLate) {
  const std::int32_t h = open("fault 1.7.0 delay 100\n");
  send(h, {1, 1, 0x82, 0, 0, 0, 0, 1});
  ClkMessageHeader header{};
  Bytes got;
  EXPECT_EQ(receive(h, 6, got, header, 10), -1);
  EXPECT_EQ(receive(h, 6, got, header, 2000), 6);
}

TEST_F(StandIn, SendFaults) {
  const std::int32_t h = open("fault 1.7.0 send-fail 5\nfault 1.8.0 send-result 9\n");
  EXPECT_EQ(send(h, {1, 1}, 7), -1);
  EXPECT_EQ(ClkLastError(h), 5);
  EXPECT_EQ(send(h, {1, 1}, 8), 9);
}

TEST_F(StandIn, OpenFaultAndBadConfiguration) {
  EXPECT_EQ(open("open-fail 6\n"), CLK_ERROR);
  EXPECT_EQ(openError_, 6);
  EXPECT_EQ(open("backend sim\nnonsense\n"), CLK_ERROR);
  EXPECT_EQ(openError_, clk::error::badConfiguration);
}

TEST_F(StandIn, NamedConfigurationThatIsMissingIsABadConfiguration) {
  ::setenv("CLK_LIB_CONF", dir_.file("nowhere.conf").c_str(), 1);
  std::int32_t code = 0;
  EXPECT_EQ(ClkOpen(0, &code), CLK_ERROR);
  EXPECT_EQ(code, clk::error::badConfiguration);
}

}  // namespace
