#!/usr/bin/env bash
# Builds the game's Debian package, build/clankora_<version>_<arch>.deb (a
# Release build and CPack's DEB generator), then checks it: lintian reports no
# errors, the desktop entry and the AppStream data validate, and the package
# unpacked into a scratch root has the installed layout and starts the game
# from there under Xvfb, with HOME in a scratch folder, until Escape quits it.
# An up-to-date Release build in build/ (the one scripts/test.sh makes) is
# reused as it is.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

fail() {
    echo "package check: $*" >&2
    exit 1
}

# Starts LAUNCHER with its output in LOG, presses Escape once its window is
# there until the game quits (it reads keys only once its scene is built) and
# returns the game's exit status. The window's WM_CLASS must be CLASS (the
# desktop entry's name, by which the desktop shows its icon) with the instance
# name clankora. Runs inside the X server.
start_and_quit() {
    local launcher=$1 log=$2 class=$3 pid tries classed=0
    "$launcher" </dev/null >"$log" 2>&1 &
    pid=$!
    for tries in $(seq 1 90); do
        sleep 1
        kill -0 "$pid" 2>/dev/null || break
        xdotool search --pid "$pid" >/dev/null 2>&1 || continue
        if [ $classed -eq 0 ]; then
            classed=1
            xdotool search --all --pid "$pid" --class "^$class\$" >/dev/null 2>&1 &&
                xdotool search --all --pid "$pid" --classname '^clankora$' >/dev/null 2>&1 ||
                { echo "the game's window has not the WM_CLASS clankora, $class" >>"$log"; kill "$pid"; return 1; }
        fi
        xdotool keydown Escape
        sleep 0.3
        xdotool keyup Escape
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        echo "the game did not quit on Escape within 90 s" >>"$log"
        return 1
    fi
    wait "$pid"
}

start=$SECONDS
CLANKORA_BUILD_TYPE=Release
install_packages base assets packaging
# A build that scripts/test.sh made keeps its tests; a new one leaves them out.
tests_option=()
[ -f "$build_dir/CMakeCache.txt" ] || tests_option=(-DCLANKORA_TESTS=OFF)
mkdir -p "$build_dir"
build_game "${tests_option[@]}" >"$build_dir/package-build.log" 2>&1 || { cat "$build_dir/package-build.log"; fail "the build failed"; }
cd "$build_dir"
rm -f clankora_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; fail "CPack failed"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' CMakeCache.txt)
deb="$build_dir/clankora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "CPack wrote no $deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Built $deb ($(du -h "$deb" | cut -f1)) in $((SECONDS - start)) s; depends on: $depends"
# The libraries found in the executables, and the drivers OpenGL loads.
for package in libopenal1 libglfw3 libgl1-mesa-dri; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] || fail "Depends lacks $package"
done

scratch=$(mktemp -d /tmp/clankora-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

step=$SECONDS
echo "lintian:"
lintian --fail-on error "$deb" || fail "lintian reports errors"
echo "lintian took $((SECONDS - step)) s"

root="$scratch/root"
dpkg -x "$deb" "$root"
usr="$root/usr"
for program in games/clankora lib/games/clankora/clankora lib/games/clankora/clankora-bot; do
    [ -x "$usr/$program" ] || fail "no program /usr/$program"
done
for file in share/games/clankora/Resolution.ini share/games/clankora/OpenGL/Shader/camera.frag \
    share/games/clankora/OpenGL/Textures/Level1.png share/games/clankora/OpenGL/WAVE/outro.mp3 \
    share/games/clankora/Model/house/house.3ds share/man/man6/clankora.6.gz \
    share/doc/clankora/copyright share/doc/clankora/changelog.gz; do
    [ -f "$usr/$file" ] || fail "no file /usr/$file"
done
for size in 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/clankora.png"
    file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "no $size px icon: $(file "$icon")"
done
generator=$(find "$root" -name 'assetgen*' -o -name '*.partial' -o -name '*Test')
[ -z "$generator" ] || fail "the package ships build tools: $generator"
desktop=$(echo "$usr"/share/applications/*.desktop)
metainfo=$(echo "$usr"/share/metainfo/*.metainfo.xml)
[ "$(basename "$desktop" .desktop)" = "$(basename "$metainfo" .metainfo.xml)" ] || fail "the desktop entry and AppStream file differ in name"
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
# The game has no web page and names none: AppStream 1.0 (Debian 13) warns
# about that, and only that warning is let pass.
if ! validation=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
    others=$(grep -E '^[EW]: ' <<<"$validation" | grep -v ':~: url-homepage-missing$' || true)
    grep -q ':~: url-homepage-missing$' <<<"$validation" && [ -z "$others" ] ||
        { echo "$validation"; fail "appstreamcli: $metainfo"; }
    validation+=$'\n'"appstreamcli: passed but for the missing homepage, which the game leaves out"
fi
echo "$validation"

# Every flag in the installed game's help, each of them in the manual page's
# options, and the settings file in its files.
help=$(HOME="$scratch/help-home" "$usr/games/clankora" --help) || fail "the installed clankora --help failed"
flags=(--mouse-sensitivity --invert-mouse --field-of-view --music-volume --vsync --render-scale --show-music --help --version)
for flag in "${flags[@]}"; do
    grep -qE -- "^  $flag( |$)" <<<"$help" || fail "clankora --help does not list $flag"
done
manual=$(gzip -dc "$usr/share/man/man6/clankora.6.gz" | sed 's/\\-/-/g')
section() { sed -n "/^\.SH $1\$/,/^\.SH /p" <<<"$manual"; }
for flag in $(grep -oE -- '^  --[a-z-]+' <<<"$help"); do
    section OPTIONS | grep -q -- "$flag" || fail "the manual page's OPTIONS lack $flag"
done
for key in "${flags[@]:0:7}"; do
    section SETTINGS | grep -q -- "${key#--}" || fail "the manual page's SETTINGS lack the key ${key#--}"
done
section FILES | grep -q '^\.I ~/.config/clankora/clankora.conf$' || fail "the manual page's FILES lack the settings file"
echo "clankora --help lists every flag; the manual page describes them and the settings file"

echo "The installed game under Xvfb, HOME=$scratch/home:"
mkdir "$scratch/home"
status=0
step=$SECONDS
HOME="$scratch/home" headless 1280x720 env -u XDG_DATA_HOME -u ALSOFT_LOGLEVEL \
    bash -c "$(declare -f start_and_quit); start_and_quit '$usr/games/clankora' '$scratch/game.log' '$(basename "$desktop" .desktop)'" || status=$?
cat "$scratch/game.log"
[ "$status" -eq 0 ] || fail "the installed game ended with status $status"
echo "The game started, and quit on Escape, in $((SECONDS - step)) s"
folder="$scratch/home/.local/share/clankora"
[ -f "$folder/Resolution.ini" ] && [ ! -L "$folder/Resolution.ini" ] || fail "no Resolution.ini of the player's own in $folder"
for tree in OpenGL Model; do
    [ "$(readlink "$folder/$tree")" = "$usr/share/games/clankora/$tree" ] || fail "$folder/$tree does not link to the installed files"
done
echo "Package check passed in $((SECONDS - start)) s: $deb"
