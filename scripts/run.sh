#!/usr/bin/env bash
# Builds and stages the host folder, then polls the sample items once against
# the embedded simulator. Extra arguments go to clkhost.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/gcc -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/gcc -j "$(nproc)" >/dev/null
cd build/gcc/stage
if [[ -x ./clkhost ]]; then
  exec ./clkhost items.txt "$@"
fi
echo "staged in build/gcc/stage:"; ls
