#!/usr/bin/env bash
# The README's two commands as a new user meets them: a minimal Debian root
# (debootstrap --variant=minbase, plus git, sudo and ca-certificates), a clone
# of this repository in it, and `bash scripts/test.sh`, then
# `bash scripts/play.sh` (the headless demo), each run by an ordinary user
# with sudo through chroot with a clean environment: no display, no sound
# card, nothing from this machine's build. Each command gets a root of its
# own, so play.sh shows that the packages it installs itself suffice. On
# trixie the game play.sh built then also runs under Wayland (weston in
# Xvfb, with and without XWayland: tests/wayland/run.sh). Prints
# how long each took and where its log is; exit status 0 when both passed.
#
#   scripts/fresh-check.sh [--ref REF] [--only test|play] [--keep] [bookworm|trixie]
#
# REF (default main, or CLANKORA_FRESH_REF) is any commit of this repository;
# what is not committed is not checked. --only runs one of the two commands,
# --keep leaves the roots in place.
# Needs root (or sudo) and the Debian mirror (CLANKORA_FRESH_MIRROR). The
# minimal root is cached as a tar in CLANKORA_FRESH_CACHE (default
# /var/cache/clankora-fresh); roots and logs go to CLANKORA_FRESH_WORK
# (default /var/tmp/clankora-fresh). A run builds everything from nothing:
# expect tens of minutes on two cores.
set -euo pipefail

usage() {
    echo "usage: scripts/fresh-check.sh [--ref REF] [--only test|play] [--keep] [bookworm|trixie]" >&2
    exit 2
}

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ref=${CLANKORA_FRESH_REF:-main}
release=bookworm
keep=0
commands=(test play)
while [ $# -gt 0 ]; do
    case $1 in
        --ref) [ $# -ge 2 ] || usage; ref=$2; shift 2 ;;
        --ref=*) ref=${1#--ref=}; shift ;;
        --keep) keep=1; shift ;;
        --only) [ $# -ge 2 ] && [[ $2 =~ ^(test|play)$ ]] || usage; commands=("$2"); shift 2 ;;
        bookworm|trixie) release=$1; shift ;;
        *) usage ;;
    esac
done

if [ "$(id -u)" -ne 0 ]; then
    flags=()
    [ "$keep" -eq 1 ] && flags=(--keep)
    [ ${#commands[@]} -eq 1 ] && flags+=(--only "${commands[0]}")
    exec sudo --preserve-env=CLANKORA_FRESH_MIRROR,CLANKORA_FRESH_CACHE,CLANKORA_FRESH_WORK \
        bash "${BASH_SOURCE[0]}" --ref "$ref" "${flags[@]}" "$release"
fi

mirror=${CLANKORA_FRESH_MIRROR:-http://deb.debian.org/debian}
cache=${CLANKORA_FRESH_CACHE:-/var/cache/clankora-fresh}
work=${CLANKORA_FRESH_WORK:-/var/tmp/clankora-fresh}/$release-$(date -u +%Y%m%d-%H%M%S)
tarball=$cache/$release-minbase.tar.gz
# The repository may belong to another user than root.
commit=$(git -c safe.directory='*' -C "$repo" rev-parse --verify --quiet "$ref^{commit}") || {
    echo "fresh-check: $ref is no commit of $repo" >&2
    exit 2
}

# Mount points at or below DIR, deepest first.
mounts_below() {
    awk -v dir="$1" '$5 == dir || index($5, dir "/") == 1 { print $5 }' /proc/self/mountinfo | sort -r
}

# Stops what still runs inside DIR (a lingering Xvfb), unmounts everything
# below it and, unless asked to keep it, removes it. Never deletes a tree
# that still has something mounted in it.
release_root() {
    local dir=$1 pid point
    [ -d "$dir" ] || return 0
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$dir" ]; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
    done
    for point in $(mounts_below "$dir"); do
        umount "$point" 2>/dev/null || umount -l "$point" || true
    done
    if [ -n "$(mounts_below "$dir")" ]; then
        echo "fresh-check: still mounted below $dir; left in place:" >&2
        mounts_below "$dir" >&2
        return 1
    fi
    [ "$keep" -eq 1 ] || rm -rf --one-file-system "$dir"
}

roots=()
cleanup() {
    local dir
    for dir in "${roots[@]}"; do
        release_root "$dir" || true
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

make_cached_root() {
    [ -f "$tarball" ] && return 0
    if ! command -v debootstrap >/dev/null; then
        echo "Installing debootstrap"
        env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
    fi
    mkdir -p "$cache"
    local staging
    staging=$(mktemp -d "$cache/$release.XXXXXX")
    roots+=("$staging")
    # mktemp makes the folder for its owner alone, and the tar keeps that
    # for the root's own top: "player" could not run a thing in it.
    chmod 755 "$staging"
    echo "Making a minimal $release root (debootstrap, a few minutes); cached in $tarball"
    debootstrap --variant=minbase --include=git,sudo,ca-certificates "$release" "$staging" "$mirror" \
        >"$work/debootstrap.log" 2>&1 || {
        echo "debootstrap failed; see $work/debootstrap.log" >&2
        return 1
    }
    tar -C "$staging" --numeric-owner -czf "$tarball.part" .
    mv "$tarball.part" "$tarball"
    release_root "$staging"
}

# A root from the cached tar with the repository's commit cloned into the
# home of user "player", who may use sudo without a password. Only the nodes
# every program expects are in /dev: no sound card, no GPU.
prepare_root() {
    local dir=$1 node name major minor
    mkdir -p "$dir"
    roots+=("$dir")
    tar -C "$dir" --numeric-owner -xzf "$tarball"
    # A tar cached before that was mended still has it.
    chmod 755 "$dir"
    cp -L /etc/resolv.conf "$dir/etc/resolv.conf"
    cp -L /etc/hosts "$dir/etc/hosts"
    mount -t proc proc "$dir/proc"
    mount -t sysfs -o ro sysfs "$dir/sys"
    mount -t tmpfs -o mode=755,nosuid tmpfs "$dir/dev"
    for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
        IFS=: read -r name major minor <<<"$node"
        mknod -m 666 "$dir/dev/$name" c "$major" "$minor"
    done
    mkdir "$dir/dev/pts" "$dir/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$dir/dev/pts"
    ln -s pts/ptmx "$dir/dev/ptmx"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$dir/dev/shm"
    ln -s /proc/self/fd "$dir/dev/fd"
    ln -s /proc/self/fd/0 "$dir/dev/stdin"
    ln -s /proc/self/fd/1 "$dir/dev/stdout"
    ln -s /proc/self/fd/2 "$dir/dev/stderr"

    # X servers' abstract sockets are shared with this machine's, chroot or
    # not: a display number in use out here could not be opened in the root,
    # or worse, its clients would reach the X server out here. Taken lock
    # files make xvfb-run (which starts at :99) pick :1000 and above there.
    for node in $(seq 99 999); do
        : >"$dir/tmp/.X$node-lock"
    done

    chroot "$dir" /usr/sbin/useradd --create-home --shell /bin/bash player
    echo "player ALL=(ALL) NOPASSWD: ALL" >"$dir/etc/sudoers.d/player"
    chmod 440 "$dir/etc/sudoers.d/player"
    git -c safe.directory='*' clone -q --no-checkout --no-hardlinks "$repo" "$dir/home/player/clankora"
    git -c safe.directory='*' -C "$dir/home/player/clankora" checkout -q --detach "$commit"
    chroot "$dir" chown -R player:player /home/player/clankora
}

# Runs COMMAND as the player in the clone inside root DIR, logs it to LOG and
# prints the outcome under NAME; a failure sets failed and returns 1.
failed=0
run_as_player() {
    local name=$1 dir=$2 log=$3 command=$4 start status=0 took built
    echo "$name: running in $dir (log: $log)"
    start=$SECONDS
    chroot --userspec=player:player "$dir" /usr/bin/env -i HOME=/home/player USER=player \
        LOGNAME=player SHELL=/bin/bash PATH=/usr/local/bin:/usr/bin:/bin TERM=dumb \
        bash -c "cd ~/clankora && $command" >"$log" 2>&1 </dev/null || status=$?
    took=$((SECONDS - start))
    built=$(grep -o "Build finished in [0-9]* s" "$log" | tail -n 1 | grep -o "[0-9]*" || true)
    printf '%s on %s: %s in %dm%02ds (build %s s); log: %s\n' "$name" "$release" \
        "$([ $status -eq 0 ] && echo passed || echo "FAILED (status $status)")" \
        $((took / 60)) $((took % 60)) "${built:-?}" "$log"
    [ $status -eq 0 ] || { tail -n 25 "$log" | sed 's/^/    /'; failed=1; return 1; }
}

# Runs `bash scripts/NAME.sh` in a fresh root. On trixie, whose GLFW has
# Wayland, the game that play.sh built then runs under a Wayland compositor
# in the same root (tests/wayland/run.sh).
check() {
    local name=$1 dir=$work/$1-root
    prepare_root "$dir"
    if run_as_player "$name.sh" "$dir" "$work/$name.log" "bash scripts/$name.sh" &&
        [ "$name" = play ] && [ "$release" = trixie ]; then
        run_as_player "tests/wayland/run.sh" "$dir" "$work/wayland.log" "bash tests/wayland/run.sh" || true
    fi
    release_root "$dir" || true
}

mkdir -p "$work"
echo "fresh-check: $release, commit $(git -c safe.directory='*' -C "$repo" log -1 --format='%h %s' "$commit")"
make_cached_root
for command in "${commands[@]}"; do
    check "$command"
done
echo "fresh-check on $release: $([ $failed -eq 0 ] && echo "passed (${commands[*]})" || echo FAILED); logs in $work"
exit $failed
