#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "media/addr_table.h"
#include "media/addr_table_file.h"

namespace {

using quellon::AddrTableEntry;
using quellon::ClkAddress;
using quellon::parseAddrTableLine;

struct LineCase {
  const char* name;
  const char* line;
  std::optional<AddrTableEntry> entry;
};

std::optional<AddrTableEntry> entry(std::uint8_t id, std::uint8_t net, std::uint8_t node, std::uint8_t unit) {
  return AddrTableEntry{id, ClkAddress{net, node, unit}};
}

class AddrTableLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(AddrTableLine, IsAnEntryOnlyWhenItFollowsTheSyntax) { EXPECT_EQ(parseAddrTableLine(GetParam().line), GetParam().entry); }

INSTANTIATE_TEST_SUITE_P(
    Cases, AddrTableLine,
    ::testing::Values(
        LineCase{"TabSeparator", "12\t1.7.0", entry(12, 1, 7, 0)},
        LineCase{"BlankSeparator", "12 1.7.0", entry(12, 1, 7, 0)},
        LineCase{"Indented", " \t 12\t1.7.0", entry(12, 1, 7, 0)},
        LineCase{"GapTextIsIgnored", "3 node-a: 1.2.3", entry(3, 1, 2, 3)},
        LineCase{"SeveralBlanksInTheGap", "3    1.2.3", entry(3, 1, 2, 3)},
        LineCase{"LeadingZeros", "007 007.0007.00007", entry(7, 7, 7, 7)},
        LineCase{"AllAt255", "255 255.255.255", entry(255, 255, 255, 255)},
        LineCase{"UnitId256", "256 1.1.1", std::nullopt},
        LineCase{"Network256", "1 256.1.1", std::nullopt},
        LineCase{"Node256", "1 1.256.1", std::nullopt},
        LineCase{"Unit256", "1 1.1.256", std::nullopt},
        LineCase{"HugeNumberDoesNotWrap", "1 1.1.4294967297", std::nullopt},
        LineCase{"TrailingBlank", "12\t1.7.0 ", std::nullopt},
        LineCase{"TrailingFullStop", "12\t1.7.0.", std::nullopt},
        LineCase{"TrailingComment", "12\t1.7.0 ;main", std::nullopt},
        LineCase{"BlankBeforeAFullStop", "12\t1 .7.0", std::nullopt},
        LineCase{"BlankAfterAFullStop", "12\t1. 7.0", std::nullopt},
        LineCase{"UnitIdFollowedByOtherCharacter", "12:1.7.0", std::nullopt},
        LineCase{"NoSeparator", "12", std::nullopt},
        LineCase{"TwoPartAddress", "12 1.7", std::nullopt},
        LineCase{"EmptyNode", "12 1..0", std::nullopt},
        LineCase{"ByteOrderMark", "\xEF\xBB\xBF" "0 0.0.0", std::nullopt},
        LineCase{"LetterFirst", "a0 0.0.0", std::nullopt},
        LineCase{"Empty", "", std::nullopt},
        LineCase{"BlanksOnly", "  \t ", std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

std::map<std::uint8_t, ClkAddress> read(const std::string& text, quellon::AddrTable table = {}) {
  std::istringstream in(text);
  quellon::readAddrTable(in, table);
  return table.entries();
}

TEST(AddrTableFile, CommentThatLooksLikeAnEntryIsSkipped) {
  EXPECT_TRUE(read(";0 1.2.3\n").empty());
}

TEST(AddrTableFile, FirstEntryOfAUnitIdWins) {
  const auto table = read("4 1.1.1\n4 2.2.2\n");
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table.at(4), (ClkAddress{1, 1, 1}));
}

TEST(AddrTableFile, LastLineWithoutLineFeedIsNotUsed) {
  const auto table = read("1 1.1.1\n2 2.2.2");
  EXPECT_EQ(table.size(), 1u);
  EXPECT_EQ(table.count(2), 0u);
}

TEST(AddrTableFile, CrLfReadsLikeLf) {
  EXPECT_EQ(read("0 0.0.3\r\n9\t1.2.3\r\n"), read("0 0.0.3\n9\t1.2.3\n"));
  EXPECT_EQ(read("0 0.0.3\r\n").size(), 1u);
}

TEST(AddrTableFile, OnlyOneCarriageReturnBeforeTheLineFeedIsDropped) {
  EXPECT_TRUE(read("0 0.0.3\r\r\n").empty());
}

TEST(AddrTableFile, EntriesAreListedInAscendingUnitIdOrder) {
  const auto table = read("200 2.2.2\n7 7.7.7\n0 0.0.0\n");
  std::vector<std::uint8_t> order;
  for (const auto& [unitId, address] : table) order.push_back(unitId);
  EXPECT_EQ(order, (std::vector<std::uint8_t>{0, 7, 200}));
}

TEST(AddrTableFile, ASecondLoadKeepsTheEntriesOfTheFirst) {
  quellon::AddrTable table;
  std::istringstream first("1 1.1.1\n2 2.2.2\n"), second("2 9.9.9\n3 3.3.3\n");
  quellon::readAddrTable(first, table);
  quellon::readAddrTable(second, table);
  EXPECT_EQ(table.entries(), (std::map<std::uint8_t, ClkAddress>{{1, {1, 1, 1}}, {2, {2, 2, 2}}, {3, {3, 3, 3}}}));
}

}  // namespace
