// Loads the driver from this program's folder and calls Open_yyy (and
// Close_yyy) once per argument "open" / "close", printing what came back.

#include <cstdio>
#include <cstring>
#include <string>

#include "interface/tarvik.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  const std::string folder = platform::directoryPart(platform::executablePath());
  platform::SharedLibrary driver;
  if (!driver.load(folder + platform::sharedLibraryFileName(tarvik::driverBaseName))) {
    std::printf("load failed: %s\n", driver.error().c_str());
    return 2;
  }
  auto open = reinterpret_cast<tarvik::OpenFn>(driver.symbol("Open_yyy"));
  auto close = reinterpret_cast<tarvik::CloseFn>(driver.symbol("Close_yyy"));
  if (open == nullptr || close == nullptr) return 3;
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "close") == 0) {
      std::printf("close=%d\n", close());
      continue;
    }
    std::int32_t media = 42, qIn = 7, qOut = 7, qData = 7;
    char name[16] = "untouched";
    const int result = open(&media, name, &qIn, &qOut, &qData);
    std::printf("result=%d media=%d name=%s q_in=%d q_out=%d q_data=%d\n", result, media, name, qIn, qOut, qData);
  }
  return 0;
}
