#!/usr/bin/env bash
# Builds the sound generator with the host compiler and rewrites res/sounds/*.wav.
set -euo pipefail
repo=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
out="$repo/build/tools"
mkdir -p "$out" "$repo/res/sounds"
g++ -std=c++17 -O2 -Wall -Wextra -o "$out/sounds" "$repo"/tools/sounds/*.cpp
"$out/sounds" "$repo/res/sounds"
