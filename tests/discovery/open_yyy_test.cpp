// Open_yyy and Close_yyy on the real driver library, loaded by a probe host
// program from a temporary host folder, as a host would.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "driver/media_discovery.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string identifier(tarvik::mediaIdentifierText);
const std::string found = "result=0 media=%d name=OMRON CLK q_in=264 q_out=264 q_data=128\n";
const std::string notFound = "result=-1 media=-1 name=untouched q_in=7 q_out=7 q_data=7\n";

std::string info(const std::string& text) { return "info:    Open_yyy: " + text; }
std::string error(const std::string& text) { return "error:   Open_yyy: " + text; }

std::string foundLine(int media) {
  return "result=0 media=" + std::to_string(media) + " name=OMRON CLK q_in=264 q_out=264 q_data=128\n";
}

Lines matchLines(const std::string& file, int media) {
  return {info("found file: " + file), info("opening file: " + file), info("searching for GUID in file: " + file),
          info("found GUID in file: " + file), info("media=" + std::to_string(media)),
          info("q_in=264 q_out=264 q_data=128")};
}

Lines missLines(const std::string& file) {
  return {info("found file: " + file), info("opening file: " + file), info("searching for GUID in file: " + file),
          info("GUID not found in file: " + file)};
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class HostFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(OPEN_PROBE_PATH, dir_.path() / "open_probe");
    fs::copy_file(TARVIK_LIBRARY_PATH, dir_.path() / "libtarvik.so");
    dir_.write("_logger", "level=0\n");
  }

  // Runs the probe with the given actions; returns its output and keeps the log body.
  std::string run(const std::vector<std::string>& actions) {
    const auto result = testsupport::runProgram(dir_.file("open_probe"), actions, dir_.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    log_ = testsupport::logBody(dir_.read("tarvik_clk.log"));
    return result.out;
  }

  std::string moduleLine() const { return info("current module: " + dir_.file("open_probe")); }

  // The names of matching entries in the order the directory search yields them.
  std::vector<std::string> yieldedOrder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("media", 0) == 0) names.push_back(name);
    }
    return names;
  }

  testsupport::TempDir dir_;
  Lines log_;
};

TEST_F(HostFolder, NoCandidateFileFailsAndLeavesTheHostsBuffers) {
  EXPECT_EQ(run({"open"}), notFound);
  EXPECT_EQ(log_, (Lines{moduleLine(), error("no files found matching mask media?.dll"),
                         error("no media driver found")}));
}

TEST_F(HostFolder, FileWithTheIdentifierGivesItsDigit) {
  for (int digit : {3, 0}) {
    const std::string file = "media" + std::to_string(digit) + ".dll";
    dir_.write(file, "MZ\x90\x00 binary " + identifier + " more");
    EXPECT_EQ(run({"open"}), foundLine(digit));
    EXPECT_EQ(log_, Lines{moduleLine()} + matchLines(file, digit));
    fs::remove(dir_.path() / file);
  }
}

TEST_F(HostFolder, FirstYieldedMatchWinsAndLaterOnesAreNotLookedAt) {
  dir_.write("media4.dll", identifier);
  dir_.write("media7.dll", identifier);
  const std::vector<std::string> order = yieldedOrder();
  ASSERT_EQ(order.size(), 2u);
  const int digit = order[0][5] - '0';
  EXPECT_EQ(run({"open"}), foundLine(digit));
  EXPECT_EQ(log_, Lines{moduleLine()} + matchLines(order[0], digit));
}

TEST_F(HostFolder, NonDigitSixthCharacterGetsOneLineOnly) {
  dir_.write("mediaX.dll", identifier);
  EXPECT_EQ(run({"open"}), notFound);
  EXPECT_EQ(log_, (Lines{moduleLine(), info("found file: mediaX.dll"), error("no media driver found")}));
}

TEST_F(HostFolder, MaskLettersMatchRegardlessOfCase) {
  dir_.write("MEDIA2.DLL", identifier);
  EXPECT_EQ(run({"open"}), foundLine(2));
}

TEST_F(HostFolder, NamesThatDoNotFitTheMaskAreNotListed) {
  dir_.write("media12.dll", identifier);
  dir_.write("media.dll", identifier);
  dir_.write("media5.dll.bak", identifier);
  EXPECT_EQ(run({"open"}), notFound);
  EXPECT_EQ(log_, (Lines{moduleLine(), error("no files found matching mask media?.dll"),
                         error("no media driver found")}));
}

TEST_F(HostFolder, IdentifierBrokenByWhiteSpaceStillMatches) {
  dir_.write("media1.dll", identifier.substr(0, 17) + "\r\n \t" + identifier.substr(17));
  EXPECT_EQ(run({"open"}), foundLine(1));
}

TEST_F(HostFolder, FilesWithoutTheIdentifierAreAllSearched) {
  dir_.write("media1.dll", "");
  dir_.write("media2.dll", "16428ee8_9a10_4363_82d5_153286869221");
  const std::vector<std::string> order = yieldedOrder();
  EXPECT_EQ(run({"open"}), notFound);
  EXPECT_EQ(log_, Lines{moduleLine()} + missLines(order[0]) + missLines(order[1]) + Lines{error("no media driver found")});
}

TEST_F(HostFolder, DirectoryNamedLikeAMediaFileCannotBeOpened) {
  fs::create_directory(dir_.path() / "media8.dll");
  EXPECT_EQ(run({"open"}), notFound);
  EXPECT_EQ(log_, (Lines{moduleLine(), info("found file: media8.dll"), info("opening file: media8.dll"),
                         error("no media driver found")}));
}

TEST_F(HostFolder, SecondOpenGivesTheSameResultsAndLines) {
  dir_.write("media3.dll", identifier);
  EXPECT_EQ(run({"open", "open"}), foundLine(3) + foundLine(3));
  const Lines once = Lines{moduleLine()} + matchLines("media3.dll", 3);
  EXPECT_EQ(log_, once + once);
}

TEST_F(HostFolder, CloseWritesAnEmptyInfoLine) {
  EXPECT_EQ(run({"close"}), "close=0\n");
  EXPECT_EQ(log_, (Lines{"info:    Close_yyy: "}));
}

TEST_F(HostFolder, LongExecutablePathIsUsedWhole) {
  fs::path deep = dir_.path();
  while (deep.string().size() < 300) deep /= "a-rather-long-folder-name-for-the-host";
  fs::create_directories(deep);
  fs::copy_file(dir_.path() / "open_probe", deep / "open_probe");
  fs::copy_file(dir_.path() / "libtarvik.so", deep / "libtarvik.so");
  testsupport::writeFile((deep / "media6.dll").string(), identifier);
  testsupport::writeFile((deep / "_logger").string(), "level=0\n");
  const auto result = testsupport::runProgram((deep / "open_probe").string(), {"open"}, deep);
  EXPECT_EQ(result.out, foundLine(6));
  const Lines lines = testsupport::logBody(testsupport::readFile((deep / "tarvik_clk.log").string()));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], info("current module: " + (deep / "open_probe").string()));
}

TEST(DriverLibrary, UnloadWritesClosedAndAReloadStartsAFreshLog) {
  testsupport::TempDir dir;
  dir.write("_logger", "level=0\n");
  for (int round = 0; round < 2; ++round) {
    testsupport::LibraryInFolder driver(TARVIK_LIBRARY_PATH, dir.path());
    ASSERT_TRUE(driver.loaded()) << driver.error();
    auto close = driver.function<int (*)()>("Close_yyy");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close(), 0);
    driver.unload();
    const Lines lines = testsupport::splitLines(dir.read("tarvik_clk.log"));
    ASSERT_EQ(lines.size(), 3u) << "round " << round;
    EXPECT_EQ(lines[0].rfind("created: ", 0), 0u);
    EXPECT_EQ(lines[1], "info:    Close_yyy: ");
    EXPECT_EQ(lines[2].rfind("closed: ", 0), 0u);
  }
}

}  // namespace
