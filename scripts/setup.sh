#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages, when missing.
# Usage: scripts/setup.sh [--all]   (--all adds what the full test suite needs)
set -euo pipefail

packages=(cmake ninja-build g++ clang libgtest-dev libgmock-dev libbenchmark-dev)
if [[ "${1:-}" == "--all" ]]; then
  packages+=(libclang-rt-14-dev tshark g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi
