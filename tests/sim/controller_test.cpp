#include "sim/controller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct FrameCase {
  const char* name;
  Bytes command;
  Bytes response;
};

class ControllerFrames : public ::testing::TestWithParam<FrameCase> {
 protected:
  void SetUp() override {
    controller_.setAreaSize(0x82, 100);
    controller_.poke(0x82, 10, 0x1234);
    controller_.poke(0x82, 11, 0xABCD);
    controller_.poke(0x01, 5, 0x07);
  }
  sim::SimulatedController controller_;
};

TEST_P(ControllerFrames, AnswerAsARealControllerWould) {
  EXPECT_EQ(controller_.handle(GetParam().command), GetParam().response);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ControllerFrames,
    ::testing::Values(
        FrameCase{"ReadWords", {1, 1, 0x82, 0, 10, 0, 0, 2}, {1, 1, 0, 0, 0x12, 0x34, 0xAB, 0xCD}},
        FrameCase{"ReadBytes", {1, 1, 0x01, 0, 5, 0, 0, 1}, {1, 1, 0, 0, 0x07}},
        FrameCase{"ReadNeverWrittenArea", {1, 1, 0x90, 0xFF, 0xFF, 0, 0, 1}, {1, 1, 0, 0, 0, 0}},
        FrameCase{"WriteWord", {1, 2, 0x82, 0, 1, 0, 0, 1, 0xBE, 0xEF}, {1, 2, 0, 0}},
        FrameCase{"WriteByte", {1, 2, 0x1B, 0xAC, 0, 0, 0, 1, 0x5A}, {1, 2, 0, 0}},
        FrameCase{"UnknownArea", {1, 1, 0x42, 0, 0, 0, 0, 1}, {1, 1, 0x11, 0x01}},
        FrameCase{"BitNumberNotZero", {1, 1, 0x82, 0, 1, 3, 0, 1}, {1, 1, 0x11, 0x03}},
        FrameCase{"BeginOutsideANarrowedArea", {1, 1, 0x82, 0, 100, 0, 0, 1}, {1, 1, 0x11, 0x03}},
        FrameCase{"ItemsRunPastTheEnd", {1, 1, 0x82, 0, 99, 0, 0, 2}, {1, 1, 0x11, 0x04}},
        FrameCase{"ItemsRunPastAFullArea", {1, 1, 0x80, 0xFF, 0xFF, 0, 0, 2}, {1, 1, 0x11, 0x04}},
        FrameCase{"ReadTooShort", {1, 1, 0x82, 0, 1, 0, 0}, {1, 1, 0x10, 0x02}},
        FrameCase{"OnlyTheCommandCode", {1, 1}, {1, 1, 0x10, 0x02}},
        FrameCase{"Empty", {}, {0, 0, 0x10, 0x02}},
        FrameCase{"ReadTooLong", {1, 1, 0x82, 0, 1, 0, 0, 1, 0}, {1, 1, 0x10, 0x01}},
        FrameCase{"WriteDataShort", {1, 2, 0x82, 0, 1, 0, 0, 2, 0, 1, 0}, {1, 2, 0x10, 0x03}},
        FrameCase{"WriteDataLong", {1, 2, 0x01, 0, 1, 0, 0, 1, 1, 2}, {1, 2, 0x10, 0x03}},
        FrameCase{"OtherCommand", {5, 1}, {5, 1, 0x04, 0x01}},
        FrameCase{"OtherSubCommand", {1, 4, 0x82, 0, 1, 0, 0, 1}, {1, 4, 0x04, 0x01}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Controller, WhatIsWrittenIsReadBack) {
  sim::SimulatedController c;
  EXPECT_EQ(c.handle(Bytes{1, 2, 0x9C, 0x00, 0x03, 0, 0, 2, 0x01, 0x02, 0x03, 0x04}), (Bytes{1, 2, 0, 0}));
  EXPECT_EQ(c.handle(Bytes{1, 1, 0x9C, 0x00, 0x03, 0, 0, 2}), (Bytes{1, 1, 0, 0, 0x01, 0x02, 0x03, 0x04}));
}

TEST(Controller, RefusedWriteChangesNothing) {
  sim::SimulatedController c;
  c.setAreaSize(0x82, 10);
  c.handle(Bytes{1, 2, 0x82, 0, 9, 0, 0, 2, 0, 1, 0, 2});
  std::uint16_t v = 1;
  ASSERT_TRUE(c.peek(0x82, 9, v));
  EXPECT_EQ(v, 0);
}

}  // namespace
