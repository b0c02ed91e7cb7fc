# Shared steps of scripts/test.sh and scripts/play.sh; source, don't run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${CLANKORA_BUILD_DIR:-$root/build}

# Installs every Debian package of the named lists under scripts/packages/
# (base for base.txt, ...) that dpkg does not report as installed. Quiet when
# nothing is missing. The game needs base and assets; the tests add tests,
# the fuzzing and Valgrind runs fuzz and sanitize.
#   install_packages LIST...
install_packages() {
    local list files=() wanted missing=()
    for list in "$@"; do
        files+=("$root/scripts/packages/$list.txt")
    done
    wanted=$(cat "${files[@]}" | sed -e 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
    for package in $wanted; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures (Release unless told otherwise) and builds with both cores.
build_game() {
    local start=$SECONDS
    cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=${CLANKORA_BUILD_TYPE:-Release} "$@" >/dev/null
    cmake --build "$build_dir" -j "$(nproc)"
    echo "Build finished in $((SECONDS - start)) s."
}

# Runs a command on a virtual X server whose screen is SIZE (WIDTHxHEIGHT).
# Xvfb resets itself whenever its last client leaves and drops a client that
# connects during the reset; with tests starting and ending on both cores that
# happens now and then (a test dies of SIGPIPE or finds no display), so the
# server never resets.
#   headless SIZE COMMAND...
headless() {
    local size=$1
    shift
    xvfb-run -a -s "-screen 0 ${size}x24 -noreset" "$@"
}

# Makes DIR a game folder of links to GAME_DIR's assets with a window of its
# own size, so a run leaves the game folder as it is.
#   link_game_folder DIR GAME_DIR WIDTH HEIGHT
link_game_folder() {
    mkdir -p "$1"
    ln -s "$2/OpenGL" "$1/OpenGL"
    ln -s "$2/Model" "$1/Model"
    printf '0\n%s\n%s\n0\n' "$3" "$4" > "$1/Resolution.ini"
}
