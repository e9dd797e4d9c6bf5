#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs them.
#   ./scripts/test.sh             release build with GCC in build/
#   ./scripts/test.sh --clang     release build with clang in build-clang/
#   ./scripts/test.sh --sanitize  AddressSanitizer + UBSan build in build-sanitize/
# VELTRANO_WERROR=ON in the environment turns warnings into errors (CI).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

mode=release
case "${1:-}" in
    --sanitize) mode=sanitize ;;
    --clang) mode=clang ;;
    "") ;;
    *) echo "usage: $0 [--clang|--sanitize]" >&2; exit 2 ;;
esac

werror="${VELTRANO_WERROR:-OFF}"
case "$mode" in
    sanitize)
        veltrano_install_deps
        build=build-sanitize
        flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_TESTS=ON -DVELTRANO_SANITIZE=ON -DVELTRANO_BENCH=OFF)
        export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        ;;
    clang)
        veltrano_install_deps clang
        build=build-clang
        flags=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON)
        ;;
    release)
        veltrano_install_deps clang libclang-rt-14-dev
        build=build
        flags=(-DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON)
        ;;
esac
flags+=(-DVELTRANO_FUZZ=OFF "-DVELTRANO_WERROR=$werror")

cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600)

# With clang at hand, the real libFuzzer binary (ASan+UBSan, coverage) is
# built in its own small folder and given a short run from the seed corpus.
# Its output and any crash files stay in a temporary folder; on a failure
# the whole output is shown and the folder is kept.
if [ "$mode" = release ] && command -v clang++ >/dev/null; then
    cmake --build "$build" --target fuzz_repaint_clang
    fuzz_dir="$(mktemp -d)"
    mkdir "$fuzz_dir/corpus" "$fuzz_dir/crashes"
    cp fuzz/corpus/* "$fuzz_dir/corpus/"
    if QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
        "$build/fuzz-clang/bin/fuzz_repaint" -max_total_time=30 -max_len=4096 \
        -artifact_prefix="$fuzz_dir/crashes/" "$fuzz_dir/corpus" >"$fuzz_dir/output.txt" 2>&1; then
        tail -n 3 "$fuzz_dir/output.txt"
        rm -rf "$fuzz_dir"
    else
        cat "$fuzz_dir/output.txt"
        echo "The fuzz run failed; its output and crash files are kept in $fuzz_dir" >&2
        exit 1
    fi
fi
