#include "log/config_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct LoggerSettingsCase {
  const char* name;
  const char* file;
  std::int32_t level;
  bool enabled;
};

// The two settings the Logger reads, as it reads them: level default 2, enabled default on.
class LoggerSettings : public ::testing::TestWithParam<LoggerSettingsCase> {};

TEST_P(LoggerSettings, AreReadAsTheFileSays) {
  std::istringstream in(GetParam().file);
  std::int32_t level = -99;
  bool enabled = false;
  diag::readConfigInt(in, "level", level, 2);
  diag::readConfigBool(in, "enabled", enabled, true);
  EXPECT_EQ(level, GetParam().level);
  EXPECT_EQ(enabled, GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoggerSettings,
    ::testing::Values(
        LoggerSettingsCase{"EmptyFileGivesDefaults", "", 2, true},
        LoggerSettingsCase{"CommentIsIgnored", ";level=0\n", 2, true},
        LoggerSettingsCase{"BlankBeforeSemicolonIsNoComment", " ;level=0\n", 0, true},
        LoggerSettingsCase{"KeyInsideLongerWord", "loglevel=1\n", 1, true},
        LoggerSettingsCase{"KeyAfterEqualsCountsFirst", "name=level\nlevel=1\n", 0, true},
        LoggerSettingsCase{"KeyCaseMatters", "LEVEL=1\n", 2, true},
        LoggerSettingsCase{"BlanksAroundEquals", "level = 1\n", 1, true},
        LoggerSettingsCase{"NoEqualsGivesDefault", "level 1\n", 2, true},
        LoggerSettingsCase{"FirstHoldingLineWinsEvenWithoutEquals", "level 1\nlevel=1\n", 2, true},
        LoggerSettingsCase{"NegativeGivesDefault", "level=-3\n", 2, true},
        LoggerSettingsCase{"TextGivesZero", "level=abc\n", 0, true},
        LoggerSettingsCase{"NumberWithRemark", "level=1 remark\n", 1, true},
        LoggerSettingsCase{"EqualsFollowedByBlanksOnly", "level=   \n", 2, true},
        LoggerSettingsCase{"TabAfterEqualsStaysInValue", "level=\t1\n", 1, true},
        LoggerSettingsCase{"DigitsWrapModulo2To32", "level=4294967297\n", 1, true},
        LoggerSettingsCase{"EnabledTrue", "enabled=true\n", 2, true},
        LoggerSettingsCase{"EnabledON", "enabled=ON\n", 2, true},
        LoggerSettingsCase{"EnabledTitleCaseIsOff", "enabled=True\n", 2, false},
        LoggerSettingsCase{"EnabledYesIsOff", "enabled=yes\n", 2, false},
        LoggerSettingsCase{"EnabledTrueWithTrailingBlankIsOff", "enabled=true \n", 2, false},
        LoggerSettingsCase{"EnabledTwoGivesDefault", "enabled=2\n", 2, true},
        LoggerSettingsCase{"EnabledMinusOneGivesDefault", "enabled=-1\n", 2, true},
        LoggerSettingsCase{"EnabledPlusOne", "enabled=+1\n", 2, true},
        LoggerSettingsCase{"EnabledLeadingZeroOne", "enabled=01\n", 2, true},
        LoggerSettingsCase{"EnabledOneWithText", "enabled=1abc\n", 2, true},
        LoggerSettingsCase{"EnabledOff", "enabled=off\n", 2, false},
        LoggerSettingsCase{"EnabledFALSE", "enabled=FALSE\n", 2, false},
        LoggerSettingsCase{"OrderDoesNotMatter", "level=0\nenabled=off\n", 0, false},
        LoggerSettingsCase{"LastLineWithoutLineFeed", "enabled=off\nlevel=1", 1, false},
        LoggerSettingsCase{"CrLfReadsLikeLf", "level=1\r\nenabled=off\r\n", 1, false},
        LoggerSettingsCase{"CrLfWordValue", "enabled=ON\r\n", 2, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ReadConfigValue, FailedStreamGivesEmptyValue) {
  std::istringstream in("level=1\n");
  in.setstate(std::ios::failbit);
  EXPECT_EQ(diag::readConfigValue(in, "level"), "");
}

TEST(ReadConfigValue, EveryLookupReadsTheWholeFileAgain) {
  std::istringstream in("enabled=off\nlevel=1\n");
  EXPECT_EQ(diag::readConfigValue(in, "level"), "1");
  EXPECT_EQ(diag::readConfigValue(in, "enabled"), "off");
  EXPECT_EQ(diag::readConfigValue(in, "level"), "1");
  EXPECT_EQ(diag::readConfigValue(in, "missing"), "");
  EXPECT_EQ(diag::readConfigValue(in, "level"), "1");
}

TEST(ReadConfigValue, TrailingBlanksBelongToTheValue) {
  std::istringstream in("key=  a b  \n");
  EXPECT_EQ(diag::readConfigValue(in, "key"), "a b  ");
}

TEST(ParseIntegerText, FollowsTheIntegerTextRules) {
  EXPECT_EQ(diag::parseIntegerText(" \t+12x"), 12);
  EXPECT_EQ(diag::parseIntegerText("-7"), -7);
  EXPECT_EQ(diag::parseIntegerText("x1"), 0);
  EXPECT_EQ(diag::parseIntegerText("-"), 0);
  EXPECT_EQ(diag::parseIntegerText("2147483648"), INT32_MIN);
}

}  // namespace
