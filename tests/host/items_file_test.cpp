#include "host/items_file.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

TEST(ItemsFile, ReadsTagsWithAreaNamesNumbersAndValues) {
  const auto f = host::parseItemsFile("# comment\n\n a 1 dm 100\nb 0x02 27 0x10 255 # trailing remark\nc 3 em8 65535\r\n");
  ASSERT_TRUE(f.errors.empty());
  ASSERT_EQ(f.tags.size(), 3u);
  EXPECT_EQ(f.tags[0].name, "a");
  EXPECT_EQ(f.tags[0].areaIndex, 10);
  EXPECT_EQ(f.tags[0].offset, 100);
  EXPECT_FALSE(f.tags[0].writeValue);
  EXPECT_EQ(f.tags[1].unitId, 2);
  EXPECT_EQ(f.tags[1].areaIndex, 27);
  EXPECT_EQ(f.tags[1].offset, 16);
  EXPECT_EQ(f.tags[1].writeValue, 255);
  EXPECT_EQ(f.tags[2].areaIndex, 26);
}

struct BadLine {
  const char* name;
  const char* line;
  const char* message;
};

void PrintTo(const BadLine& c, std::ostream* os) { *os << c.line; }

class ItemsFileBadLines : public ::testing::TestWithParam<BadLine> {};

TEST_P(ItemsFileBadLines, AreReportedWithTheirLineNumber) {
  const auto f = host::parseItemsFile(std::string("ok 0 dm 1\n") + GetParam().line + "\n");
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0].line, 2);
  EXPECT_EQ(f.errors[0].message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemsFileBadLines,
    ::testing::Values(BadLine{"TooFewWords", "x 0 dm", "expected: name unit area offset [value]"},
                      BadLine{"TooManyWords", "x 0 dm 1 2 3", "expected: name unit area offset [value]"},
                      BadLine{"UnitTooLarge", "x 256 dm 1", "unit '256' is not 0 to 255"},
                      BadLine{"AreaIndex28", "x 0 28 1", "area '28' is neither 0 to 27 nor a known area name"},
                      BadLine{"UnknownAreaName", "x 0 DM 1", "area 'DM' is neither 0 to 27 nor a known area name"},
                      BadLine{"OffsetTooLarge", "x 0 dm 65536", "offset '65536' is not 0 to 65535"},
                      BadLine{"NegativeValue", "x 0 dm 1 -1", "value '-1' is not 0 to 65535"},
                      BadLine{"DuplicateName", "ok 0 dm 2", "tag 'ok' is defined twice"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
