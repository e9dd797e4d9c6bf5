#!/usr/bin/env bash
# Longer fuzzing campaigns with the libFuzzer targets.
#   ./scripts/fuzz.sh [TARGET] [SECONDS]
# TARGET is repaint, pointer or all (default all, one after the other);
# SECONDS per target (default 600). Two jobs on two workers share each
# target's corpus, which persists between campaigns in
# $VELTRANO_FUZZ_DIR/<target>/corpus (default build/fuzz-runs, git-ignored)
# and starts from the seed corpus in fuzz/. Crash, leak and hang inputs go
# to $VELTRANO_FUZZ_DIR/<target>/crashes/; minimise one with
#   build/fuzz-clang/bin/fuzz_<target> -minimize_crash=1 -runs=10000 FILE
# and keep it in the seed corpus under a name that says what it does.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source fuzz/fuzz_options.sh

target="${1:-all}"
seconds="${2:-600}"
case "$target" in
    all) targets=(repaint pointer) ;;
    repaint|pointer) targets=("$target") ;;
    *) echo "usage: $0 [repaint|pointer|all] [SECONDS]" >&2; exit 2 ;;
esac
case "$seconds" in
    ''|*[!0-9]*) echo "SECONDS must be a whole number" >&2; exit 2 ;;
esac

veltrano_install_deps clang libclang-rt-14-dev
# The libFuzzer binaries are built by the clang build folder that the main
# build's fuzz_repaint_clang target keeps in build/fuzz-clang.
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRANO_FUZZ=OFF
fi
cmake --build build --target fuzz_repaint_clang

runs="$(realpath -m "${VELTRANO_FUZZ_DIR:-build/fuzz-runs}")"
status=0
for t in "${targets[@]}"; do
    dir="$runs/$t"
    mkdir -p "$dir/corpus" "$dir/crashes" "$dir/logs"
    cp -n "$(veltrano_fuzz_corpus "$t")"/* "$dir/corpus/"
    read -r -a options <<<"$(veltrano_fuzz_options "$t")"
    read -r -a environment <<<"$(veltrano_fuzz_environment)"
    binary="$(realpath build/fuzz-clang/bin/fuzz_$t)"
    echo "fuzz_$t: $seconds s, 2 jobs, corpus $dir/corpus, logs $dir/logs"
    # -jobs writes one log per job (fuzz-N.log) into the current folder.
    if ! (cd "$dir/logs" && env "${environment[@]}" \
        "$binary" -jobs=2 -workers=2 -max_total_time="$seconds" "${options[@]}" \
        -artifact_prefix="$dir/crashes/" "$dir/corpus"); then
        status=1
    fi
    found=$(find "$dir/crashes" -type f | wc -l)
    echo "fuzz_$t: $(find "$dir/corpus" -type f | wc -l) corpus inputs; $found crash, leak or hang inputs in $dir/crashes/"
    [ "$found" -eq 0 ] || status=1
done
exit "$status"
