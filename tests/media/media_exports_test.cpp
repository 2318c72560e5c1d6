// The media library's exports on the real library, loaded by a probe host from
// a temporary host folder, against a scripted link library beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string infoLine(const std::string& fn, const std::string& text) { return "info:    " + fn + ": " + text; }
std::string errorLine(const std::string& fn, const std::string& text) { return "error:   " + fn + ": " + text; }

class MediaFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(MEDIA_PROBE_PATH, dir_.path() / "media_probe");
    fs::copy_file(MEDIA_LIBRARY_PATH, dir_.path() / "media1.dll");
    fs::copy_file(CLK_DOUBLE_PATH, dir_.path() / "libclk_lib.so");
    dir_.write("_logger", "level=0\n");
    dir_.write("omron_clk_addr_tab", "; UnitID address\n1\t1.7.0\n0 0.0.3\n");
  }

  // Runs the probe; keeps the log lines and the link library calls.
  std::string run(const std::vector<std::string>& actions, const std::string& script = "") {
    dir_.write("clk_script", script);
    const auto result = testsupport::runProgram(dir_.file("media_probe"), actions, dir_.path(), 30);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    log_ = testsupport::logBody(dir_.read("quellon.log"));
    calls_ = testsupport::splitLines(dir_.read("clk_calls"));
    return result.out;
  }

  Lines startLines() const {
    return {infoLine("StartMedia", "current module: " + dir_.file("media_probe")), infoLine("StartMedia", "initialized addr table:"),
            infoLine("StartMedia", "0 0.0.3"), infoLine("StartMedia", "1 1.7.0")};
  }

  // Log lines from the given export on.
  Lines linesOf(const std::string& fn) const {
    Lines out;
    for (const auto& line : log_) {
      if (line.find(" " + fn + ": ") != std::string::npos) out.push_back(line);
    }
    return out;
  }

  testsupport::TempDir dir_;
  Lines log_;
  Lines calls_;
};

TEST_F(MediaFolder, OpenHandsOutTheMediaIdAndCloseOnlyLogs) {
  EXPECT_EQ(run({"open", "close"}), "open=0 id=373460712\nclose=0\n");
  EXPECT_EQ(log_, (Lines{infoLine("OpenMedia", ""), infoLine("CloseMedia", "")}));
  EXPECT_TRUE(calls_.empty());
}

TEST_F(MediaFolder, StartListsTheTableAndOpensTheUnitOfUnitIdZero) {
  EXPECT_EQ(run({"start"}), "start=0\n");
  EXPECT_EQ(log_, startLines());
  EXPECT_EQ(calls_, (Lines{"ClkOpen unit=3 error_in=0"}));
}

TEST_F(MediaFolder, StartWithoutTableFileWritesOneLine) {
  fs::remove(dir_.path() / "omron_clk_addr_tab");
  EXPECT_EQ(run({"start", "stop"}), "start=-1\nstop=0\n");
  EXPECT_EQ(log_, (Lines{infoLine("StartMedia", "current module: " + dir_.file("media_probe")),
                         errorLine("StartMedia", "cannot open file omron_clk_addr_tab"),
                         errorLine("StopMedia", "handle is CLK_ERROR, nothing to close")}));
  EXPECT_TRUE(calls_.empty());
}

TEST_F(MediaFolder, StartWithoutUnitIdZeroDoesNotOpen) {
  dir_.write("omron_clk_addr_tab", "1\t1.7.0\n");
  EXPECT_EQ(run({"start"}), "start=-1\n");
  EXPECT_EQ(log_, (Lines{infoLine("StartMedia", "current module: " + dir_.file("media_probe")),
                         infoLine("StartMedia", "initialized addr table:"), infoLine("StartMedia", "1 1.7.0"),
                         errorLine("StartMedia", "no entry for UnitID = 0")}));
  EXPECT_TRUE(calls_.empty());
}

TEST_F(MediaFolder, FailedOpenLeavesNoSessionToClose) {
  EXPECT_EQ(run({"start", "stop"}, "open -1 17\n"), "start=-1\nstop=0\n");
  EXPECT_EQ(linesOf("StartMedia").back(), errorLine("StartMedia", "ClkOpen failed with error 17"));
  EXPECT_EQ(linesOf("StopMedia"), (Lines{errorLine("StopMedia", "handle is CLK_ERROR, nothing to close")}));
  EXPECT_EQ(calls_, (Lines{"ClkOpen unit=3 error_in=0"}));
}

TEST_F(MediaFolder, StopClosesOnceAndASecondStopHasNothingToClose) {
  EXPECT_EQ(run({"stop", "start", "stop", "stop"}, "open 41 0\n"), "stop=0\nstart=0\nstop=0\nstop=0\n");
  EXPECT_EQ(linesOf("StopMedia"), (Lines{errorLine("StopMedia", "handle is CLK_ERROR, nothing to close"), infoLine("StopMedia", ""),
                                         errorLine("StopMedia", "handle is CLK_ERROR, nothing to close")}));
  EXPECT_EQ(calls_, (Lines{"ClkOpen unit=3 error_in=0", "ClkClose handle=41"}));
}

TEST_F(MediaFolder, FailedCloseReportsTheLastError) {
  EXPECT_EQ(run({"start", "stop"}, "close -1\nlasterror 42\n"), "start=0\nstop=-1\n");
  EXPECT_EQ(linesOf("StopMedia"), (Lines{errorLine("StopMedia", "ClkClose failed with error 42")}));
  EXPECT_EQ(calls_, (Lines{"ClkOpen unit=3 error_in=0", "ClkClose handle=1", "ClkLastError handle=1"}));
}

TEST_F(MediaFolder, SecondStartClosesTheOpenSessionFirst) {
  EXPECT_EQ(run({"start", "start"}, "open 1 0\nopen 2 0\n"), "start=0\nstart=0\n");
  EXPECT_EQ(calls_, (Lines{"ClkOpen unit=3 error_in=0", "ClkClose handle=1", "ClkOpen unit=3 error_in=0"}));
}

TEST_F(MediaFolder, WriteSendsTheFrameWithoutItsUnitIdToTheTablesAddress) {
  EXPECT_EQ(run({"start", "write:010101820064000001"}), "start=0\nwrite=0 count=8\n");
  EXPECT_EQ(linesOf("WriteMedia"), (Lines{infoLine("WriteMedia", "sending message to 1.7.0"),
                                          infoLine("WriteMedia", "message \"01 01 82 00 64 00 00 01\" sent ok")}));
  EXPECT_EQ(calls_.back(), "ClkSendMessage handle=1 header=80 01 07 00 01 00 00 00 length=8 data=01 01 82 00 64 00 00 01");
}

struct WriteCase {
  const char* name;
  std::string frame;
  std::string script;
  std::string out;
  Lines lines;
  bool sends;
};

class WriteFailures : public MediaFolder, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteFailures, ReportTheirCauseAndCount) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(run({"start", "write:" + c.frame}, c.script), "start=0\n" + c.out);
  Lines expected;
  for (const auto& l : c.lines) expected.push_back(l);
  EXPECT_EQ(linesOf("WriteMedia"), expected);
  bool sent = false;
  for (const auto& call : calls_) sent = sent || call.rfind("ClkSendMessage", 0) == 0;
  EXPECT_EQ(sent, c.sends);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFailures,
    ::testing::Values(
        WriteCase{"UnknownUnitId", "0901", "", "write=-1 count=77\n",
                  {errorLine("WriteMedia", "no addr table entry for UnitID=9")}, false},
        WriteCase{"SendFailed", "010101", "send -1\nlasterror 5\n", "write=-1 count=0\n",
                  {infoLine("WriteMedia", "sending message to 1.7.0"),
                   errorLine("WriteMedia", "message \"01 01\" not sent due to error 5")}, true},
        WriteCase{"SendGaveAnotherResult", "010101", "send 5\n", "write=-1 count=77\n",
                  {infoLine("WriteMedia", "sending message to 1.7.0")}, true},
        WriteCase{"UnitIdOnlySendsAnEmptyBody", "00", "", "write=0 count=0\n",
                  {infoLine("WriteMedia", "sending message to 0.0.3"), infoLine("WriteMedia", "message \"\" sent ok")}, true},
        WriteCase{"NoUnitIdByteIsRefused", "", "", "write=-1 count=77\n",
                  {errorLine("WriteMedia", "invalid frame length 0")}, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MediaFolder, ReadSkipsOtherKindsAndTakesTheReply) {
  EXPECT_EQ(run({"start", "read:6"}, "recv len 2 9.9.9 aa bb\nrecv len 1 1.7.0 01 01 00 00 00 05\n"),
            "start=0\nread=0 count=6\n");
  EXPECT_EQ(linesOf("ReadMedia"), (Lines{infoLine("ReadMedia", "in_count=6 actual_count=6"),
                                         infoLine("ReadMedia", "from addr=1.7.0"),
                                         infoLine("ReadMedia", "message received: 01 01 00 00 00 05")}));
  EXPECT_EQ(calls_, (Lines{"ClkOpen unit=3 error_in=0", "ClkReceiveMessage handle=1 length=6 timeout=1000",
                           "ClkReceiveMessage handle=1 length=6 timeout=1000"}));
}

struct ReadCase {
  const char* name;
  std::string length;
  std::string script;
  std::string line;
};

class ReadFailures : public MediaFolder, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadFailures, GiveAnErrorLineAndCountZero) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(run({"start", "read:" + c.length}, c.script), "start=0\nread=-1 count=0\n");
  EXPECT_EQ(linesOf("ReadMedia"), (Lines{errorLine("ReadMedia", c.line)}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFailures,
    ::testing::Values(ReadCase{"ReceiveFailed", "6", "lasterror 7\n", "error 7 occured"},
                      ReadCase{"OneByteShort", "6", "recv len 1 1.7.0 01 01 00 00 00\nlasterror 3\n", "error 3 occured"},
                      ReadCase{"LongerThanTheBuffer", "4", "recv 8 1 1.7.0 01 01 00 00\n", "error 0 occured"},
                      ReadCase{"NoBufferIsRefused", "0", "", "invalid buffer length 0"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(MediaFolder, TransferAfterStopNeverUsesTheClosedHandle) {
  run({"start", "stop", "write:0101", "read:4"}, "open 41 0\n");
  EXPECT_EQ(calls_[2].substr(0, 25), "ClkSendMessage handle=-1 ");
  EXPECT_EQ(calls_[3], "ClkReceiveMessage handle=-1 length=4 timeout=1000");
}

TEST_F(MediaFolder, EveryLineCarriesTheNameOfItsExportAfterFailures) {
  fs::remove(dir_.path() / "omron_clk_addr_tab");
  run({"start", "write:0901", "read:0", "open"});
  EXPECT_EQ(log_, (Lines{infoLine("StartMedia", "current module: " + dir_.file("media_probe")),
                         errorLine("StartMedia", "cannot open file omron_clk_addr_tab"),
                         errorLine("WriteMedia", "no addr table entry for UnitID=9"),
                         errorLine("ReadMedia", "invalid buffer length 0"), infoLine("OpenMedia", "")}));
}

}  // namespace
