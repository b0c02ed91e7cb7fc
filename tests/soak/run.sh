#!/usr/bin/env bash
# Soak: the bot plays the game through and then flies about for the rest of
# ten minutes of game time (18,000 frames at the default step), clicking and
# switching the help, wireframe, culling and see-through poles. Every 300
# frames it notes the resident memory and the live GL objects. Fails if the
# memory grew by 5 % or more after the playthrough, or the GL objects grew.
# usage: tests/soak/run.sh [BUILD_DIR]   (a small window: software rendering)
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
game="$build/game"
folder="$build/soak"
rm -rf "$folder"
link_game_folder "$folder" "$game" 320 180
cd "$folder"
headless 1280x720 "$game/clankora-bot" --autoplay --soak-frames 15600 \
    --frame-times frames.txt --resources-every 300 > out.txt 2> err.txt
awk '
    $1 == "#" && $2 == "resources" { frame = $3; rss[frame] = $4; gl[frame] = $5; order[++n] = frame }
    $2 == "soak" && !soakStart { soakStart = $1 }
    END {
        if (n < 10 || !soakStart) { print "soak: no resource record"; exit 1 }
        # The first sample inside the soak is the baseline: the playthrough is done.
        for (i = 1; i <= n; i++) if (order[i] >= soakStart) { base = order[i]; break }
        last = order[n]
        growth = 100 * (rss[last] - rss[base]) / rss[base]
        printf "soak: frames %d to %d, resident %d KB to %d KB (%+.1f %%), GL objects %d to %d\n",
            base, last, rss[base], rss[last], growth, gl[base], gl[last]
        if (growth >= 5 || gl[last] > gl[base]) exit 1
    }' frames.txt
