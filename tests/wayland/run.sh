#!/usr/bin/env bash
# The game on a Wayland desktop, as on Debian 13's default ones. weston (the
# reference compositor) runs with its X11 back-end inside Xvfb and starts
# XWayland; the game then runs twice: with WAYLAND_DISPLAY and XWayland's
# DISPLAY set, as in a GNOME or Plasma Wayland session (it takes X11 there),
# and with WAYLAND_DISPLAY alone (native Wayland, an EGL context). Each time
# the bot's short script must end with status 0, its screenshots must not be
# blank, and the real clankora must still be running after five seconds.
# weston's headless back-end has no seat, and GLFW 3.4's glfwInit crashes on
# it, hence the X11 back-end. Needs GLFW 3.4 (Debian 13); installs the
# packages of scripts/packages/wayland.txt.
#   tests/wayland/run.sh [GAME_DIR]     (default build/game)
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
game=$(cd "${1:-$build_dir/game}" && pwd)
install_packages wayland

work=$(mktemp -d /tmp/clankora-wayland.XXXXXX)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}

# A display number nobody holds, for Xvfb.
display=1000
while [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x800x24 -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
socket=clankora-wayland-$$
sleep 1
DISPLAY=":$display" weston --backend=x11 --renderer=pixman --width=1280 --height=760 \
    --socket="$socket" --xwayland >"$work/weston.log" 2>&1 &
pids+=($!)
xwayland=""
for _ in $(seq 1 40); do
    sleep 0.5
    xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -n 1)
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && [ -n "$xwayland" ] && break
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ] || [ -z "$xwayland" ]; then
    tail -n 20 "$work/weston.log" >&2
    echo "wayland: weston did not start with XWayland" >&2
    exit 1
fi
echo "weston on Xvfb :$display: Wayland socket $socket, XWayland $xwayland"

# Runs the game in NAME's way: the bot's tour, then clankora for five seconds.
#   run_game NAME ENV...
run_game() {
    local name=$1 out=$work/$1 status pid shot colours
    shift
    mkdir -p "$out"
    (cd "$game" && env "$@" WAYLAND_DEBUG=client ./clankora-bot --script "$root/tests/wayland/tour.txt" \
        --shots "$out/shots" >"$out/bot.out" 2>"$out/bot.err" </dev/null)
    status=$?
    if [ "$status" -ne 0 ]; then
        # Without WAYLAND_DEBUG's protocol lines.
        cat "$out/bot.out" <(grep -v '^\[ *[0-9.]*\]' "$out/bot.err") | tail -n 5 >&2
        fail "$name: the bot ended with status $status"
    fi
    for shot in title intro; do
        colours=$(identify -format %k "$out/shots/$shot.png" 2>/dev/null || echo 0)
        [ "$colours" -gt 100 ] || fail "$name: $shot.png is blank ($colours colours)"
    done
    # WAYLAND_DEBUG shows the Wayland requests a client makes, if it connects at all.
    if [ "$status" -ne 0 ]; then
        :
    elif grep -q 'xdg_toplevel.*set_app_id' "$out/bot.err"; then
        echo "$name: the bot drew on Wayland, app id $(grep -o 'set_app_id([^)]*)' "$out/bot.err" | head -n 1)"
    else
        echo "$name: the bot drew on X11 (no Wayland request)"
    fi
    (cd "$game" && exec env "$@" ./clankora >"$out/game.log" 2>&1 </dev/null) &
    pid=$!
    sleep 5
    if kill -0 "$pid" 2>/dev/null; then
        echo "$name: clankora still running after 5 s"
        kill "$pid"
        wait "$pid" 2>/dev/null
    else
        wait "$pid"
        fail "$name: clankora ended with status $? within 5 s: $(tail -n 3 "$out/game.log")"
    fi
}

run_game xwayland WAYLAND_DISPLAY="$socket" DISPLAY="$xwayland"
grep -q 'set_app_id' "$work/xwayland/bot.err" && fail "xwayland: the game took Wayland although X11 was offered"
run_game wayland -u DISPLAY WAYLAND_DISPLAY="$socket"
# The app id must name the desktop entry, which the build names after it.
app_id=$(sed -n 's/^CLANKORA_APP_ID:STRING=//p' "$game/../CMakeCache.txt" 2>/dev/null)
grep -q "set_app_id(\"${app_id:-?}\")" "$work/wayland/bot.err" || fail "wayland: the window's app id is not ${app_id:-?}"
echo "tests/wayland/run.sh: $([ $failed -eq 0 ] && echo passed || echo FAILED)"
exit $failed
