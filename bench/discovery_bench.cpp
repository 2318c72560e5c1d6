// Media discovery over a large candidate file: our chunked, white-space
// skipping scan beside a baseline that reads the whole file and runs memmem.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "driver/media_discovery.h"

namespace {

constexpr std::size_t candidateSize = 64u << 20;

// A 64 MiB file of ordinary binary content with the identifier at its end.
const std::string& candidatePath() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / "tarvik-bench-media1.dll").string();
    std::vector<unsigned char> content(candidateSize);
    std::mt19937 random(1234);
    for (auto& b : content) b = static_cast<unsigned char>(random());
    const auto id = tarvik::mediaIdentifierText;
    std::memcpy(content.data() + content.size() - id.size(), id.data(), id.size());
    std::FILE* f = std::fopen(p.c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    return p;
  }();
  return path;
}

void BM_DiscoveryChunkedScan(benchmark::State& state) {
  const std::string& path = candidatePath();
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    // The listed size counts all bytes; white space only makes the stored part shorter.
    const bool found = tarvik::fileContainsIdentifier(f, candidateSize);
    std::fclose(f);
    if (!found) state.SkipWithError("identifier not found");
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(candidateSize));
}

void BM_BaselineReadWholeFileAndMemmem(benchmark::State& state) {
  const std::string& path = candidatePath();
  const auto id = tarvik::mediaIdentifierText;
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::vector<char> buffer(candidateSize);
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), f);
    std::fclose(f);
    const void* hit = ::memmem(buffer.data(), got, id.data(), id.size());
    if (hit == nullptr) state.SkipWithError("identifier not found");
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(candidateSize));
}

BENCHMARK(BM_DiscoveryChunkedScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineReadWholeFileAndMemmem)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
