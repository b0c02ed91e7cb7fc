#!/usr/bin/env bash
# Installs what the project needs, builds it, generates the assets and runs
# every test headless (Xvfb with Mesa's llvmpipe). Exit status: the tests'.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

install_packages
build_game
cd "$build_dir"
xvfb-run -a -s "-screen 0 1280x720x24" ctest --output-on-failure -j "$(nproc)"
