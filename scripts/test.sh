#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs them.
#   ./scripts/test.sh             release build in build/
#   ./scripts/test.sh --sanitize  AddressSanitizer + UBSan build in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

mode=release
[ "${1:-}" = "--sanitize" ] && mode=sanitize

if [ "$mode" = sanitize ]; then
    veltrano_install_deps
    build=build-sanitize
    flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_TESTS=ON -DVELTRANO_SANITIZE=ON -DVELTRANO_BENCH=OFF -DVELTRANO_FUZZ=OFF)
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    veltrano_install_deps clang
    build=build
    flags=(-DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON -DVELTRANO_FUZZ=OFF)
    # The fuzz target builds whenever clang is there.
    command -v clang++ >/dev/null && flags+=(-DVELTRANO_FUZZ=ON)
fi

cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600
