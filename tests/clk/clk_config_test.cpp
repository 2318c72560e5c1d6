#include "clk/clk_config.h"

#include <gtest/gtest.h>

namespace {

TEST(ClkConfig, ReadsEverySetting) {
  const auto r = clk::parseClkConfig(
      "# comment\n\nbackend sim\narea 0x82 100\nopen-fail 6\nfault 1.7.0 drop\nfault 1.7.0 delay 50\r\n"
      "fault 0.0.2 stray\nfault 0.0.2 cut 3\nfault 0.0.3 end-code 1103\nfault 0.0.4 send-fail 5\n"
      "fault 0.0.5 send-result 9\n",
      "f");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.config.areaSizes.at(0x82), 100u);
  EXPECT_EQ(r.config.openFailCode, 6);
  const auto& a = r.config.faults.at(clk::Destination{1, 7, 0});
  EXPECT_TRUE(a.drop);
  EXPECT_EQ(a.delayMs, 50);
  const auto& b = r.config.faults.at(clk::Destination{0, 0, 2});
  EXPECT_TRUE(b.stray);
  EXPECT_EQ(b.cutTo, 3);
  EXPECT_EQ(r.config.faults.at(clk::Destination{0, 0, 3}).endCode, 0x1103);
  EXPECT_EQ(r.config.faults.at(clk::Destination{0, 0, 4}).sendFailCode, 5);
  EXPECT_EQ(r.config.faults.at(clk::Destination{0, 0, 5}).sendResult, 9);
}

TEST(ClkConfig, ReadsTheBridgeSettings) {
  const auto r = clk::parseClkConfig("backend bridge\nlocal 1.9\ngateway 127.0.0.1\nnode 2.3 localhost:9700\n", "f");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.config.backend, clk::Backend::bridge);
  EXPECT_EQ(r.config.localNetwork, 1);
  EXPECT_EQ(r.config.localNode, 9);
  ASSERT_TRUE(r.config.gateway);
  EXPECT_EQ(r.config.gateway->host, "127.0.0.1");
  EXPECT_EQ(r.config.gateway->port, 9600);
  const auto node = r.config.nodes.at({2, 3});
  EXPECT_EQ(node.host, "localhost");
  EXPECT_EQ(node.port, 9700);
}

struct BadCase {
  const char* name;
  const char* text;
  const char* error;
};

class BadConfig : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadConfig, NamesTheLineAndGuessesNothing) {
  const auto r = clk::parseClkConfig(GetParam().text, "clk_lib.conf");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadConfig,
    ::testing::Values(BadCase{"UnknownSetting", "backend sim\nspeed 9\n", "clk_lib.conf:2: unknown setting 'speed'"},
                      BadCase{"UnknownBackEnd", "backend tcp\n", "clk_lib.conf:1: unknown back end 'tcp' (expected sim or bridge)"},
                      BadCase{"AddressOutOfRange", "fault 1.256.0 drop\n",
                              "clk_lib.conf:1: expected a destination network.node.unit, got '1.256.0'"},
                      BadCase{"UnknownFault", "fault 1.2.0 explode\n", "clk_lib.conf:1: unknown fault 'explode'"},
                      BadCase{"FaultWithoutItsNumber", "fault 1.2.0 delay\n", "clk_lib.conf:1: bad or missing value for fault 'delay'"},
                      BadCase{"BadNumber", "fault 1.2.0 delay soon\n", "clk_lib.conf:1: bad or missing value for fault 'delay'"},
                      BadCase{"GatewayPortOutOfRange", "gateway 127.0.0.1:70000\n",
                              "clk_lib.conf:1: expected: gateway <host>[:port]"},
                      BadCase{"LocalWithUnit", "local 1.2.3\n", "clk_lib.conf:1: expected: local <network>.<node>"},
                      BadCase{"AreaWithoutSize", "area 0x82\n", "clk_lib.conf:1: expected: area <code> <size>"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
