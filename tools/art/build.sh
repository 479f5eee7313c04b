#!/bin/sh
# Builds the art tool, repaints both skins, the icon, the About box art and the setup's
# picture, and checks them.
# Run from anywhere; BUILD_DIR (default build/) takes the binary.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${BUILD_DIR:-$root/build}
mkdir -p "$out"
g++ -std=c++17 -O2 -Wall -Wextra -o "$out/draw_art" "$root"/tools/art/*.cpp
"$out/draw_art" --theme day "$root/res/art"
"$out/draw_art" --theme night "$root/res/skins/night"
"$out/draw_art" --icon "$root/res/tidewar.ico"
"$out/draw_art" --about "$root/res/art"
"$out/draw_art" --setup "$root/res/setup"
"$out/draw_art" --check --theme day "$root/res/art"
"$out/draw_art" --check --theme night "$root/res/skins/night"
"$out/draw_art" --check-icon "$root/res/tidewar.ico"
