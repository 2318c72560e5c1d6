#include <gtest/gtest.h>

#include <string>

#include "driver/media_discovery.h"

namespace {

using tarvik::IdentifierScanner;
using tarvik::mediaIdentifierText;

const std::string id(mediaIdentifierText);

// Feeds content in pieces of pieceSize bytes, as a file read would.
bool scan(const std::string& content, std::uint64_t limit, std::size_t pieceSize) {
  IdentifierScanner scanner(mediaIdentifierText, limit);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(content.data());
  for (std::size_t pos = 0; pos < content.size(); pos += pieceSize) {
    if (!scanner.feed(bytes + pos, std::min(pieceSize, content.size() - pos))) break;
  }
  return scanner.found();
}

struct ScanCase {
  const char* name;
  std::string content;
  std::uint64_t limit;  // the listed size
  bool found;
};

class Scanner : public ::testing::TestWithParam<ScanCase> {};

TEST_P(Scanner, FindsTheIdentifierAmongTheFirstNonWhiteSpaceBytes) {
  const ScanCase& c = GetParam();
  // The outcome must not depend on how the file is cut into reads.
  for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{35}, std::size_t{36}, std::size_t{4096},
                            std::size_t{1} << 20}) {
    EXPECT_EQ(scan(c.content, c.limit, piece), c.found) << "piece size " << piece;
  }
}

std::string withWhiteSpaceEverywhere(const std::string& text) {
  std::string out;
  const char ws[] = {'\t', '\n', '\v', '\f', '\r', ' '};
  for (std::size_t k = 0; k < text.size(); ++k) out.append(1, text[k]).append(1, ws[k % 6]);
  return out;
}

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const std::string binary = [] {
  std::string b;
  for (int k = 0; k < 200000; ++k) b.push_back(static_cast<char>((k * 131 + 7) % 256));
  return b;
}();
const std::string bigFile = binary + id + binary;

INSTANTIATE_TEST_SUITE_P(
    Cases, Scanner,
    ::testing::Values(
        ScanCase{"Plain", "abc" + id + "def", 100, true},
        ScanCase{"AtTheVeryStart", id, 36, true},
        ScanCase{"InsideLargeBinary", bigFile, bigFile.size(), true},
        ScanCase{"BrokenByWhiteSpace", withWhiteSpaceEverywhere(id), 72, true},
        ScanCase{"LineBreakInTheMiddle", id.substr(0, 10) + "\r\n" + id.substr(10), 38, true},
        ScanCase{"LowerCaseDoesNotMatch", lowerCase(id), 36, false},
        ScanCase{"OneCharacterShort", id.substr(0, 35), 35, false},
        ScanCase{"OtherByteInside", id.substr(0, 10) + "\x01" + id.substr(10), 37, false},
        ScanCase{"EmptyFile", "", 0, false},
        // Only as many non-white-space bytes as listed are searched (a grown file).
        ScanCase{"BeyondTheListedSize", "xx" + id, 37, false},
        ScanCase{"JustWithinTheListedSize", "xx" + id, 38, true},
        ScanCase{"WhiteSpaceDoesNotCountTowardsTheLimit", "   \n\n" + id, 36, true}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
