#!/usr/bin/env bash
# Plays the whole game with clankora-bot --autoplay in a small window and
# keeps what it leaves behind in DIR (stdout.txt, stderr.txt, shots/,
# audio.wav, frame-times.txt) for PlaythroughGLTest to read.
# usage: playthrough.sh GAME_DIR DIR
set -u
source "$(dirname "$0")/../../scripts/lib.sh"
game=$1
out=$2
rm -rf "$out"
link_game_folder "$out" "$game" 640 360
cd "$out"
# An empty shader cache of its own, as on a player's first run: llvmpipe
# builds every program's code where the game first draws with it, and a
# cache filled by earlier runs would hide a pause that this causes.
export MESA_SHADER_CACHE_DIR="$out/shader-cache"
start=$(date +%s.%N)
"$game/clankora-bot" --autoplay --log-steps --shots "$out/shots" --record-audio "$out/audio.wav" \
    --frame-times "$out/frame-times.txt" > stdout.txt 2> stderr.txt < /dev/null
status=$?
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v c="$status" 'BEGIN { printf "playthrough: exit status %d after %.1f s of wall time\n", c, e - s }'
# Frames per phase: the bot marks a phase at each of its screenshots.
awk '!/^#/ { n[$2]++; t[$2] += $3 } END { for (p in n) printf "  %-20s %5d frames %8.1f ms mean\n", p, n[p], t[p] / n[p] }' \
    frame-times.txt 2>/dev/null | sort
exit $status
