#!/usr/bin/env bash
# tests/dist/check.sh VERSION: the zips hold the package's files, the 32-bit exe only system
# imports, each package plays a game by keys and opens its skin and tune at the start and then
# its help (Wine's file trace), from a fresh folder whose name the ANSI code page (1252 under
# C.UTF-8) cannot write; the 32-bit one where the machine runs 32-bit programs. There, in a fresh
# prefix, the setup installs silently over an older version, keeping the statistics, what the
# same check then runs; then it uninstalls silently: everything goes but the settings.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/../.."
version=$1 temp=$(mktemp -d)
fresh="$temp/Морской бой 海戦"
mkdir "$fresh"
fail() { echo "dist: $*" >&2; exit 1; }
# The setup's part below exports its own prefix: the shared one is named here by clearing it.
trap 'TIDEWAR_PREFIX= scripts/wine-run --stop-server; TIDEWAR_PREFIX="$temp/prefix" scripts/wine-run --stop-server; rm -rf "$temp"' EXIT
# Wine's trace writes the bytes of a Unix path beyond ASCII as \xNN.
traced() { printf '%s' "$1" | LC_ALL=C perl -pe 's/([^ -~])/sprintf("\\x%02x", ord $1)/ge'; }
# The Windows test exe of the width runs the program of the folder, tracing the files it opens,
# and plays a game with it.
runs_with_help_skin_and_tune() {
  local arch=$1 package=$2 help file
  # Wine takes the environment in the locale's charset: UTF-8 here.
  LC_ALL=C.UTF-8 TIDEWAR_PACKAGE="Z:${package//\//\\}" WINEDEBUG=trace+file \
    scripts/wine-run $([ "$arch" = win32 ] && echo --32) "build/$arch/win_tests.exe" --gtest_filter='Package.*' 2>"$temp/trace"
  help=$(traced "$package/tidewar.hlp")
  grep -qF "$help" "$temp/trace" || fail "$package: the $arch program never opened its tidewar.hlp"
  # The options sheet opens the skin again after the help: the start is what comes before.
  help=$help LC_ALL=C awk 'index($0, ENVIRON["help"]) { exit } { print }' "$temp/trace" >"$temp/start"
  for file in night.dll tidewar.mid; do
    grep -qF "$(traced "$package/$file")" "$temp/start" || fail "$package: the $arch program did not open its $file at the start"
  done
}
files="night.dll readme.txt tidewar-de.chm tidewar-de.hlp tidewar-ru.chm tidewar-ru.hlp tidewar.chm tidewar.exe tidewar.hlp tidewar.mid"
scripts/wine-run --start-server
want=$(printf "tidewar-$version/%s " $files)
ran=()
for arch in win32 win64; do
  unzip -q "dist/tidewar-$version-$arch.zip" -d "$fresh/$arch"
  got=$(cd "$fresh/$arch" && find . -type f -printf '%P\n' | sort | tr '\n' ' ')
  [ "$got" = "$want" ] || fail "the $arch zip holds $got"
  package="$fresh/$arch/tidewar-$version"
  [ "$arch" = win64 ] || bash scripts/check-imports --max-bytes 524288 i686-w64-mingw32-objdump "$package/tidewar.exe" pei-i386
  if ! why=$(scripts/wine-run $([ "$arch" = win32 ] && echo --32) --check); then
    echo "$arch: tests skipped: this machine cannot run ${arch#win}-bit programs ($why)"
    continue
  fi
  runs_with_help_skin_and_tune "$arch" "$package"
  grep -qaF "/options.html" "$package/tidewar.chm" || fail "the $arch tidewar.chm has no options page (context 6 without WinHelp)"
  ran+=("$arch")
done
echo "dist: both packages hold their files; ${ran[*]:-none} ran with its help, skin and tune and played a game by keys"

if ! why=$(scripts/wine-run --32 --check); then
  echo "setup: tests skipped: this machine cannot run 32-bit programs ($why)"
  exit 0
fi
# A prefix and a home of its own: nothing installed before counts, and should Wine write into
# the home folder after all (its profile's links, its menu entries for the shortcuts), the
# real one stays clean and the check below sees it.
export TIDEWAR_PREFIX="$temp/prefix" HOME="$temp/home"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir "$HOME"
scripts/wine-run --setup
user=$(ls "$TIDEWAR_PREFIX/drive_c/users" | grep -vx Public)
profile="$TIDEWAR_PREFIX/drive_c/users/$user"
folder="$profile/AppData/Local/Programs/Tidewar"
links=("$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tidewar.lnk" "$profile/Desktop/Tidewar.lnk")
uninstall='Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewar'
settings='Software\Quorvex Software\Tidewar'
# Runs a 32-bit program there and waits until every process of the prefix has ended (the
# uninstaller goes on in a copy of itself); then the registry is on disk.
settled() {
  scripts/wine-run --32 "$@"
  timeout 60 scripts/wine-run --wineserver -w || fail "$*: Wine still runs after 60 s"
}
# A value as user.reg writes it ("text", with \\ for \; dword:0000002a), or nothing.
stored() {
  key="[${1//\\/\\\\}]" name="\"$2\"=" awk '
    index($0, ENVIRON["key"]) == 1 { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && index($0, ENVIRON["name"]) == 1 { print substr($0, length(ENVIRON["name"]) + 1) }' "$TIDEWAR_PREFIX/user.reg"
}
# A Shell Link holds its target's local path as plain bytes.
leads_to_exe() { grep -qaF "C:\\users\\$user\\AppData\\Local\\Programs\\Tidewar\\tidewar.exe" "$1"; }
setup="dist/tidewar-$version-setup.exe"
# First an older version, whose readme differs; then this one over it.
stage="build/dist/win32/tidewar-$version"
cp -r "$stage" "$temp/old"
echo "Tidewar 0.9" >"$temp/old/readme.txt"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION=0.9 -DFILEVERSION=0.9.0.0 -DSTAGE="$temp/old" -DOUTFILE="$temp/old-setup.exe" \
  res/setup/tidewar.nsi >/dev/null
settled "$temp/old-setup.exe" /S
[ "$(stored "$uninstall" DisplayVersion)" = '"0.9"' ] || fail "the older version was not installed"
scripts/wine-run reg add "HKCU\\$settings" /v Statistic /t REG_DWORD /d 7 /f >/dev/null
settled "$setup" /S
[ "$(stored "$settings" Statistic)" = dword:00000007 ] || fail "an install over an older version lost the statistics"
cmp -s "$stage/readme.txt" "$folder/readme.txt" || fail "an install over an older version left its files"
got=$(cd "$folder" && find . -type f -printf '%P\n' | sort | tr '\n' ' ') || got=nothing
[ "$got" = "$files uninstall.exe " ] || fail "the setup installed $got in $folder"
for link in "${links[@]}"; do
  leads_to_exe "$link" || fail "$link does not lead to the installed exe"
done
size=$(find "$folder" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "dword:%08x", s / 1024 }')
for entry in "DisplayVersion=\"$version\"" "Publisher=\"Quorvex Software\"" "EstimatedSize=$size"; do
  [ "$(stored "$uninstall" "${entry%%=*}")" = "${entry#*=}" ] || fail "Installed apps: ${entry%%=*} is $(stored "$uninstall" "${entry%%=*}")"
done
written=$(find "$HOME" -mindepth 1 -printf '%P ')
[ -z "$written" ] || fail "the setup wrote into the home folder: $written"
runs_with_help_skin_and_tune win32 "$folder"

# The program's tests above cleared the settings: the uninstaller must keep what it finds.
scripts/wine-run reg add "HKCU\\$settings" /v Statistic /t REG_DWORD /d 7 /f >/dev/null
# As a deployer uninstalls: by the command that Installed apps keeps.
quiet=$(stored "$uninstall" QuietUninstallString)
[[ $quiet =~ ^\"\\\"(.*)\\\"\ /S\"$ ]] || fail "Installed apps: QuietUninstallString is $quiet"
settled "${BASH_REMATCH[1]//\\\\/\\}" /S
[ ! -e "$folder" ] || fail "the uninstaller left $(find "$folder" -printf '%P ')"
for link in "${links[@]}"; do
  [ ! -e "$link" ] || fail "the uninstaller left $link"
done
[ -z "$(stored "$uninstall" DisplayName)" ] || fail "the uninstaller left the entry in Installed apps"
[ "$(stored "$settings" Statistic)" = dword:00000007 ] || fail "the silent uninstall removed the statistics"
echo "setup: installed over an older version keeping the statistics, ran and played a game by keys, uninstalled keeping the settings"
