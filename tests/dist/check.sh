#!/usr/bin/env bash
# tests/dist/check.sh VERSION: the zips hold the package's files, the 32-bit exe only system
# imports, each package opens its skin and tune at the start and then its help (Wine's file
# trace), from a fresh folder whose name the ANSI code page (1252 under C.UTF-8) cannot write;
# the 32-bit one where the machine runs 32-bit programs.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/../.."
version=$1 temp=$(mktemp -d)
fresh="$temp/Морской бой 海戦"
mkdir "$fresh"
fail() { echo "dist: $*" >&2; exit 1; }
trap 'scripts/wine-run --stop-server; rm -rf "$temp"' EXIT
# Wine's trace writes the bytes of a Unix path beyond ASCII as \xNN.
traced() {
  local LC_ALL=C name=$1 out= i c
  for ((i = 0; i < ${#name}; i++)); do
    c=${name:i:1}
    if [[ $c == [\ -~] ]]; then out+=$c; else printf -v c '\\x%02x' "'$c"; out+=$c; fi
  done
  printf '%s' "$out"
}
scripts/wine-run --start-server
want=$(printf "tidewar-$version/%s " night.dll readme.txt tidewar-de.chm tidewar-de.hlp tidewar-ru.chm tidewar-ru.hlp tidewar.chm tidewar.exe tidewar.hlp tidewar.mid)
for arch in win32 win64; do
  unzip -q "dist/tidewar-$version-$arch.zip" -d "$fresh/$arch"
  got=$(cd "$fresh/$arch" && find . -type f -printf '%P\n' | sort | tr '\n' ' ')
  [ "$got" = "$want" ] || fail "the $arch zip holds $got"
done
bash scripts/check-imports i686-w64-mingw32-objdump "$fresh/win32/tidewar-$version/tidewar.exe" pei-i386
ran=()
for arch in win32 win64; do
  width=()
  [ "$arch" = win32 ] && width=(--32)
  if ! why=$(scripts/wine-run "${width[@]}" --check); then
    echo "$arch: tests skipped: this machine cannot run ${arch#win}-bit programs ($why)"
    continue
  fi
  package="$fresh/$arch/tidewar-$version"
  # Wine takes the environment in the locale's charset: UTF-8 here.
  LC_ALL=C.UTF-8 TIDEWAR_PACKAGE="Z:${package//\//\\}" WINEDEBUG=trace+file \
    scripts/wine-run "${width[@]}" "build/$arch/win_tests.exe" --gtest_filter='Package.*' 2>"$temp/trace"
  help=$(traced "$package/tidewar.hlp")
  grep -qF "$help" "$temp/trace" || fail "the $arch package never opened its tidewar.hlp"
  # The options sheet opens the skin again after the help: the start is what comes before.
  help=$help LC_ALL=C awk 'index($0, ENVIRON["help"]) { exit } { print }' "$temp/trace" >"$temp/start"
  for file in night.dll tidewar.mid; do
    grep -qF "$(traced "$package/$file")" "$temp/start" || fail "the $arch package did not open its $file at the start"
  done
  grep -qaF "/options.html" "$package/tidewar.chm" || fail "the $arch tidewar.chm has no options page (context 6 without WinHelp)"
  ran+=("$arch")
done
echo "dist: both packages hold their files; ${ran[*]:-none} ran with its help, skin and tune"
