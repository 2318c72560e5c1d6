#!/usr/bin/env bash
# Checks the export, ordinal and import tables of the staged DLLs of one
# mingw build against the lists the host and the link library rely on.
# Usage: check_dll_tables.sh <objdump> <stage dir> <win32|win64>
set -euo pipefail
objdump=$1 stage=$2 arch=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Exported names, sorted, one a line.
exported_names() {
  "$objdump" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort
}
# Ordinals that hold an entry ("ordinal name" lines for named ones).
exported_ordinals() {
  "$objdump" -p "$1" | sed -n 's/.*+base\[ *\([0-9]*\)\] .*/\1/p' | sort -n | tr '\n' ' '
}
imported_dlls() {
  "$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p' | sort -u
}
expect_names() {  # dll, expected names...
  local dll=$1; shift
  local want got
  want=$(printf '%s\n' "$@" | sort)
  got=$(exported_names "$dll")
  [[ "$got" == "$want" ]] || fail "$(basename "$dll") exports [$(echo $got)], expected [$(echo $want)]"
}
expect_system_imports() {  # dll, allowed non-system DLL...
  local dll=$1; shift
  local name
  while read -r name; do
    [[ -z "$name" ]] && continue
    case "${name,,}" in
      kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|ws2_32.dll|api-ms-win-*) ;;
      *) printf '%s\n' "$@" | grep -qix "$name" || fail "$(basename "$dll") imports $name";;
    esac
  done < <(imported_dlls "$dll")
}

dll="$stage/tarvik.dll"
expect_names "$dll" Open_yyy Close_yyy Set_yyy zCompare_yyy Check_yyy Get_yyy
expect_system_imports "$dll"

dll="$stage/media1.dll"
if [[ $arch == win32 ]]; then
  expect_names "$dll" '?OpenMedia@@YAHAAJ@Z' '?CloseMedia@@YAHAAJ@Z' '?StartMedia@@YAHAAJ@Z' '?StopMedia@@YAHAAJ@Z' \
    '?ReadMedia@@YAHAAJPADHAAH@Z' '?WriteMedia@@YAHAAJPADHAAH@Z' media_guid16428EE8_9A10_4363_82D5_153286869221
else
  expect_names "$dll" '?OpenMedia@@YAHAEAJ@Z' '?CloseMedia@@YAHAEAJ@Z' '?StartMedia@@YAHAEAJ@Z' '?StopMedia@@YAHAEAJ@Z' \
    '?ReadMedia@@YAHAEAJPEADHAEAH@Z' '?WriteMedia@@YAHAEAJPEADHAEAH@Z' media_guid16428EE8_9A10_4363_82D5_153286869221
fi
expect_system_imports "$dll" clk_lib.dll
# The link library is bound by ordinal alone: 1, 2, 3, 4 and 12, no names.
# Entries of clk_lib.dll's import block: "<none>" means bound by ordinal, no name.
clk_entries=$("$objdump" -p "$dll" | sed -n '/DLL Name: clk_lib.dll/,/^$/p' | tail -n +3 | sed '/^$/d')
clk_imports=$(awk '$3 == "<none>" && NF == 3 {print substr($1, length($1) - 3)}' <<<"$clk_entries" | while read -r h; do echo $((16#$h)); done | sort -n | tr '\n' ' ')
named=$(awk '!($3 == "<none>" && NF == 3)' <<<"$clk_entries")
[[ -z "$named" ]] || fail "media1.dll imports names from clk_lib.dll: $named"
[[ "$clk_imports" == "1 2 3 4 12 " ]] || fail "media1.dll imports from clk_lib.dll: [$clk_imports], expected ordinals 1 2 3 4 12 by ordinal only"

dll="$stage/clk_lib.dll"
ordinals=$(exported_ordinals "$dll")
[[ "$ordinals" == "1 2 3 4 12 " ]] || fail "clk_lib.dll export ordinals [$ordinals], expected 1 2 3 4 12"
expect_system_imports "$dll"

for exe in "$stage"/clkhost.exe "$stage"/finsim.exe; do
  [[ -f "$exe" ]] && expect_system_imports "$exe" tarvik.dll media1.dll clk_lib.dll
done

if ((failures)); then echo "$arch: $failures table check(s) failed"; exit 1; fi
echo "$arch: export, ordinal and import tables as expected"
