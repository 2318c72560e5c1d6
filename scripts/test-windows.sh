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

objdump_of() { [[ $1 == win32 ]] && echo i686-w64-mingw32-objdump || echo x86_64-w64-mingw32-objdump; }
# Exported names, sorted, one a line.
exports() { "$(objdump_of "$1")" -p "$2" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort; }
# Exported ordinals, sorted.
ordinals() { "$(objdump_of "$1")" -p "$2" | sed -n '/Export Address Table -- Ordinal Base/,/^$/p' | sed -n 's/.*+base\[ *\([0-9]*\)\].*/\1/p' | sort -n | tr '\n' ' '; }
# Names of the DLLs imported.
imported_dlls() { "$(objdump_of "$1")" -p "$2" | sed -n 's/^\s*DLL Name: //p' | sort | tr '\n' ' '; }
# Import entries from one DLL: "ordinal N" for by-ordinal imports (the high bit
# of the entry set, the ordinal in its low 16 bits), "name X" otherwise.
imports_from() {
  local entry
  "$(objdump_of "$1")" -p "$2" | awk -v dll="$3" '
    /DLL Name:/ { inside = ($3 == dll); next }
    inside && /^[ \t]*$/ { inside = 0 }
    inside && NF == 3 && $3 == "<none>" { print "ordinal " substr($1, length($1) - 3); next }
    inside && NF >= 3 && $1 ~ /^[0-9a-f]+$/ { print "name " $3 }' |
    while read -r kind value; do
      if [[ $kind == ordinal ]]; then echo "ordinal $((16#$value))"; else echo "name $value"; fi
    done | sort -k2 -n | tr '\n' ' '
}
expect_eq() { [[ "$1" == "$2" ]] || { echo "      expected: $2"; echo "      got:      $1"; return 1; }; }
system_only() {  # every import is a Windows system DLL (or the link library, for the media library)
  local dll
  for dll in $1; do
    case "${dll,,}" in kernel32.dll|msvcrt.dll|ws2_32.dll|clk_lib.dll) ;; *) echo "      imports $dll"; return 1 ;; esac
  done
}

for arch in win32 win64; do
  stage=build/$arch/stage
  echo "=== $arch tables ==="
  if [[ $arch == win32 ]]; then p=AAJ; rd='AAJPADHAAH'; else p=AEAJ; rd='AEAJPEADHAEAH'; fi
  check "$arch tarvik.dll exports the six driver names undecorated" expect_eq "$(exports $arch $stage/tarvik.dll | tr '\n' ' ')" \
    "Check_yyy Close_yyy Get_yyy Open_yyy Set_yyy zCompare_yyy "
  check "$arch media1.dll exports the host's decorated names and the marker" expect_eq "$(exports $arch $stage/media1.dll | tr '\n' ' ')" \
    "?CloseMedia@@YAH$p@Z ?OpenMedia@@YAH$p@Z ?ReadMedia@@YAH$rd@Z ?StartMedia@@YAH$p@Z ?StopMedia@@YAH$p@Z ?WriteMedia@@YAH$rd@Z media_guid16428EE8_9A10_4363_82D5_153286869221 "
  check "$arch media1.dll imports CLK_LIB by ordinal only" expect_eq "$(imports_from $arch $stage/media1.dll clk_lib.dll)" \
    "ordinal 1 ordinal 2 ordinal 3 ordinal 4 ordinal 12 "
  check "$arch clk_lib.dll exports ordinals 1 2 3 4 12" expect_eq "$(ordinals $arch $stage/clk_lib.dll)" "1 2 3 4 12 "
  for f in tarvik.dll media1.dll clk_lib.dll clkhost.exe finsim.exe; do
    check "$arch $f needs only Windows system DLLs" system_only "$(imported_dlls $arch $stage/$f)"
  done
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
