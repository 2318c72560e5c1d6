// Check_yyy's length test and Get_yyy's decoding, with reply buffers of exactly
// the received size so that a read past them is caught by the sanitizer build.

#include <memory>

#include "tests/driver/driver_fixture.h"

namespace drivertest {
namespace {

// A reply buffer of exactly the given bytes on the heap.
struct Reply {
  explicit Reply(std::vector<std::uint8_t> bytes) : size(static_cast<int>(bytes.size())), data(new unsigned char[bytes.size()]) {
    if (!bytes.empty()) std::memcpy(data.get(), bytes.data(), bytes.size());
  }
  int size;
  std::unique_ptr<unsigned char[]> data;
};

struct CheckCase {
  const char* name;
  int countRec;
  int maxRec;
  int result;
  Lines errorLines;
};

class CheckLengths : public DriverFixture, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckLengths, AcceptEnoughBytesOrTheBareHeader) {
  const CheckCase& c = GetParam();
  const ItemAddress ia = item(5, 10, 0, 0);
  Reply reply(std::vector<std::uint8_t>(static_cast<std::size_t>(std::max(c.countRec, 0)), 0xA5));
  EXPECT_EQ(check(&ia, &c.countRec, &c.maxRec, reply.data.get()), c.result);
  Lines expected{info("Check_yyy", "ia.c[0]=5 count_rec=" + std::to_string(c.countRec) +
                                       " max_rec=" + std::to_string(c.maxRec))};
  for (const std::string& line : c.errorLines) expected.push_back(error("Check_yyy", line));
  EXPECT_EQ(logLines(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckLengths,
    ::testing::Values(CheckCase{"Exact", 6, 6, 0, {}}, CheckCase{"Longer", 8, 6, 0, {}},
                      CheckCase{"BareHeaderPasses", 4, 10, 0, {}},
                      CheckCase{"Short", 5, 10, -1, {"received 5 of 10 expected", "rbuf: a5 a5 a5 a5 a5"}},
                      CheckCase{"ShortOfAWriteReply", 3, 4, -1, {"received 3 of 4 expected", "rbuf: a5 a5 a5"}},
                      CheckCase{"Nothing", 0, 6, -1, {"received 0 of 6 expected", "rbuf: "}},
                      CheckCase{"NegativeCountIsRefusedAndDumpsNothing", -1, -5, -1,
                                {"received -1 of -5 expected", "rbuf: "}}),
    [](const auto& p) { return std::string(p.param.name); });

// Records preset with markers that show what Get_yyy touched.
std::vector<ItemValue> presetRecords(std::size_t n, std::uint8_t direction = 0) {
  std::vector<ItemValue> records(n, ItemValue{{0x11, 0x11, 0x11, 0x11}, {64, 2, 0x33, direction}});
  return records;
}

struct GetResult {
  int result;
  int qRec;
  int typeCnv;
};

class GetReplies : public DriverFixture {
 protected:
  GetResult run(const ItemAddress& ia, const std::vector<std::uint8_t>& bytes, std::vector<ItemValue>& records,
                int countRec = -100) {
    Reply reply(bytes);
    if (countRec == -100) countRec = reply.size;
    GetResult r{0, -1, -1};
    r.result = get(&ia, &countRec, &r.qRec, records.data(), reply.data.get(), &r.typeCnv);
    return r;
  }
};

TEST_F(GetReplies, GoodReadOfWordValuesTracesEachInHex) {
  auto records = presetRecords(2);
  const GetResult r = run(item(0, 10, 0, 1), {0x01, 0x01, 0x00, 0x00, 0x01, 0x2C, 0xFF, 0xFF}, records);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.qRec, 2);
  EXPECT_EQ(r.typeCnv, 0);
  EXPECT_EQ(valueOf(records[0]), 300.0f);
  EXPECT_EQ(valueOf(records[1]), 65535.0f);
  EXPECT_EQ(records[0].F[0], 0);
  EXPECT_EQ(records[0].F[1], 0);
  EXPECT_EQ(records[1].F[1], 2) << "statuses after the first are the host's";
  EXPECT_EQ(records[1].F[0], 64);
  const std::string fn = "Get_yyy";
  EXPECT_EQ(logLines(), (Lines{info(fn, "q_rec=2 type_cnv=0 no_of_bytes=2"), info(fn, "rbuf: 01 01 00 00 01 2c ff ff"),
                               info(fn, "hibyte=1 lobyte=2c"), info(fn, "p[0]=12c"), info(fn, "hibyte=ff lobyte=ff"),
                               info(fn, "p[1]=ffff")}));
}

TEST_F(GetReplies, GoodReadOfAByteValueLogsNoValueLine) {
  auto records = presetRecords(1);
  const GetResult r = run(item(0, 6, 0, 0), {0x01, 0x01, 0x00, 0x00, 0x07}, records);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(valueOf(records[0]), 7.0f);
  EXPECT_EQ(logLines(), (Lines{info("Get_yyy", "q_rec=1 type_cnv=0 no_of_bytes=1"),
                               info("Get_yyy", "rbuf: 01 01 00 00 07")}));
}

TEST_F(GetReplies, IndexOfTheValueLinesIsHexadecimal) {
  auto records = presetRecords(21);
  std::vector<std::uint8_t> reply{0x01, 0x01, 0x00, 0x00};
  for (int k = 0; k < 21; ++k) reply.insert(reply.end(), {0x00, static_cast<std::uint8_t>(k)});
  run(item(0, 10, 0, 20), reply, records);
  EXPECT_EQ(valueOf(records[20]), 20.0f);
  const Lines lines = logLines();
  ASSERT_EQ(lines.size(), 2u + 2u * 21u);
  EXPECT_EQ(lines[3], info("Get_yyy", "p[0]=0"));
  EXPECT_EQ(lines[23], info("Get_yyy", "p[a]=a"));
  EXPECT_EQ(lines.back(), info("Get_yyy", "p[14]=14"));
}

TEST_F(GetReplies, LinesAfterADecodeAreDecimalAgain) {
  auto records = presetRecords(1);
  run(item(0, 10, 0, 0), {0x01, 0x01, 0x00, 0x00, 0x00, 0x10}, records);
  run(item(0, 10, 0, 15), {0x01, 0x01, 0x11, 0x03}, records = presetRecords(16));
  const Lines lines = logLines();
  EXPECT_EQ(lines[4], info("Get_yyy", "q_rec=16 type_cnv=0 no_of_bytes=2"));
}

struct ErroneousCase {
  const char* name;
  std::uint8_t direction;
  std::vector<std::uint8_t> reply;
  std::size_t n;
  int typeCnv;
  std::string line;
};

class ErroneousReplies : public GetReplies, public ::testing::WithParamInterface<ErroneousCase> {};

TEST_P(ErroneousReplies, MarkTheRecordsAndKeepTheValues) {
  const ErroneousCase& c = GetParam();
  auto records = presetRecords(c.n + 1, c.direction);
  for (auto& r : records) r.F[1] = 0;
  const GetResult r = run(item(0, 10, 0, static_cast<std::uint8_t>(c.n - 1)), c.reply, records);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.typeCnv, c.typeCnv);
  const std::size_t marked = c.direction == 1 ? 1 : c.n;
  for (std::size_t k = 0; k < records.size(); ++k) {
    EXPECT_EQ(records[k].F[1], k < marked ? 2 : 0) << "record " << k;
    EXPECT_EQ(records[k].V[0], 0x11) << "record " << k;
  }
  EXPECT_EQ(records[0].F[0], 0);
  EXPECT_EQ(logLines().back(), error("Get_yyy", c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErroneousReplies,
    ::testing::Values(
        ErroneousCase{"ReadEndCode", 0, {0x01, 0x01, 0x11, 0x03}, 3, 99, "erroneous response code=11 03"},
        ErroneousCase{"ReadAnsweredAsWrite", 0, {0x01, 0x02, 0x00, 0x00, 0, 1}, 1, 99, "erroneous response code=00 00"},
        ErroneousCase{"WriteEndCode", 1, {0x01, 0x02, 0x10, 0x01}, 1, 0, "erroneous response=01 02 10 01"},
        // A good end code without the data that must follow it: nothing is decoded from the buffer.
        ErroneousCase{"BareHeaderOfARead", 0, {0x01, 0x01, 0x00, 0x00}, 2, 99,
                      "reply too short: received 4 of 8 bytes"},
        ErroneousCase{"ReadShortByOneByte", 0, {0x01, 0x01, 0x00, 0x00, 0x00, 0x05, 0x00}, 2, 99,
                      "reply too short: received 7 of 8 bytes"},
        ErroneousCase{"ReadShorterThanItsHeader", 0, {0x01, 0x01, 0x00}, 1, 99, "erroneous response code=00"},
        ErroneousCase{"WriteShorterThanItsHeader", 1, {0x01, 0x02}, 1, 0, "erroneous response=01 02"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(GetReplies, GoodWriteReplyIsReported) {
  auto records = presetRecords(1, 1);
  const GetResult r = run(item(0, 10, 0, 0), {0x01, 0x02, 0x00, 0x00}, records);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.typeCnv, 0);
  EXPECT_EQ(records[0].F[0], 0);
  EXPECT_EQ(records[0].F[1], 0);
  EXPECT_EQ(logLines().back(), info("Get_yyy", "channel written ok"));
}

TEST_F(GetReplies, NegativeCountDumpsNothingAndIsErroneous) {
  auto records = presetRecords(1);
  const GetResult r = run(item(0, 10, 0, 0), {}, records, -1);
  EXPECT_EQ(r.typeCnv, 99);
  EXPECT_EQ(records[0].F[1], 2);
  const Lines lines = logLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], info("Get_yyy", "rbuf: "));
}

TEST_F(GetReplies, AreaIndexBeyondTheTableTouchesNoRecord) {
  auto records = presetRecords(2);
  const GetResult r = run(item(0, 28, 0, 1), {0x01, 0x01, 0x00, 0x00, 0, 1, 0, 2}, records);
  EXPECT_EQ(r.result, -1);
  for (const auto& rec : records) {
    EXPECT_EQ(rec.F[0], 64);
    EXPECT_EQ(rec.F[1], 2);
    EXPECT_EQ(rec.V[0], 0x11);
  }
  EXPECT_EQ(logLines(), (Lines{error("Get_yyy", "area index 28 is outside the area table")}));
}

}  // namespace
}  // namespace drivertest
