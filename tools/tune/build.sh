#!/usr/bin/env bash
# Builds the tune generator with the host compiler and rewrites res/music/tidewar.mid.
set -euo pipefail
repo=$(cd "$(dirname "$(readlink -f "$0")")/../.." && pwd)
out="$repo/build/tools"
mkdir -p "$out" "$repo/res/music"
g++ -std=c++17 -O2 -Wall -Wextra -o "$out/tune" "$repo/tools/tune/tune.cpp"
"$out/tune" "$repo/res/music/tidewar.mid"
