// clkhost end to end, run from a copy of the stage folder as a user would,
// against the embedded simulator of the stand-in link library.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/background_program.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

class HostFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(TARVIK_STAGE_DIR)) {
      if (entry.is_regular_file() && entry.path().extension() != ".log") fs::copy_file(entry.path(), dir_.path() / entry.path().filename());
    }
    ASSERT_TRUE(dir_.exists("clkhost"));
  }

  testsupport::RunResult run(const std::vector<std::string>& args, int timeoutSeconds = 60) {
    return testsupport::runProgram(dir_.file("clkhost"), args, dir_.path(), timeoutSeconds);
  }

  // Starts finsim on a free loopback port and points the stand-in's bridge at it.
  void useFinsim(std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"--port", "0"});
    finsim_ = std::make_unique<testsupport::BackgroundProgram>(dir_.file("finsim"), args);
    const std::string line = finsim_->firstLine();
    const auto colon = line.rfind(':');
    ASSERT_NE(colon, std::string::npos) << line;
    dir_.write("clk_lib.conf", "backend bridge\nlocal 0.9\ngateway 127.0.0.1:" + line.substr(colon + 1) + "\n");
  }

  // The names of the exports in a log, one per run of consecutive lines.
  std::vector<std::string> callOrder(const std::string& logName) const {
    std::vector<std::string> order;
    for (const auto& line : testsupport::logBody(dir_.read(logName))) {
      const auto start = 9u;
      const auto colon = line.find(": ", start);
      if (line.size() < start || colon == std::string::npos) continue;
      const std::string name = line.substr(start, colon - start);
      if (order.empty() || order.back() != name) order.push_back(name);
    }
    return order;
  }

  testsupport::TempDir dir_;
  std::unique_ptr<testsupport::BackgroundProgram> finsim_;
};

std::string jsonValue(const std::string& name, long value) {
  return "{\"name\":\"" + name + "\",\"value\":" + std::to_string(value) + ",\"status\":\"ok\"";
}

// A write and a read-back tag at offset 50 of every row of the area table.
long rowValue(int row) {
  const bool byteRow = row == 6 || row == 8 || row == 11 || row == 12 || row == 27;
  return byteRow ? (row * 7 + 3) % 256 : (row * 2311 + 17) % 65536;
}

std::string everyRowItems() {
  std::string items;
  for (int row = 0; row < 28; ++row) {
    items += "w" + std::to_string(row) + " 1 " + std::to_string(row) + " 50 " + std::to_string(rowValue(row)) + "\n";
    items += "r" + std::to_string(row) + " 1 " + std::to_string(row) + " 50\n";
  }
  return items;
}

void expectEveryRowReadBack(const testsupport::RunResult& result) {
  EXPECT_EQ(result.exitCode, 0) << result.err << result.out;
  for (int row = 0; row < 28; ++row) {
    EXPECT_NE(result.out.find(jsonValue("r" + std::to_string(row), rowValue(row))), std::string::npos) << "row " << row;
  }
}

TEST_F(HostFolder, ValuesWrittenToEveryAreaRowReadBackEqual) {
  dir_.write("items.txt", everyRowItems());
  expectEveryRowReadBack(run({"items.txt", "--json"}));
}

TEST_F(HostFolder, ValuesWrittenOverTheBridgeToFinsimReadBackEqual) {
  ASSERT_NO_FATAL_FAILURE(useFinsim());
  dir_.write("items.txt", everyRowItems());
  expectEveryRowReadBack(run({"items.txt", "--json"}));
  const auto log = dir_.read("quellon.log");
  EXPECT_NE(log.find("info:    ReadMedia: from addr=1.7.0"), std::string::npos);
}

TEST_F(HostFolder, UnansweredBridgeRequestsDoNotHangTheHost) {
  dir_.write("clk_lib.conf", "backend bridge\ngateway 127.0.0.1:9\n");  // nothing listens there
  dir_.write("items.txt", "a 1 dm 1\n");
  const auto result = run({}, 30);
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_NE(result.out.find("error: no reply of the expected length"), std::string::npos) << result.out;
}

TEST_F(HostFolder, SampleItemsPollCleanly) {
  const auto result = run({});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("setpoint    0     dm        100     1500"), std::string::npos) << result.out;
}

TEST_F(HostFolder, ErroneousReplyIsShownAsAnErrorAndExitsOne) {
  dir_.write("items.txt", "w 1 hr 5 9\nr 1 hr 5\nother 0 dm 1 4\n");
  dir_.write("clk_lib.conf", "fault 1.7.0 end-code 1103\n");
  const auto result = run({"--json"});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  // A write reply carries no data, so its end code reaches the driver; a read
  // reply without its data is refused for its length first.
  EXPECT_NE(result.out.find("{\"name\":\"w\",\"value\":null,\"status\":\"error\",\"error\":\"erroneous reply\""),
            std::string::npos) << result.out;
  EXPECT_NE(result.out.find("{\"name\":\"r\",\"value\":null,\"status\":\"error\",\"error\":\"no reply of the expected length\""),
            std::string::npos) << result.out;
  EXPECT_NE(result.out.find(jsonValue("other", 4)), std::string::npos) << "other controllers answer";
  const auto table = run({});
  EXPECT_NE(table.out.find("error: erroneous reply"), std::string::npos) << table.out;
}

TEST_F(HostFolder, ErroneousReplyFromFinsimIsShownAsAnErrorAndExitsOne) {
  ASSERT_NO_FATAL_FAILURE(useFinsim({"--area", "0x82=100"}));  // DM holds 100 words only
  dir_.write("items.txt", "inside 1 dm 5 9\nbeyond_w 1 dm 200 3\nbeyond 1 dm 200\n");
  const auto result = run({"--json"});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_NE(result.out.find(jsonValue("inside", 9)), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("{\"name\":\"beyond_w\",\"value\":null,\"status\":\"error\",\"error\":\"erroneous reply\""),
            std::string::npos) << result.out;
  EXPECT_NE(result.out.find("{\"name\":\"beyond\",\"value\":null,\"status\":\"error\""), std::string::npos)
      << result.out;
}

TEST_F(HostFolder, ControllerThatDoesNotAnswerDoesNotHangTheHost) {
  dir_.write("clk_lib.conf", "fault 1.7.0 drop\n");
  const auto result = run({}, 30);
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_NE(result.out.find("error: no reply of the expected length"), std::string::npos) << result.out;
}

struct FaultCase {
  const char* name;
  const char* fault;
  int exitCode;
  const char* shown;  // what the tag "r" shows
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.fault; }

class HostUnderFaults : public HostFolder, public ::testing::WithParamInterface<FaultCase> {};

// Every fault the stand-in injects, as the host sees it through the media library.
TEST_P(HostUnderFaults, ShowTheirEffectAndNeverHang) {
  dir_.write("items.txt", "w 1 dm 5 77\nr 1 dm 5\n");
  dir_.write("clk_lib.conf", std::string("fault 1.7.0 ") + GetParam().fault + "\n");
  const auto result = run({}, 30);
  EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.err;
  EXPECT_NE(result.out.find(std::string("r     1     dm        5       ") + GetParam().shown), std::string::npos)
      << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostUnderFaults,
    ::testing::Values(FaultCase{"StrayMessageIsSkipped", "stray", 0, "77"},
                      FaultCase{"ShortDelayIsWaitedFor", "delay 100", 0, "77"},
                      FaultCase{"LongDelayIsNoReply", "delay 1500", 1, "error: no reply of the expected length"},
                      FaultCase{"CutReply", "cut 3", 1, "error: no reply of the expected length"},
                      FaultCase{"SendFails", "send-fail 5", 1, "error: request not sent"},
                      FaultCase{"SendGivesAnotherResult", "send-result 9", 1, "error: request not sent"}),
    [](const auto& p) { return std::string(p.param.name); });

struct SetupFailure {
  const char* name;
  const char* removeFile;
  const char* clkConfig;
  const char* sentence;
};

void PrintTo(const SetupFailure& c, std::ostream* os) { *os << c.name; }

class HostSetupFailures : public HostFolder, public ::testing::WithParamInterface<SetupFailure> {};

TEST_P(HostSetupFailures, ExitTwoWithOneSentence) {
  const SetupFailure& c = GetParam();
  if (*c.removeFile != '\0') fs::remove(dir_.path() / c.removeFile);
  if (*c.clkConfig != '\0') dir_.write("clk_lib.conf", c.clkConfig);
  const auto result = run({});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find(c.sentence), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostSetupFailures,
    ::testing::Values(
        SetupFailure{"MissingMediaLibrary", "media1.dll", "",
                     "clkhost: no media library (media?.dll holding the media identifier) was found beside the host "
                     "program; see tarvik_clk.log."},
        SetupFailure{"MissingAddressTable", "omron_clk_addr_tab", "",
                     "clkhost: the media library could not start: its address table omron_clk_addr_tab is missing "
                     "beside the host program; see quellon.log."},
        SetupFailure{"ClkOpenFails", "", "open-fail 6\n",
                     "clkhost: the media library could not start: it refused its address table omron_clk_addr_tab "
                     "or the link library could not open the Controller Link session; see quellon.log."},
        SetupFailure{"ClkOpenFailsWithTheBridge", "", "backend bridge\ngateway 127.0.0.1:9\nopen-fail 6\n",
                     "the link library could not open the Controller Link session; see quellon.log."},
        SetupFailure{"MissingDriver", "libtarvik.so", "", "clkhost: cannot load the driver"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(HostFolder, BadItemsLinesAreReportedAndNothingIsPolled) {
  dir_.write("items.txt", "good 0 dm 1\nbad 0 nowhere 1\nworse 0 dm\n");
  const auto result = run({});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("items.txt:2: area 'nowhere'"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("items.txt:3: expected"), std::string::npos) << result.err;
  EXPECT_FALSE(dir_.exists("quellon.log"));
}

class HostLogs : public HostFolder, public ::testing::WithParamInterface<bool> {};

TEST_P(HostLogs, BothLogsHoldTheCallsInTheirOrder) {
  if (GetParam()) {
    ASSERT_NO_FATAL_FAILURE(useFinsim());
  }
  dir_.write("items.txt", "w 0 dm 5 7\nr 0 dm 5\n");
  ASSERT_EQ(run({}).exitCode, 0);
  EXPECT_EQ(callOrder("tarvik_clk.log"),
            (std::vector<std::string>{"Open_yyy", "Set_yyy", "Check_yyy", "Get_yyy", "Set_yyy", "Check_yyy", "Get_yyy",
                                      "Close_yyy"}));
  EXPECT_EQ(callOrder("quellon.log"),
            (std::vector<std::string>{"OpenMedia", "StartMedia", "WriteMedia", "ReadMedia", "WriteMedia", "ReadMedia",
                                      "StopMedia", "CloseMedia"}));
  const auto driverLog = testsupport::splitLines(dir_.read("tarvik_clk.log"));
  EXPECT_EQ(driverLog.back().rfind("closed: ", 0), 0u);
  const auto mediaLog = testsupport::splitLines(dir_.read("quellon.log"));
  EXPECT_EQ(mediaLog.back().rfind("closed: ", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Backends, HostLogs, ::testing::Bool(),
                         [](const auto& p) { return std::string(p.param ? "FinsimOverTheBridge" : "EmbeddedSimulator"); });

TEST_F(HostFolder, SecondCycleGroupsUnderTheSecondPassRule) {
  dir_.write("items.txt", "a 0 dm 5\nb 0 dm 6\nc 0 dm 7\n");
  const auto result = run({"--cycles", "2", "--interval", "0", "--verbose"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("block plan (first pass):\n  block 1: unit 0 area dm offset 5, 3 value(s): a b c"),
            std::string::npos) << result.out;
  EXPECT_NE(result.out.find("block plan (second pass):\n  block 1: unit 0 area dm offset 5, 3 value(s): a b c"),
            std::string::npos) << result.out;
}

}  // namespace
