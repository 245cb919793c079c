#!/usr/bin/env bash
# Builds Lexora with its tests and runs the whole suite headless, in three stages:
#   normal    the RelWithDebInfo build and every test, the hostile-data suite and the
#             benchmark's smoke run included;
#   sanitize  the same tests built with AddressSanitizer, UndefinedBehaviorSanitizer and
#             LeakSanitizer;
#   fuzz      a clang build of the libFuzzer targets, each run briefly from its corpus.
# Usage: scripts/test.sh [--quick | --stage normal|sanitize|fuzz]
#   (no option)  all three stages, as CI runs them
#   --quick      the normal stage only, for a fast check while developing
#   --stage S    stage S only
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

usage="usage: scripts/test.sh [--quick | --stage normal|sanitize|fuzz]"
stages=(normal sanitize fuzz)
case "${1:-}" in
    "") ;;
    --quick) stages=(normal) ;;
    --stage)
        case "${2:-}" in
            normal | sanitize | fuzz) stages=("$2") ;;
            *) echo "$usage" >&2; exit 2 ;;
        esac ;;
    *) echo "$usage" >&2; exit 2 ;;
esac

# Every finding stops the test that made it. Qt, its offscreen platform and fontconfig
# keep a few blocks until exit; tests/lsan.supp names them, so that leaks of our own code
# still count.
sanitizer_environment=(
    QT_QPA_PLATFORM=offscreen
    ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
)

bash "$root/scripts/deps.sh"

stage_normal() {
    local build="$root/build-tests"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
    cmake --build "$build" -j"$jobs"
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
}

stage_sanitize() {
    local build="$root/build-tests-sanitize"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
        -DLEXORA_SANITIZE=ON >/dev/null
    cmake --build "$build" -j"$jobs"
    (cd "$build" && env "${sanitizer_environment[@]}" ctest --output-on-failure -j"$jobs")
}

stage_fuzz() {
    local build="$root/build-tests-fuzz"
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBUILD_TESTING=ON -DLEXORA_SANITIZE=ON -DLEXORA_FUZZ=ON >/dev/null
    cmake --build "$build" --target lexora_fuzzers -j"$jobs"
    (cd "$build" && env "${sanitizer_environment[@]}" ctest -L fuzz --output-on-failure)
}

for stage in "${stages[@]}"; do
    echo "== lexora tests: $stage stage" >&2
    start=$SECONDS
    "stage_$stage"
    echo "== lexora tests: $stage stage passed in $((SECONDS - start)) s" >&2
done
