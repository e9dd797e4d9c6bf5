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
    veltrano_install_deps clang libclang-rt-14-dev
    build=build
    flags=(-DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON -DVELTRANO_FUZZ=OFF)
    # The fuzz target builds whenever clang is there.
    command -v clang++ >/dev/null && flags+=(-DVELTRANO_FUZZ=ON)
fi

cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600)

# With clang at hand, the real libFuzzer binary (ASan+UBSan, coverage) is
# built in its own small folder and given a short run from the seed corpus.
if [ "$mode" = release ] && command -v clang++ >/dev/null; then
    cmake --build "$build" --target fuzz_repaint_clang
    fuzz_dir="$(mktemp -d)"
    trap 'rm -rf "$fuzz_dir"' EXIT
    cp fuzz/corpus/* "$fuzz_dir"/
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
        "$build/fuzz-clang/bin/fuzz_repaint" -max_total_time=30 -max_len=4096 "$fuzz_dir" 2>&1 | tail -n 3
fi
