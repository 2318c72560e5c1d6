#pragma once
// The real driver library loaded from a folder with "_logger" at level 0; the
// log body is read after unloading.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "interface/tarvik.h"
#include "tests/support/test_support.h"

namespace drivertest {

using Lines = std::vector<std::string>;

inline ItemAddress item(std::uint8_t unit, std::uint8_t area, std::uint16_t offset, std::uint8_t count,
                        std::uint8_t debug = 0) {
  ItemAddress ia{};
  ia.c[0] = unit;
  ia.c[1] = area;
  ia.c[2] = static_cast<std::uint8_t>(offset);
  ia.c[3] = static_cast<std::uint8_t>(offset >> 8);
  ia.c[4] = debug;
  ia.c[5] = count;
  return ia;
}

inline float valueOf(const ItemValue& v) {
  std::uint32_t bits = 0;
  for (int k = 3; k >= 0; --k) bits = (bits << 8) | v.V[k];
  return std::bit_cast<float>(bits);
}

class DriverFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.write("_logger", "level=0\n");
    driver_ = std::make_unique<testsupport::LibraryInFolder>(TARVIK_LIBRARY_PATH, dir_.path());
    ASSERT_TRUE(driver_->loaded()) << driver_->error();
    open = driver_->function<tarvik::OpenFn>("Open_yyy");
    set = driver_->function<tarvik::SetFn>("Set_yyy");
    compare = driver_->function<tarvik::CompareFn>("zCompare_yyy");
    check = driver_->function<tarvik::CheckFn>("Check_yyy");
    get = driver_->function<tarvik::GetFn>("Get_yyy");
    ASSERT_TRUE(open && set && compare && check && get);
  }

  // Unloads the driver and returns the log lines written since the load.
  Lines logLines() {
    driver_->unload();
    return testsupport::logBody(dir_.read("tarvik_clk.log"));
  }

  testsupport::TempDir dir_;
  std::unique_ptr<testsupport::LibraryInFolder> driver_;
  tarvik::OpenFn open = nullptr;
  tarvik::SetFn set = nullptr;
  tarvik::CompareFn compare = nullptr;
  tarvik::CheckFn check = nullptr;
  tarvik::GetFn get = nullptr;
};

inline std::string info(const std::string& fn, const std::string& text) { return "info:    " + fn + ": " + text; }
inline std::string error(const std::string& fn, const std::string& text) { return "error:   " + fn + ": " + text; }

}  // namespace drivertest
