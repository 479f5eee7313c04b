#!/usr/bin/env bash
# Checks the packages `make dist` wrote: each zip holds exactly the package's files; the 32-bit
# exe is PE32 for i386 and imports only system DLLs; the 64-bit package, unpacked into a fresh
# folder, starts under Wine and opens its help, skin and tune from there (Wine's file trace).
#   tests/dist/check.sh VERSION
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/../.."
version=$1
want=$(for f in night.dll readme.txt tidewar.chm tidewar.exe tidewar.hlp tidewar.mid; do echo "tidewar-$version/$f"; done)
for arch in win32 win64; do
  got=$(unzip -Z1 "dist/tidewar-$version-$arch.zip" | grep -v '/$' | sort)
  [ "$got" = "$want" ] || { printf 'dist: %s zip holds\n%s\n' "$arch" "$got" >&2; exit 1; }
done

fresh=$(mktemp -d)
# A persistent server, as in scripts/test: Wine's own processes then hold no output of ours.
trap 'scripts/wine-run --stop-server; rm -rf "$fresh"' EXIT
scripts/wine-run --start-server
unzip -q "dist/tidewar-$version-win32.zip" -d "$fresh/32"
bash scripts/check-imports i686-w64-mingw32-objdump "$fresh/32/tidewar-$version/tidewar.exe" pei-i386

unzip -q "dist/tidewar-$version-win64.zip" -d "$fresh/64"
package="$fresh/64/tidewar-$version"
TIDEWAR_PACKAGE="Z:${package//\//\\}" WINEDEBUG=trace+file \
  scripts/wine-run build/win64/win_tests.exe --gtest_filter='Package.*' 2>"$fresh/trace"
for file in night.dll tidewar.mid tidewar.hlp; do
  grep -qF "$package/$file" "$fresh/trace" || { echo "dist: the package never opened its $file" >&2; exit 1; }
done
# Where WinHelp is missing the program opens this page of the .chm for the options pages.
grep -qaF "/options.html" "$package/tidewar.chm" || { echo "dist: tidewar.chm has no options page" >&2; exit 1; }
echo "dist: both packages hold their files; the 64-bit one runs with its help, skin and tune"
