#!/usr/bin/env bash
# The Windows deliverables: 32-bit (the release) and 64-bit cross-builds with
# mingw-w64, their export, ordinal and import tables, and the 64-bit host folder
# run under Wine against the embedded simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
failures=0
checks=0

check() {  # description, command...
  local what=$1; shift
  checks=$((checks + 1))
  if "$@"; then echo "ok:   $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

for arch in win32 win64; do
  echo "=== $arch cross-build ==="
  toolchain=cmake/toolchain-mingw32.cmake
  [[ $arch == win64 ]] && toolchain=cmake/toolchain-mingw64.cmake
  cmake -S . -B "build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVIK_WERROR=ON -DTARVIK_BUILD_TESTS=OFF -DTARVIK_BUILD_BENCH=OFF >/dev/null
  cmake --build "build/$arch" -j "$jobs" >/dev/null
done

expect_eq() { [[ "$1" == "$2" ]] || { echo "      expected: $2"; echo "      got:      $1"; return 1; }; }

for arch in win32 win64; do
  echo "=== $arch tables ==="
  objdump=i686-w64-mingw32-objdump
  [[ $arch == win64 ]] && objdump=x86_64-w64-mingw32-objdump
  check "$arch export, ordinal and import tables" bash tests/windows/check_dll_tables.sh "$objdump" "build/$arch/stage" "$arch"
done

echo "=== win32 deployable zip ==="
rm -f build/win32/tarvik-clk-*.zip
(cd build/win32 && cpack >/dev/null)
zip_listing=$(cd build/win32 && cmake -E tar tf tarvik-clk-*-win32.zip | sort | tr '\n' ' ')
for f in tarvik.dll media1.dll clk_lib.dll omron_clk_addr_tab _logger DEPLOY.txt; do
  check "the zip holds $f" bash -c "[[ ' $zip_listing' == *' $f '* ]]"
done

echo "=== win64 under Wine ==="
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all
wineserver -p 2>/dev/null || true   # one server for all cases: Wine's first start is slow
work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
fresh() {  # a copy of the 64-bit stage folder
  rm -rf "$work/host" && mkdir -p "$work/host" && cp build/win64/stage/* "$work/host/" && rm -f "$work/host"/*.log
}
run_host() {  # runs clkhost.exe in the host folder; prints its exit code
  (cd "$work/host" && timeout 120 wine ./clkhost.exe "$@" >out.txt 2>err.txt; echo $?)
}
has_crlf_lines() { [[ -s "$1" ]] && ! grep -qv $'\r$' "$1"; }

fresh
check "clkhost.exe polls the sample tags" expect_eq "$(run_host)" 0
check "the table shows the value read back" grep -q "setpoint    0     dm        100     1500" "$work/host/out.txt"
check "DllMain attach and detach write created: and closed: (driver)" \
  bash -c "head -1 '$work/host/tarvik_clk.log' | grep -q '^created: ' && tail -1 '$work/host/tarvik_clk.log' | grep -q '^closed: '"
check "DllMain attach and detach write created: and closed: (media)" \
  bash -c "head -1 '$work/host/quellon.log' | grep -q '^created: ' && tail -1 '$work/host/quellon.log' | grep -q '^closed: '"
check "log lines end in CR LF" has_crlf_lines "$work/host/quellon.log"
check "GetModuleFileNameA gives the host's path" grep -q 'Open_yyy: current module: .*\\clkhost.exe' "$work/host/tarvik_clk.log"

fresh
mv "$work/host/media1.dll" "$work/host/MEDIA2.DLL"
check "FindFirstFileA finds MEDIA2.DLL by the mask" expect_eq "$(run_host)" 0
check "the media number is the digit of MEDIA2.DLL" grep -q 'info:    Open_yyy: media=2' "$work/host/tarvik_clk.log"

fresh
cp "$work/host/MEDIA2.DLL" "$work/host/media7.dll" 2>/dev/null || cp "$work/host/media1.dll" "$work/host/media7.dll"
first=$(cd "$work/host" && wine cmd /c dir /b "media?.dll" 2>/dev/null | head -1 | tr -d '\r')
check "two media libraries: the first one the search yields wins" \
  bash -c "[[ \$(cd '$work/host' && timeout 120 wine ./clkhost.exe >/dev/null 2>&1; echo \$?) == 0 ]] && grep -q 'found GUID in file: $first' '$work/host/tarvik_clk.log'"

fresh
printf 'level=0\r\nenabled=on\r\n' > "$work/host/_logger"
printf '0\t0.1.0\r\n1\t1.7.0\r\n' > "$work/host/omron_clk_addr_tab"
check "CR LF _logger and address table" expect_eq "$(run_host)" 0
check "the CR LF address table lists both entries" grep -q 'StartMedia: 1 1.7.0' "$work/host/quellon.log"

fresh
rm "$work/host/media1.dll"
check "no media library: exit 2" expect_eq "$(run_host)" 2
check "no media library: the sentence names the driver log" grep -q "see tarvik_clk.log" "$work/host/err.txt"

echo "windows: $((checks - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
