#!/usr/bin/env bash
# tests/dist/check.sh VERSION: the zips hold the package's files, the 32-bit exe only system
# imports, each package opens its help, skin and tune (Wine's file trace) from a fresh folder,
# the 32-bit one where the machine runs 32-bit programs.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/../.."
version=$1 fresh=$(mktemp -d)
fail() { echo "dist: $*" >&2; exit 1; }
trap 'scripts/wine-run --stop-server; rm -rf "$fresh"' EXIT
scripts/wine-run --start-server
want=$(printf "tidewar-$version/%s " night.dll readme.txt tidewar.chm tidewar.exe tidewar.hlp tidewar.mid)
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
  TIDEWAR_PACKAGE="Z:${package//\//\\}" WINEDEBUG=trace+file \
    scripts/wine-run "${width[@]}" "build/$arch/win_tests.exe" --gtest_filter='Package.*' 2>"$fresh/trace"
  for file in night.dll tidewar.mid tidewar.hlp; do
    grep -qF "$package/$file" "$fresh/trace" || fail "the $arch package never opened its $file"
  done
  grep -qaF "/options.html" "$package/tidewar.chm" || fail "the $arch tidewar.chm has no options page (context 6 without WinHelp)"
  ran+=("$arch")
done
echo "dist: both packages hold their files; ${ran[*]:-none} ran with its help, skin and tune"
