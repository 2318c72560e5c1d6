#include "log/logger.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <regex>

#include "log/hexdump.h"
#include "log/log_stream.h"
#include "log/time_text.h"
#include "tests/support/test_support.h"

namespace {

using diag::lineEnd;
using diag::setBase;
using testsupport::logBody;
using testsupport::splitLines;
using Lines = std::vector<std::string>;

constexpr const char* logName = "test.log";

// Runs body against a Logger created in a fresh folder with the given
// "_logger" (nullptr: no such file) and returns the log file's text after the
// Logger is gone.
class LoggerFixture : public ::testing::Test {
 protected:
  std::string run(const char* config, const std::function<void(diag::Logger&)>& body) {
    if (config != nullptr) dir_.write("_logger", config);
    {
      testsupport::CurrentDirectory in(dir_.path());
      diag::Logger log(logName);
      log.enter("Fn");
      body(log);
      log.leave();
    }
    return dir_.read(logName);
  }
  Lines body(const char* config, const std::function<void(diag::Logger&)>& fn) { return logBody(run(config, fn)); }

  testsupport::TempDir dir_;
};

TEST_F(LoggerFixture, GateDropsLinesBelowTheConfiguredLevel) {
  const Lines lines = body("level=2\n", [](diag::Logger& log) {
    log.level(0) << "info" << lineEnd;
    log.level(1) << "warning" << lineEnd;
    log.level(2) << "error" << lineEnd;
    log.level(3) << "other" << lineEnd;
    log.level(-1) << "negative" << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"error:   Fn: error", "default: Fn: other"}));
}

TEST_F(LoggerFixture, PrefixWordsOfEveryLevel) {
  const Lines lines = body("level=0\n", [](diag::Logger& log) {
    log.level(0) << "a" << lineEnd;
    log.level(1) << "b" << lineEnd;
    log.level(2) << "c" << lineEnd;
    log.level(7) << "d" << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"info:    Fn: a", "warning: Fn: b", "error:   Fn: c", "default: Fn: d"}));
}

TEST_F(LoggerFixture, FileIsFramedByCreatedAndClosedLines) {
  const std::string text = run("level=9\n", [](diag::Logger& log) { log.level(2) << "dropped" << lineEnd; });
  const Lines lines = splitLines(text);
  ASSERT_EQ(lines.size(), 2u);
  const std::regex timeText("[A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}");
  EXPECT_TRUE(std::regex_match(lines[0].substr(9), timeText)) << lines[0];
  EXPECT_EQ(lines[0].substr(0, 9), "created: ");
  EXPECT_EQ(lines[1].substr(0, 8), "closed: ");
  EXPECT_TRUE(std::regex_match(lines[1].substr(8), timeText)) << lines[1];
  EXPECT_EQ(text.back(), '\n');
}

TEST_F(LoggerFixture, MissingConfigurationSwitchesLoggingOff) {
  run(nullptr, [](diag::Logger& log) { log.level(2) << "x" << lineEnd; });
  EXPECT_FALSE(dir_.exists(logName));
}

TEST_F(LoggerFixture, DisabledLoggingLeavesAnEarlierLogUntouched) {
  dir_.write(logName, "earlier run\n");
  run("enabled=off\n", [](diag::Logger& log) { log.level(2) << "x" << lineEnd; });
  EXPECT_EQ(dir_.read(logName), "earlier run\n");
}

TEST_F(LoggerFixture, EmptyConfigurationLogsErrorsOnly) {
  dir_.write(logName, "earlier run\n");
  const Lines lines = body("", [](diag::Logger& log) {
    log.level(0) << "info" << lineEnd;
    log.level(2) << "error" << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"error:   Fn: error"}));
}

TEST_F(LoggerFixture, NumberBasesAndTheirForms) {
  const Lines lines = body("level=0\n", [](diag::Logger& log) {
    log.level(0) << setBase(16) << std::int32_t{-1} << ' ' << std::uint32_t{255} << ' ' << std::int32_t{10} << lineEnd;
    log << std::int32_t{171} << lineEnd;  // the base lasts across lines
    log << setBase(8) << std::int32_t{8} << ' ' << std::int32_t{-1} << lineEnd;
    log << setBase(7) << std::int32_t{255} << lineEnd;  // an unknown base prints decimal
    log << setBase(10) << std::int32_t{-42} << ' ' << std::uint32_t{4294967295u} << lineEnd;
    log << 1.5 << ' ' << 1234567.0 << ' ' << 0.1 << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"info:    Fn: ffffffff ff a", "info:    Fn: ab", "info:    Fn: 10 37777777777",
                          "info:    Fn: 255", "info:    Fn: -42 4294967295", "info:    Fn: 1.5 1.23457e+06 0.1"}));
}

TEST_F(LoggerFixture, HexdumpWritesTwoDigitsPerByteAndLeavesDecimal) {
  const std::uint8_t bytes[] = {0x0A, 0xFF, 0x10};
  const std::uint8_t five = 0x05;
  const Lines lines = body("level=0\n", [&](diag::Logger& log) {
    log.level(0) << "rbuf: ";
    diag::hexdump(log, bytes, 3);
    log << lineEnd;
    diag::hexdump(log, &five, 1);  // opens the line itself, with its prefix
    log << " " << std::int32_t{26} << lineEnd;
    log << setBase(16) << std::int32_t{26};
    diag::hexdump(log, bytes, 0);  // nothing, not even a base change
    log << ' ' << std::int32_t{26} << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"info:    Fn: rbuf: 0a ff 10", "info:    Fn: 05 26", "info:    Fn: 1a 1a"}));
}

TEST_F(LoggerFixture, HexdumpOfLengthZeroWritesNoPrefix) {
  const Lines lines = body("level=0\n", [](diag::Logger& log) {
    log.level(0);
    diag::hexdump(log, "", 0);
  });
  EXPECT_TRUE(lines.empty());
}

TEST_F(LoggerFixture, HexdumpThroughTheInterfaceMatchesTheConcreteLogger) {
  const std::uint8_t bytes[] = {0x00, 0xAB};
  const Lines lines = body("level=0\n", [&](diag::Logger& log) {
    diag::LoggerInterface& abstract = log;
    abstract.level(0);
    diag::hexdump(abstract, bytes, 2);
    abstract.apply(&lineEnd);
  });
  EXPECT_EQ(lines, (Lines{"info:    Fn: 00 ab"}));
}

TEST_F(LoggerFixture, LineFeedInsideTextStartsNoPrefixedLine) {
  const Lines lines = body("level=0\n", [](diag::Logger& log) {
    log.level(0) << "one\ntwo" << lineEnd;
    log << "three" << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"info:    Fn: one", "two", "info:    Fn: three"}));
}

TEST_F(LoggerFixture, LevelChangeInsideALineGatesTheRestOnly) {
  const Lines lines = body("level=1\n", [](diag::Logger& log) {
    log.level(2) << "kept ";
    log.level(0) << "dropped ";
    log.level(1) << "kept too" << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"error:   Fn: kept kept too"}));
}

TEST_F(LoggerFixture, LinesCarryTheInnermostEnteredName) {
  const Lines lines = body("level=0\n", [](diag::Logger& log) {
    log.enter("Inner");
    log.level(0) << "a" << lineEnd;
    log.leave();
    log << "b" << lineEnd;
    log.enter("");
    log << lineEnd;
    log.leave();
  });
  EXPECT_EQ(lines, (Lines{"info:    Inner: a", "info:    Fn: b", "info:    : "}));
}

TEST_F(LoggerFixture, StringObjectIsWrittenUpToItsFirstNul) {
  const Lines lines = body("level=0\n", [](diag::Logger& log) {
    log.level(0) << std::string("ab\0cd", 5) << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"info:    Fn: ab"}));
}

TEST_F(LoggerFixture, ClosedLineContinuesAnUnfinishedLine) {
  const std::string text = run("level=0\n", [](diag::Logger& log) { log.level(0) << "unfinished"; });
  const Lines lines = splitLines(text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].rfind("info:    Fn: unfinishedclosed: ", 0), 0u) << lines[1];
}

TEST_F(LoggerFixture, UnfinishedLineIsContinuedByTheNextCall) {
  const Lines lines = body("level=0\n", [](diag::Logger& log) {
    log.level(0) << "first ";
    log.leave();
    log.enter("Other");
    log << "second" << lineEnd;
  });
  EXPECT_EQ(lines, (Lines{"info:    Fn: first second"}));
}

TEST_F(LoggerFixture, UnwritableLogFileLeavesAUsableLogger) {
  std::filesystem::create_directory(dir_.path() / logName);  // a folder where the file should be
  dir_.write("_logger", "level=0\n");
  testsupport::CurrentDirectory in(dir_.path());
  diag::Logger log(logName);
  log.enter("Fn");
  log.level(0) << "goes nowhere" << std::int32_t{1} << lineEnd;
  diag::hexdump(log, "ab", 2);
  log.leave();
  EXPECT_TRUE(log.enabled());
}

TEST(TimeText, DayHasALeadingZero) {
  std::tm t{};
  t.tm_year = 2003 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 3;
  t.tm_hour = 8;
  t.tm_min = 5;
  t.tm_sec = 9;
  t.tm_wday = 1;
  EXPECT_EQ(diag::timeText(t), "Mon Mar 03 08:05:09 2003\n");
}

}  // namespace
