#!/usr/bin/env bash
# Frame-time benchmark: builds Release and lets clankora-bot play its
# benchmark tour headless (Xvfb with Mesa's llvmpipe) at 800 x 600 and at
# 1280 x 720, then times an empty frame (clear and swap only) at each size,
# which is the floor on this machine. Frame time is the wall time between
# buffer swaps, while the fixed time step drives the game.
#
# usage: bench/run.sh [--sizes "800x600 1280x720"] [--view-frames N] [--game DIR]
# --game DIR runs an existing game folder as it is (no install, no build),
# for example one with other shaders to compare against.
# Prints a table and, last, one JSON line with every figure.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"

sizes="800x600 1280x720"
view_frames=60
game=""
while [ $# -gt 0 ]; do
    case $1 in
        --sizes) sizes=$2; shift 2 ;;
        --view-frames) view_frames=$2; shift 2 ;;
        --game) game=$2; shift 2 ;;
        *) echo "usage: bench/run.sh [--sizes \"800x600 1280x720\"] [--view-frames N] [--game DIR]" >&2; exit 2 ;;
    esac
done

if [ -z "${game:-}" ]; then
    install_packages
    CLANKORA_BUILD_TYPE=Release build_game >/dev/null
    game="$build_dir/game"
fi
# The runs start in folders of their own, so the game's path must not be relative.
game=$(cd "$game" && pwd)
work="$build_dir/bench/$(basename "$game")"
rm -rf "$work"
mkdir -p "$work"

# Summarises a frame-time record: one line per phase with
# "phase frames median p95 fps", then "first S" and "peak KB".
summarise() {
    awk '
        /^# first-frame-seconds/ { first = $3; next }
        /^# peak-resident-kilobytes/ { peak = $3; next }
        /^#/ { next }
        { times[$2] = times[$2] " " $3; count[$2]++ }
        END {
            for (phase in times) {
                n = split(substr(times[phase], 2), t, " ")
                # insertion sort: a few thousand values at most
                for (i = 2; i <= n; i++) { v = t[i]; j = i - 1; while (j > 0 && t[j] > v) { t[j + 1] = t[j]; j-- } t[j + 1] = v }
                median = t[int((n + 1) / 2)]
                p95 = t[int(n * 0.95) > 0 ? int(n * 0.95) : 1]
                printf "%s %d %.2f %.2f %.1f\n", phase, n, median, p95, 1000 / median
            }
            printf "first %s\npeak %s\n", first, peak
        }' "$1"
}

json="{"
separator=""
printf '%-10s %-8s %7s %10s %10s %8s\n' size phase frames "median ms" "p95 ms" fps
for size in $sizes; do
    width=${size%x*}
    height=${size#*x}
    folder="$work/$size"
    link_game_folder "$folder" "$game" "$width" "$height"
    screen="$((width > 1280 ? width : 1280))x$((height > 720 ? height : 720))"
    (cd "$folder" && headless "$screen" "$game/clankora-bot" --autoplay --bench-views "$view_frames" \
        --frame-times tour.txt > tour.out 2> tour.err) || { echo "the tour at $size failed:"; tail -5 "$folder/tour.err"; exit 1; }
    (cd "$folder" && headless "$screen" "$game/clankora-bot" --empty-frames 300 --frame-times empty.txt > /dev/null)

    summarise "$folder/tour.txt" > "$folder/tour.summary"
    summarise "$folder/empty.txt" > "$folder/empty.summary"
    first=$(awk '$1 == "first" { print $2 }' "$folder/tour.summary")
    peak=$(awk '$1 == "peak" { print $2 }' "$folder/tour.summary")
    json+="$separator\"$size\": {\"first_frame_s\": $first, \"peak_rss_mb\": $(awk -v k="$peak" 'BEGIN { printf "%.1f", k / 1024 }'), \"phases\": {"
    phase_separator=""
    for phase in title intro level1 level2 level3 play ending; do
        line=$(awk -v p="$phase" '$1 == p' "$folder/tour.summary")
        [ -n "$line" ] || continue
        read -r _ frames median p95 fps <<< "$line"
        printf '%-10s %-8s %7s %10s %10s %8s\n' "$size" "$phase" "$frames" "$median" "$p95" "$fps"
        json+="$phase_separator\"$phase\": {\"frames\": $frames, \"median_ms\": $median, \"p95_ms\": $p95, \"fps\": $fps}"
        phase_separator=", "
    done
    read -r _ frames median p95 fps <<< "$(awk '$1 == "start"' "$folder/empty.summary")"
    printf '%-10s %-8s %7s %10s %10s %8s\n' "$size" empty "$frames" "$median" "$p95" "$fps"
    printf '%-10s first frame %s s after the process started, peak resident memory %s MB\n' "$size" "$first" \
        "$(awk -v k="$peak" 'BEGIN { printf "%.1f", k / 1024 }')"
    json+="}, \"empty\": {\"median_ms\": $median, \"p95_ms\": $p95, \"fps\": $fps}}"
    separator=", "
done
json+="}"
echo "$json"
