// Set_yyy frames and lengths, and both rules of zCompare_yyy.

#include <array>

#include "tests/driver/driver_fixture.h"

namespace drivertest {
namespace {

constexpr std::uint8_t guard = 0xEE;  // frame bytes the driver must not write

struct FrameCase {
  const char* name;
  ItemAddress ia;
  ItemValue value;
  int result;
  std::vector<std::uint8_t> frame;  // the bytes written; the rest of the buffer keeps the guard
  int maxSend;
  int maxRec;
};

ItemValue readValue() { return ItemValue{{0, 0, 0, 0}, {0, 0, 0, 0}}; }
ItemValue writeValue(std::uint8_t lo, std::uint8_t hi, std::uint8_t form = 64) {
  return ItemValue{{lo, hi, 0x56, 0x78}, {form, 0, 0, 1}};
}

class SetFrames : public DriverFixture, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(SetFrames, WriteTheFinsRequestAndItsLengths) {
  const FrameCase& c = GetParam();
  std::array<std::uint8_t, 16> frame;
  frame.fill(guard);
  int maxSend = -7, maxRec = -7;
  EXPECT_EQ(set(&c.ia, &maxSend, &maxRec, &c.value, frame.data()), c.result);
  std::vector<std::uint8_t> expected = c.frame;
  expected.resize(frame.size(), guard);
  EXPECT_EQ(std::vector<std::uint8_t>(frame.begin(), frame.end()), expected);
  if (c.result == 0) {
    EXPECT_EQ(maxSend, c.maxSend);
    EXPECT_EQ(maxRec, c.maxRec);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetFrames,
    ::testing::Values(
        FrameCase{"ReadOneWordValue", item(1, 10, 0x64, 0), readValue(),
                  0, {1, 0x01, 0x01, 0x82, 0x00, 0x64, 0x00, 0x00, 0x01}, 9, 6},
        FrameCase{"ReadOf128ByteValues", item(2, 6, 0x10, 127), readValue(),
                  0, {2, 0x01, 0x01, 0x01, 0x00, 0x10, 0x00, 0x00, 0x80}, 9, 132},
        FrameCase{"Area27AddsItsBase", item(0, 27, 5, 0), readValue(),
                  0, {0, 0x01, 0x01, 0x1B, 0xAC, 0x05, 0x00, 0x00, 0x01}, 9, 5},
        FrameCase{"WordAddressWrapsAt16Bits", item(0, 18, 0x2000, 1), readValue(),
                  0, {0, 0x01, 0x01, 0x90, 0x00, 0x00, 0x00, 0x00, 0x02}, 9, 8},
        FrameCase{"Area2Base09FF", item(3, 2, 1, 0), readValue(),
                  0, {3, 0x01, 0x01, 0x80, 0x0A, 0x00, 0x00, 0x00, 0x01}, 9, 6},
        FrameCase{"WriteWordValueHighByteFirst", item(1, 10, 0x64, 0), writeValue(0x34, 0x12),
                  0, {1, 0x01, 0x02, 0x82, 0x00, 0x64, 0x00, 0x00, 0x01, 0x12, 0x34}, 11, 4},
        FrameCase{"WriteByteValueTakesTheLowByte", item(1, 6, 7, 0), writeValue(0xAB, 0xCD),
                  0, {1, 0x01, 0x02, 0x01, 0x00, 0x07, 0x00, 0x00, 0x01, 0xAB}, 10, 4},
        FrameCase{"WriteIgnoresTheCountByte", item(1, 10, 0, 5), writeValue(0x01, 0x00),
                  0, {1, 0x01, 0x02, 0x82, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01}, 11, 4},
        FrameCase{"WriteNotInHexFormIsRefusedAfterTheHead", item(1, 10, 0, 0), writeValue(0x01, 0x00, 0),
                  -1, {1, 0x01, 0x02, 0x82, 0x00, 0x00, 0x00, 0x00, 0x01}, 0, 0},
        FrameCase{"AreaIndexBeyondTheTableWritesNothing", item(1, 28, 0, 0), readValue(), -1, {}, 0, 0},
        FrameCase{"AreaIndex255WritesNothing", item(1, 255, 0, 0), writeValue(1, 0), -1, {}, 0, 0},
        FrameCase{"ReadCountByte255WritesNothing", item(1, 10, 0, 255), readValue(), -1, {}, 0, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DriverFixture, SetLogsTheBlockAndItsLengths) {
  const ItemAddress read = item(1, 10, 0x64, 1, 9);
  const ItemAddress wrong = item(1, 40, 0, 0);
  const ItemValue write = writeValue(0x34, 0x12);
  const ItemValue notHex = writeValue(0x34, 0x12, 0);
  const ItemValue none = readValue();
  std::uint8_t frame[11];
  int maxSend = 0, maxRec = 0;
  set(&read, &maxSend, &maxRec, &none, frame);
  set(&read, &maxSend, &maxRec, &write, frame);
  set(&read, &maxSend, &maxRec, &notHex, frame);
  set(&wrong, &maxSend, &maxRec, &none, frame);
  const std::string fn = "Set_yyy";
  const Lines head = {info(fn, "UnitID(ia.c[0])=1 debug=9"), info(fn, "area code=130"), info(fn, "offset=100"),
                      info(fn, "no. of bytes=2"), info(fn, "num_of_values=2")};
  Lines expected = head;
  expected.push_back(info(fn, "max_send=9 max_rec=8"));
  expected.insert(expected.end(), head.begin(), head.end());
  expected.push_back(info(fn, "p[0].V=34 12 56 78"));
  expected.push_back(info(fn, "p[0].F=40 00 00 01"));
  expected.push_back(info(fn, "max_send=11 max_rec=4"));
  expected.insert(expected.end(), head.begin(), head.end());
  expected.push_back(info(fn, "p[0].V=34 12 56 78"));
  expected.push_back(info(fn, "p[0].F=00 00 00 01"));
  expected.push_back(error(fn, "value must be hex for output"));
  expected.push_back(error(fn, "area index 40 is outside the area table"));
  EXPECT_EQ(logLines(), expected);
}

TEST_F(DriverFixture, ReadCountByte255IsRefusedWithALine) {
  const ItemAddress ia = item(0, 10, 0, 255);
  const ItemValue none = readValue();
  std::uint8_t frame[11];
  int maxSend = 0, maxRec = 0;
  EXPECT_EQ(set(&ia, &maxSend, &maxRec, &none, frame), -1);
  const Lines lines = logLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), error("Set_yyy", "count byte 255 refused: a read request holds at most 255 values"));
}

struct CompareCase {
  const char* name;
  bool firstPass;
  std::uint16_t offset0;
  std::uint16_t offset1;
  std::uint32_t count;
  int result;
};

class CompareRules : public DriverFixture, public ::testing::WithParamInterface<CompareCase> {};

TEST_P(CompareRules, DecideByOffsetsAndCountOnly) {
  const CompareCase& c = GetParam();
  if (!c.firstPass) {
    const ItemAddress any = item(0, 10, 0, 0);
    const ItemValue none = readValue();
    std::uint8_t frame[11];
    int maxSend = 0, maxRec = 0;
    set(&any, &maxSend, &maxRec, &none, frame);  // ends the first pass
  }
  // Different UnitID and area: the host's part, not the driver's.
  const ItemAddress a = item(1, 10, c.offset0, 0, 3);
  const ItemAddress b = item(2, 11, c.offset1, 0, 4);
  EXPECT_EQ(compare(&a, &b, &c.count), c.result);
  const Lines lines = logLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), info("zCompare_yyy", std::string(c.firstPass ? "first_pass " : "second_pass ") +
                                                   "count=" + std::to_string(c.count) + " ia0.i[1]=" +
                                                   std::to_string(c.offset0) + " ia1.i[1]=" + std::to_string(c.offset1) +
                                                   " debug0=3 debug1=4 retval=" + std::to_string(c.result)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareRules,
    ::testing::Values(CompareCase{"FirstPassNextOffsetJoins", true, 100, 101, 0, 1},
                      CompareCase{"FirstPassSameOffsetDoesNot", true, 100, 100, 0, 0},
                      CompareCase{"FirstPassCount126Passes", true, 100, 227, 126, 1},
                      CompareCase{"FirstPassCount127DoesNot", true, 100, 228, 127, 0},
                      CompareCase{"FirstPassAllBitsCountWrapsToZero", true, 100, 100, 0xFFFFFFFFu, 1},
                      CompareCase{"FirstPassNoWrapAt65536", true, 65535, 0, 0, 0},
                      CompareCase{"SecondPassSameOffsetJoins", false, 100, 100, 0, 1},
                      CompareCase{"SecondPassNextOffsetDoesNot", false, 100, 101, 0, 0},
                      CompareCase{"SecondPassCount127Passes", false, 0, 127, 127, 1},
                      CompareCase{"SecondPassCount128DoesNot", false, 0, 128, 128, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DriverFixture, NullArgumentsAreRefusedWithoutBeingRead) {
  const ItemAddress ia = item(0, 10, 0, 0);
  const ItemValue none = readValue();
  int maxSend = 0, maxRec = 0, qRec = 0, typeCnv = 0;
  const int count = 6;
  const unsigned zero = 0;
  std::uint8_t frame[11];
  std::int32_t media = 0;
  EXPECT_EQ(set(&ia, &maxSend, nullptr, &none, frame), -1);
  EXPECT_EQ(compare(&ia, nullptr, &zero), 0);
  EXPECT_EQ(check(&ia, &count, &maxRec, nullptr), -1);
  EXPECT_EQ(get(nullptr, &count, &qRec, nullptr, frame, &typeCnv), -1);
  EXPECT_EQ(open(&media, nullptr, nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(logLines(), (Lines{error("Set_yyy", "null argument"), error("zCompare_yyy", "null argument"),
                               error("Check_yyy", "null argument"), error("Get_yyy", "null argument"),
                               error("Open_yyy", "null argument")}));
}

TEST_F(DriverFixture, OpenStartsTheFirstPassAgainAfterASet) {
  const ItemAddress a = item(0, 10, 100, 0);
  const ItemAddress b = item(0, 10, 101, 0);
  const ItemValue none = readValue();
  const unsigned count = 0;
  std::uint8_t frame[11];
  int maxSend = 0, maxRec = 0;
  std::int32_t media = 0, qIn = 0, qOut = 0, qData = 0;
  char name[16];
  EXPECT_EQ(compare(&a, &b, &count), 1);
  EXPECT_EQ(set(&a, &maxSend, &maxRec, &none, frame), 0);
  EXPECT_EQ(compare(&a, &b, &count), 0);
  EXPECT_EQ(compare(&a, &b, &count), 0);  // the second pass lasts
  open(&media, name, &qIn, &qOut, &qData);
  EXPECT_EQ(compare(&a, &b, &count), 1);
}

}  // namespace
}  // namespace drivertest
