// Round trips through the stand-in's FINS/UDP bridge and finsim on loopback:
// a one-word memory area read per iteration.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "interface/clk_api.h"
#include "tests/support/background_program.h"

namespace {

void BM_BridgeRoundTripThroughFinsim(benchmark::State& state) {
  testsupport::BackgroundProgram finsim(FINSIM_PATH, {"--port", "0"});
  const std::string line = finsim.firstLine();
  const auto conf = std::filesystem::temp_directory_path() / "tarvik-bench-clk_lib.conf";
  std::ofstream(conf) << "backend bridge\nlocal 0.9\ngateway 127.0.0.1:" << line.substr(line.rfind(':') + 1) << "\n";
  ::setenv("CLK_LIB_CONF", conf.c_str(), 1);
  std::int32_t code = 0;
  const std::int32_t handle = ClkOpen(0, &code);
  if (handle == CLK_ERROR) {
    state.SkipWithError("no bridge session");
    return;
  }
  const ClkMessageHeader to{clkSendFlags, 1, 7, 0, clkKindFins};
  const std::uint8_t read[] = {0x01, 0x01, 0x82, 0x00, 0x64, 0x00, 0x00, 0x01};
  std::uint8_t reply[16];
  for (auto _ : state) {
    ClkMessageHeader from{};
    ClkSendMessage(handle, &to, read, sizeof read);
    if (ClkReceiveMessage(handle, &from, reply, 6, 1000) != 6) {
      state.SkipWithError("no reply");
      break;
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
  ClkClose(handle);
  std::filesystem::remove(conf);
}

BENCHMARK(BM_BridgeRoundTripThroughFinsim)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
