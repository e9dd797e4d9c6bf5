#!/usr/bin/env bash
# Installs what is missing, builds with tests and runs them.
#   ./scripts/test.sh             release build with GCC in build/
#   ./scripts/test.sh --clang     release build with clang in build-clang/, each
#                                 target compiled in one batch (name clashes show)
#   ./scripts/test.sh --sanitize  AddressSanitizer + UBSan build in build-sanitize/
#   ./scripts/test.sh --fuzz      the libFuzzer targets, a minute each (CI runs it)
# VELTRANO_WERROR=ON in the environment turns warnings into errors (CI).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

mode=release
case "${1:-}" in
    --sanitize) mode=sanitize ;;
    --clang) mode=clang ;;
    --fuzz) mode=fuzz ;;
    "") ;;
    *) echo "usage: $0 [--clang|--sanitize|--fuzz]" >&2; exit 2 ;;
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
        flags=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON
               -DVELTRANO_UNITY_BATCH=0)
        ;;
    release)
        veltrano_install_deps
        build=build
        flags=(-DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON)
        ;;
    fuzz)
        veltrano_install_deps clang libclang-rt-14-dev
        build=build
        flags=(-DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=ON -DVELTRANO_BENCH=ON)
        ;;
esac
flags+=(-DVELTRANO_FUZZ=OFF "-DVELTRANO_WERROR=$werror")

cmake -S . -B "$build" -G Ninja "${flags[@]}"
if [ "$mode" != fuzz ]; then
    cmake --build "$build" --parallel "$(nproc)"
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600)
fi

# --fuzz: the real libFuzzer binaries (clang, ASan+UBSan, coverage,
# LeakSanitizer) are built in their own small folder and each is given a
# minute from its seed corpus: any crash, leak, hang (-timeout) or broken
# invariant fails the run. Its output and any crash files stay in a
# temporary folder; on a failure the whole output is shown and the folder
# is kept. The limits are those of scripts/fuzz.sh (fuzz/fuzz_options.sh).
if [ "$mode" = fuzz ]; then
    cmake --build "$build" --target fuzz_repaint_clang
    source fuzz/fuzz_options.sh
    for target in repaint pointer; do
        fuzz_dir="$(mktemp -d)"
        mkdir "$fuzz_dir/corpus" "$fuzz_dir/crashes"
        cp "$(veltrano_fuzz_corpus "$target")"/* "$fuzz_dir/corpus/"
        read -r -a options <<<"$(veltrano_fuzz_options "$target")"
        read -r -a environment <<<"$(veltrano_fuzz_environment)"
        if env "${environment[@]}" \
            "$build/fuzz-clang/bin/fuzz_$target" -max_total_time=60 "${options[@]}" \
            -artifact_prefix="$fuzz_dir/crashes/" "$fuzz_dir/corpus" >"$fuzz_dir/output.txt" 2>&1; then
            echo "fuzz_$target: $(grep -E '^Done [0-9]+ runs' "$fuzz_dir/output.txt" || tail -n 1 "$fuzz_dir/output.txt")"
            rm -rf "$fuzz_dir"
        else
            cat "$fuzz_dir/output.txt"
            echo "The fuzz run of fuzz_$target failed; its output and crash files are kept in $fuzz_dir" >&2
            exit 1
        fi
    done
fi
