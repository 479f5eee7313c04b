#!/usr/bin/env bash
# tests/dist/check.sh VERSION: the zips hold the package's files, the 32-bit exe only system
# imports, the 64-bit package opens its help, skin and tune (Wine's file trace) from a fresh folder.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/../.."
version=$1 fresh=$(mktemp -d)
fail() { echo "dist: $*" >&2; exit 1; }
trap 'scripts/wine-run --stop-server; rm -rf "$fresh"' EXIT
scripts/wine-run --start-server
want=$(printf "tidewar-$version/%s " night.dll readme.txt tidewar-de.chm tidewar-de.hlp tidewar-ru.chm tidewar-ru.hlp tidewar.chm tidewar.exe tidewar.hlp tidewar.mid)
for arch in win32 win64; do
  unzip -q "dist/tidewar-$version-$arch.zip" -d "$fresh/$arch"
  got=$(cd "$fresh/$arch" && find . -type f -printf '%P\n' | sort | tr '\n' ' ')
  [ "$got" = "$want" ] || fail "the $arch zip holds $got"
done
bash scripts/check-imports i686-w64-mingw32-objdump "$fresh/win32/tidewar-$version/tidewar.exe" pei-i386
package="$fresh/win64/tidewar-$version"
TIDEWAR_PACKAGE="Z:${package//\//\\}" WINEDEBUG=trace+file \
  scripts/wine-run build/win64/win_tests.exe --gtest_filter='Package.*' 2>"$fresh/trace"
for file in night.dll tidewar.mid tidewar.hlp; do
  grep -qF "$package/$file" "$fresh/trace" || fail "the package never opened its $file"
done
grep -qaF "/options.html" "$package/tidewar.chm" || fail "tidewar.chm has no options page (context 6 without WinHelp)"
echo "dist: both packages hold their files; the 64-bit one runs with its help, skin and tune"
