#!/usr/bin/env bash
# Installs what the project needs, builds it, generates the assets and runs
# every test headless (Xvfb with Mesa's llvmpipe). Exit status: the tests'.
#
# With --sanitize it builds into build-asan with AddressSanitizer and
# UndefinedBehaviorSanitizer instead, runs the tests there (all but the
# slowest, which the plain run covers) and plays the title into the intro.
#
# With --tsan it builds the sound tests into build-tsan with ThreadSanitizer
# and runs them: the sound layer is the game's only threaded code.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

if [ $# -eq 0 ]; then
    install_packages base assets tests
    build_game -DCLANKORA_TESTS=ON
    cd "$build_dir"
    headless 1280x720 ctest --output-on-failure -j "$(nproc)"
    exit
fi
if [ $# -eq 1 ] && [ "$1" = "--tsan" ]; then
    build_dir=${CLANKORA_TSAN_BUILD_DIR:-$root/build-tsan}
    sound_tests="FmodLayerTest SongCaptureTest SongTest SoundProcessTest SoundSystemTest"
    install_packages base tests
    cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCLANKORA_TSAN=ON >/dev/null
    # shellcheck disable=SC2086
    cmake --build "$build_dir" -j "$(nproc)" --target soundScenario $sound_tests
    # A report from any thread of a test or of its scenario program fails
    # the test: the scenario's standard error must stay empty, and a test
    # process with a report ends with status 66.
    export TSAN_OPTIONS="suppressions=$root/tests/sound/tsan.supp:exitcode=66:history_size=4"
    export ALSOFT_LOGLEVEL=0
    status=0
    cd "$build_dir/game"
    for test in $sound_tests; do
        echo "ThreadSanitizer: $test"
        "$build_dir/tests/$test" --gtest_brief=1 || status=1
    done
    exit $status
fi
if [ $# -ne 1 ] || [ "$1" != "--sanitize" ]; then
    echo "usage: scripts/test.sh [--sanitize | --tsan]" >&2
    exit 2
fi

build_dir=${CLANKORA_SANITIZE_BUILD_DIR:-$root/build-asan}
CLANKORA_BUILD_TYPE=${CLANKORA_BUILD_TYPE:-RelWithDebInfo}
install_packages base assets tests
build_game -DCLANKORA_SANITIZE=ON -DCLANKORA_TESTS=ON

# Leaks and errors end the process with its own status, which every test of an
# exit status notices; the suppressions name third-party libraries only.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:check_initialization_order=1:strict_init_order=1:verify_asan_link_order=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export LSAN_OPTIONS="suppressions=$root/tests/sanitize/lsan.supp:print_suppressions=0"
# glfwTerminate unloads Mesa's driver, and with its data go the only pointers
# to blocks it keeps for the whole process: LeakSanitizer then reports them,
# with stacks it can no longer name. Loaded from the start, the driver stays
# to the end. (It defines no allocator, so the sanitizer's link order holds.)
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1 || true)
resident=${driver:+LD_PRELOAD=$driver}

# Left to the plain run: whole playthroughs, which take minutes each under the
# sanitizers (the bot run below covers the same frame loop here), and a forked
# child's silence, which LeakSanitizer breaks with a line about the parent's
# threads that the child no longer has.
left_out='^(Progression\.|Playthrough|GeneratorRun\.|SoundLifetime\.ForkedChild)'
status=0
cd "$build_dir"
headless 1280x720 env $resident ctest --output-on-failure -j "$(nproc)" -E "$left_out" || status=1

cd "$build_dir/game"
echo "clankora-bot: title into the intro"
headless 1280x720 env $resident ./clankora-bot --script "$root/tests/sanitize/intro.txt" || status=1
exit $status
