#!/usr/bin/env bash
# Runs the generators into a scratch folder and compares what they make with res/, byte for
# byte: the committed art, sounds and tune are what the tools in the repo make.
#   regenerate.sh REPO SCRATCH DRAW_ART SOUNDS TUNE
set -euo pipefail
repo=$1 scratch=$2 draw_art=$3 sounds=$4 tune=$5
rm -rf "$scratch"
mkdir -p "$scratch/art" "$scratch/night" "$scratch/sounds" "$scratch/music"
"$draw_art" --theme day "$scratch/art"
"$draw_art" --theme night "$scratch/night"
"$draw_art" --icon "$scratch/tidewar.ico"
"$draw_art" --about "$scratch/art"
"$draw_art" --setup "$scratch"
"$sounds" "$scratch/sounds"
"$tune" "$scratch/music/tidewar.mid"
for dir in art sounds music; do diff -r "$scratch/$dir" "$repo/res/$dir"; done
diff -r -x night.rc "$scratch/night" "$repo/res/skins/night"
cmp "$scratch/tidewar.ico" "$repo/res/tidewar.ico"
cmp "$scratch/wizard.bmp" "$repo/res/setup/wizard.bmp"
