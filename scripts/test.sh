#!/usr/bin/env bash
# Runs every test: g++ build, clang build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows cross-builds under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --all

# An independent FINS client for the wire tests, from the npm registry.
if command -v npm >/dev/null && [[ ! -d build/npm-peer/node_modules/omron-fins ]]; then
  npm install --no-save --no-audit --no-fund --prefix build/npm-peer omron-fins@0.5.0 >/dev/null
fi

jobs=$(nproc)
run_suite() {  # name, c++ compiler, extra cmake arguments...
  local name=$1 cxx=$2; shift 2
  echo "=== $name ==="
  cmake -S . -B "build/$name" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DTARVIK_WERROR=ON "$@" >/dev/null
  cmake --build "build/$name" -j "$jobs"
  ctest --test-dir "build/$name" --output-on-failure -j "$jobs"
}

run_suite gcc g++
run_suite clang-sanitize clang++ -DTARVIK_SANITIZE=ON -DTARVIK_BUILD_BENCH=OFF
if [[ -x scripts/test-windows.sh ]]; then
  scripts/test-windows.sh
fi
