#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs each one for
# a bounded time from its seed corpus. Fails on the first crash, leak or
# broken invariant; the input that did it is left in build-fuzz/artifacts/.
#
#   tests/fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]    (default 30, all)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
build=${CLANKORA_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(config settings skeleton)

install_packages base assets tests fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCLANKORA_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz-}" >/dev/null

mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus, so the seeds in the tree stay as written.
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    echo "fuzz-$target: $seconds s"
    if ! "$build/tests/fuzz/fuzz-$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$corpus" "$root/tests/fuzz/corpus/$target" >"$build/fuzz-$target.log" 2>&1; then
        tail -n 60 "$build/fuzz-$target.log"
        echo "fuzz-$target failed; the input is in $build/artifacts/" >&2
        exit 1
    fi
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/fuzz-$target.log" | sed "s/^/  /"
done
