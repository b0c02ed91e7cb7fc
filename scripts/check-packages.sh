#!/usr/bin/env bash
# Fails, naming the file, when the build, the asset generator, the tests or
# the game read a system file that a fresh machine would not have after
# installing the lists under scripts/packages/: a header, a CMake package or
# pkg-config file, a library, a font, the SoundFont, a third-party model.
# Such a file is here only because something else put its package on this
# machine, so the README's commands would fail on a new one.
#
# It reads what a finished build (scripts/test.sh) leaves: the compiler's
# dependency files, the CMake files and cache entries the configuration used,
# the pkg-config modules it asked for, the libraries the programs load, and
# the system files the sources name (absolute paths, and files under a named
# directory whose names the sources spell out, such as "DejaVuSans.ttf").
# A file passes when its package (dpkg -S) is one apt would install on a
# minimal system for the lists (the lists' own packages and what they depend
# on), or part of the minimal system itself.
#
#   scripts/check-packages.sh [BUILD_DIR]      (default build/)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:-$build_dir}" && pwd)
[ -f "$build/CMakeCache.txt" ] || { echo "check-packages: no build in $build" >&2; exit 2; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/clankora-packages-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# --- The system files read ---------------------------------------------------
{
    # Headers, from the compiler's dependency files.
    find "$build" -name '*.d' -path '*/CMakeFiles/*' -exec cat {} + | tr -s ' \\' '\n\n' | sed 's/:$//'
    # The CMake modules and package files the configuration read.
    grep -o '"/[^"]*"' "$build/CMakeFiles/Makefile.cmake" | tr -d '"'
    # Libraries and headers the cache found; libraries the links name.
    sed -n 's/^[A-Za-z0-9_]*:\(FILEPATH\|PATH\|INTERNAL\|STRING\)=//p' "$build/CMakeCache.txt" | tr ';' '\n'
    find "$build" -name link.txt -exec cat {} + | tr ' ' '\n'
    # Shared libraries the programs load.
    for program in "$build"/game/clankora "$build"/game/clankora-bot "$build"/tools/assetgen/assetgen; do
        [ -x "$program" ] && ldd "$program" | awk '$2 == "=>" && $3 ~ /^\// { print $3 }'
    done
} | grep -E '^/(usr|etc|lib|lib64|bin|sbin|opt)/' | sort -u >"$scratch/candidates"

# The pkg-config files of every module the configuration asked for, and of
# the modules those require.
modules=$(sed -n 's/^__pkg_config_arguments_[A-Za-z0-9_]*:INTERNAL=//p' "$build/CMakeCache.txt" |
    tr ';' '\n' | grep -vE '^(REQUIRED|QUIET|IMPORTED_TARGET|GLOBAL|NO_CMAKE_PATH|NO_CMAKE_ENVIRONMENT_PATH)$' || true)
seen=" "
while [ -n "$modules" ]; do
    next=""
    for module in $modules; do
        module=${module%%[<>=]*}
        case $seen in *" $module "*) continue ;; esac
        seen="$seen$module "
        pkg-config --path "$module" >>"$scratch/candidates" 2>/dev/null || true
        next="$next $(pkg-config --print-requires --print-requires-private "$module" 2>/dev/null | awk '{ print $1 }' | tr '\n' ' ')"
    done
    modules=$next
done

# System files the sources name: absolute paths, and for an absolute
# directory, the files under it whose relative names appear in the sources.
sources=$(find "$root/app" "$root/platform" "$root/render" "$root/scene" "$root/sound" \
    "$root/tools" "$root/tests" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.inc' \))
# shellcheck disable=SC2086
grep -ohE '"[^" ]+"' $sources | tr -d '"' | sort -u >"$scratch/literals"
while read -r literal; do
    case $literal in
        /usr/*|/etc/*)
            if [ -f "$literal" ]; then
                echo "$literal"
            elif [ -d "$literal" ]; then
                while read -r name; do
                    [ -f "${literal%/}/$name" ] && echo "${literal%/}/$name"
                done <"$scratch/literals"
            fi
            ;;
    esac
done <"$scratch/literals" >>"$scratch/candidates"

# Only regular files count: a directory belongs to every package with files in it.
sort -u "$scratch/candidates" | while read -r path; do
    [ -f "$path" ] && echo "$path"
done >"$scratch/files" || true

# --- The packages a fresh machine would have ---------------------------------
wanted=$(cat "$root"/scripts/packages/*.txt | sed -e 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
# apt with an empty package database plans a whole installation: the lists'
# packages and everything they depend on, alternatives chosen as on a new
# machine (recommendations are not installed, as in scripts/lib.sh).
# shellcheck disable=SC2086
if ! apt-get -s -o Dir::State::status=/dev/null -o Debug::NoLocking=1 install --no-install-recommends \
    $wanted >"$scratch/plan" 2>&1; then
    echo "check-packages: apt cannot install the lists under scripts/packages/:" >&2
    grep -E '^E:' "$scratch/plan" >&2 || tail -n 5 "$scratch/plan" >&2
    exit 1
fi
{
    awk '$1 == "Inst" { print $2 }' "$scratch/plan"
    # The minimal system every Debian machine starts from.
    dpkg-query -W -f='${Package} ${Priority} ${Essential}\n' | awk '$2 == "required" || $3 == "yes" { print $1 }'
} | sed 's/:.*//' | sort -u >"$scratch/allowed"

# --- Each file's package ------------------------------------------------------
# dpkg knows a file by the path its package ships; with merged /usr that may
# be the other spelling (/lib or /usr/lib), or the target of a link.
owners() {
    local path=$1 real alias found
    real=$(readlink -f "$path")
    for alias in "$real" "${path#/usr}" "/usr$path" "${real#/usr}" "/usr$real"; do
        found=$(dpkg-query -S "$alias" 2>/dev/null | sed -n 's/: \/.*//p' | tr -d ' ' | tr ',' '\n' | sed 's/:.*//')
        [ -n "$found" ] && { echo "$found"; return 0; }
    done
    return 1
}

# dpkg -S reads the file lists dpkg keeps per package and tries every
# name against every file: thousands of names take minutes. One pass over
# the same lists gives the same answer for all of them in a second; the few
# files left unplaced are asked of dpkg -S under their other spellings.
info=/var/lib/dpkg/info
find "$info" -name '*.list' -exec awk '
    FNR == 1 { package = FILENAME; sub(/.*\//, "", package); sub(/\.list$/, "", package); sub(/:.*/, "", package) }
    { print $0 "\t" package }' {} + >"$scratch/index"
# With merged /usr, /lib/x.so and /usr/lib/x.so are one file, and either
# spelling may be the one a package ships or a program names.
awk -F'\t' '
    function merged(path) { return path ~ /^\/(lib|lib32|lib64|libx32|bin|sbin)\// ? "/usr" path : path }
    NR == FNR { wanted[merged($1)] = wanted[merged($1)] SUBSEP $1; next }
    merged($1) in wanted {
        n = split(wanted[merged($1)], names, SUBSEP)
        for (i = 2; i <= n; i++) print names[i] "\t" $2
    }' "$scratch/files" "$scratch/index" | sort -u >"$scratch/owner-of"
awk -F'\t' 'NR == FNR { placed[$1] = 1; next } !($1 in placed)' "$scratch/owner-of" "$scratch/files" |
    while read -r path; do
        packages=$(owners "$path") || packages="-"
        for package in $packages; do
            printf '%s\t%s\n' "$path" "$package"
        done
    done >>"$scratch/owner-of"

checked=$(wc -l <"$scratch/files")
failures=$(awk -F'\t' '
    NR == FNR { allowed[$1] = 1; next }
    { owners[$1] = owners[$1] (owners[$1] == "" ? "" : ",") $2; if ($2 in allowed) fine[$1] = 1 }
    END {
        for (path in owners) {
            if (path in fine) continue
            if (owners[path] == "-")
                print "check-packages: " path " belongs to no Debian package" > "/dev/stderr"
            else
                print "check-packages: " path " is in " owners[path] ", which no list under scripts/packages/ installs" > "/dev/stderr"
            count++
        }
        print count + 0
    }' "$scratch/allowed" "$scratch/owner-of")

if [ $failures -ne 0 ]; then
    echo "check-packages: $failures of $checked system files would be missing on a fresh machine" >&2
    exit 1
fi
echo "check-packages: the lists under scripts/packages/ cover all $checked system files read"
