// The driver in the host's polling loop: Set_yyy + Check_yyy + Get_yyy of a
// 128-value read block, with logging off and with logging at level 0.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "interface/tarvik.h"
#include "platform/platform.h"

namespace {

struct LoadedDriver {
  explicit LoadedDriver(const char* loggerText) {
    dir = std::filesystem::temp_directory_path() / ("tarvik-bench-" + std::to_string(::getpid()) +
                                                    (loggerText ? "-on" : "-off"));
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "_logger");
    if (loggerText != nullptr) std::ofstream(dir / "_logger") << loggerText;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    library.load(TARVIK_LIBRARY_PATH);
    std::filesystem::current_path(previous);
    set = reinterpret_cast<tarvik::SetFn>(library.symbol("Set_yyy"));
    check = reinterpret_cast<tarvik::CheckFn>(library.symbol("Check_yyy"));
    get = reinterpret_cast<tarvik::GetFn>(library.symbol("Get_yyy"));
  }
  ~LoadedDriver() {
    library.unload();
    std::filesystem::remove_all(dir);
  }
  std::filesystem::path dir;
  platform::SharedLibrary library;
  tarvik::SetFn set = nullptr;
  tarvik::CheckFn check = nullptr;
  tarvik::GetFn get = nullptr;
};

void runBlock(benchmark::State& state, const char* loggerText) {
  LoadedDriver driver(loggerText);
  if (driver.set == nullptr) {
    state.SkipWithError("driver not loaded");
    return;
  }
  ItemAddress ia{};
  ia.c[0] = 1;
  ia.c[1] = 10;  // 2 bytes per value
  ia.c[5] = 127;
  std::vector<ItemValue> values(128, ItemValue{{0, 0, 0, 0}, {0, 0, 0, 0}});
  std::vector<unsigned char> reply(4 + 2 * 128);
  reply[0] = 0x01;
  reply[1] = 0x01;
  for (std::size_t k = 4; k < reply.size(); ++k) reply[k] = static_cast<unsigned char>(k);
  unsigned char frame[11];
  for (auto _ : state) {
    int maxSend = 0, maxRec = 0, qRec = 0, typeCnv = 0;
    driver.set(&ia, &maxSend, &maxRec, values.data(), frame);
    const int countRec = maxRec;
    driver.check(&ia, &countRec, &maxRec, reply.data());
    driver.get(&ia, &countRec, &qRec, values.data(), reply.data(), &typeCnv);
    benchmark::DoNotOptimize(values.data());
    benchmark::ClobberMemory();
  }
}

void BM_DriverBlockLoggingOff(benchmark::State& state) { runBlock(state, nullptr); }
void BM_DriverBlockLoggingLevel0(benchmark::State& state) { runBlock(state, "level=0\n"); }

BENCHMARK(BM_DriverBlockLoggingOff);
BENCHMARK(BM_DriverBlockLoggingLevel0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
