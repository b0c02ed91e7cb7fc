#!/usr/bin/env bash
# Plays the title into the intro under Valgrind's memcheck and fails on any
# memory error or definite leak that tests/sanitize/valgrind.supp (the
# system's own) does not name. Slow: about a hundred frames take minutes.
#
#   tests/sanitize/valgrind.sh [GAME_FOLDER] [FRAMES]    (default build/game, 100)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
install_packages sanitize
game=$(cd "${1:-${CLANKORA_BUILD_DIR:-$root/build}/game}" && pwd)
frames=${2:-100}
log=${CLANKORA_VALGRIND_LOG:-$root/build-valgrind/memcheck.log}
mkdir -p "$(dirname "$log")"

# Links to the game's assets beside a small window's settings: the game
# folder stays as it is, and each frame costs memcheck less.
folder=$(mktemp -d "${TMPDIR:-/tmp}/clankora-valgrind-XXXXXX")
trap 'rm -rf "$folder"' EXIT
link_game_folder "$folder" "$game" 320 240
cd "$folder"

# Under memcheck threads take turns, so llvmpipe draws on the main thread.
# The silent sound device keeps ALSA out of the run.
export GALLIUM_DRIVER=llvmpipe LIBGL_ALWAYS_SOFTWARE=1 LP_NUM_THREADS=0
export ALSOFT_DRIVERS=null ALSOFT_LOGLEVEL=0
# glfwTerminate unloads Mesa's driver, and with its data go the only pointers
# to blocks it keeps for the whole process, which memcheck would then count as
# lost. Loaded from the start, the driver stays to the end.
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1 || true)

status=0
headless 1280x720 env ${driver:+LD_PRELOAD=$driver} \
    valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --keep-debuginfo=yes --num-callers=40 --error-exitcode=99 \
    --suppressions="$root/tests/sanitize/valgrind.supp" --log-file="$log" \
    "$game/clankora-bot" --script "$root/tests/sanitize/intro.txt" --max-frames "$frames" \
    --frame-times "$log.frames" || status=$?
echo "  $(grep -vc "^#" "$log.frames" || true) frame times recorded"
grep -E "definitely lost:|ERROR SUMMARY:" "$log" | sed 's/^==[0-9]*== */  /'
if [ "$status" -ne 0 ]; then
    echo "memcheck found errors (exit status $status); see $log" >&2
    exit 1
fi
