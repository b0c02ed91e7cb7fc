#!/usr/bin/env bash
# Installs what the game needs, builds it, generates the assets and starts it
# from its game folder.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

install_packages
build_game
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): Clankora needs a desktop to open its window." >&2
    exit 1
fi
cd "$build_dir/game"
exec ./clankora
