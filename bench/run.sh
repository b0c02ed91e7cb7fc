#!/usr/bin/env bash
# Frame-time benchmark: builds Release and lets clankora-bot play its
# benchmark tour headless (Xvfb with Mesa's llvmpipe) at 800 x 600 and at
# 1280 x 720, twice at each size: native (every pixel, --render-scale 1) and
# auto (the scale adapting to the frame time, as the game does on a software
# renderer); then times an empty frame (clear and swap only) at each size,
# which is the floor on this machine. Frame time is the wall time between
# buffer swaps, while the fixed time step drives the game. A game folder
# whose bot has no --render-scale is timed native only ("auto": null).
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
    install_packages base assets
    CLANKORA_BUILD_TYPE=Release build_game >/dev/null
    game="$build_dir/game"
fi
# The runs start in folders of their own, so the game's path must not be relative.
game=$(cd "$game" && pwd)
work="$build_dir/bench/$(basename "$game")"
rm -rf "$work"
mkdir -p "$work"

# Summarises a frame-time record: one line per phase with
# "phase frames median p95 fps scale" (the phase's median render scale),
# then "first S", "peak KB" and "scale S", the median scale over the level
# phases (1 for a record without scales).
summarise() {
    awk '
        # insertion sort of the first n values of a: a few thousand at most
        function sort(a, n,    i, j, v) { for (i = 2; i <= n; i++) { v = a[i]; j = i - 1; while (j > 0 && a[j] > v) { a[j + 1] = a[j]; j-- } a[j + 1] = v } }
        /^# first-frame-seconds/ { first = $3; next }
        /^# peak-resident-kilobytes/ { peak = $3; next }
        /^#/ { next }
        { times[$2] = times[$2] " " $3; phaseScales[$2] = phaseScales[$2] " " (NF >= 5 ? $5 : 1) }
        $2 ~ /^level/ { scales[++levelFrames] = NF >= 5 ? $5 : 1 }
        END {
            sort(scales, levelFrames)
            scale = levelFrames ? scales[int((levelFrames + 1) / 2)] : 1
            for (phase in times) {
                n = split(substr(times[phase], 2), t, " ")
                split(substr(phaseScales[phase], 2), s, " ")
                sort(t, n)
                sort(s, n)
                median = t[int((n + 1) / 2)]
                p95 = t[int(n * 0.95) > 0 ? int(n * 0.95) : 1]
                printf "%s %d %.2f %.2f %.1f %.2f\n", phase, n, median, p95, 1000 / median, s[int((n + 1) / 2)]
            }
            printf "first %s\npeak %s\nscale %s\n", first, peak, scale
        }' "$1"
}

scale_flag=""
"$game/clankora-bot" --help 2>/dev/null | grep -q -- --render-scale && scale_flag=yes

# Plays the tour in FOLDER at SCREEN with the given scale into NAME.txt and
# prints the JSON object of its figures; the table rows go to standard error.
tour() {
    local folder=$1 screen=$2 size=$3 name=$4 scale=$5
    local arguments=(--autoplay --bench-views "$view_frames" --frame-times "$name.txt")
    [ -n "$scale_flag" ] && arguments+=(--render-scale "$scale")
    (cd "$folder" && headless "$screen" "$game/clankora-bot" "${arguments[@]}" > "$name.out" 2> "$name.err") \
        || { echo "the $name tour at $size failed:" >&2; tail -5 "$folder/$name.err" >&2; return 1; }
    summarise "$folder/$name.txt" > "$folder/$name.summary"
    local first peak object phase_separator="" line frames median p95 fps scale
    first=$(awk '$1 == "first" { print $2 }' "$folder/$name.summary")
    peak=$(awk '$1 == "peak" { printf "%.1f", $2 / 1024 }' "$folder/$name.summary")
    object="{\"first_frame_s\": $first, \"peak_rss_mb\": $peak, \"phases\": {"
    for phase in title intro level1 level2 level3 play ending; do
        line=$(awk -v p="$phase" '$1 == p' "$folder/$name.summary")
        [ -n "$line" ] || continue
        read -r _ frames median p95 fps scale <<< "$line"
        printf '%-10s %-7s %-8s %7s %10s %10s %8s %6s\n' "$size" "$name" "$phase" "$frames" "$median" "$p95" "$fps" \
            "$scale" >&2
        object+="$phase_separator\"$phase\": {\"frames\": $frames, \"median_ms\": $median, \"p95_ms\": $p95, \"fps\": $fps, \"scale\": $scale}"
        phase_separator=", "
    done
    object+="}"
    if [ "$name" = auto ]; then
        object+=", \"scale_median\": $(awk '$1 == "scale" { print $2 }' "$folder/$name.summary")"
    fi
    printf '%-10s %-7s first frame %s s after the process started, peak resident memory %s MB\n' "$size" "$name" \
        "$first" "$peak" >&2
    echo "$object}"
}

json="{"
separator=""
printf '%-10s %-7s %-8s %7s %10s %10s %8s %6s\n' size run phase frames "median ms" "p95 ms" fps scale
for size in $sizes; do
    width=${size%x*}
    height=${size#*x}
    folder="$work/$size"
    link_game_folder "$folder" "$game" "$width" "$height"
    screen="$((width > 1280 ? width : 1280))x$((height > 720 ? height : 720))"
    tour "$folder" "$screen" "$size" native 1 > "$folder/native.json"
    native=$(cat "$folder/native.json")
    auto=null
    if [ -n "$scale_flag" ]; then
        tour "$folder" "$screen" "$size" auto auto > "$folder/auto.json"
        auto=$(cat "$folder/auto.json")
    fi
    (cd "$folder" && headless "$screen" "$game/clankora-bot" --empty-frames 300 --frame-times empty.txt > /dev/null)
    summarise "$folder/empty.txt" > "$folder/empty.summary"
    read -r _ frames median p95 fps _ <<< "$(awk '$1 == "start"' "$folder/empty.summary")"
    printf '%-10s %-7s %-8s %7s %10s %10s %8s\n' "$size" - empty "$frames" "$median" "$p95" "$fps"
    json+="$separator\"$size\": {\"native\": $native, \"auto\": $auto, \"empty\": {\"median_ms\": $median, \"p95_ms\": $p95, \"fps\": $fps}}"
    separator=", "
done
json+="}"
echo "$json"
