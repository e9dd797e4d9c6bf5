#!/usr/bin/env bash
# Installs what is missing, builds a release build into build/ and runs the
# program on FILE.cfd or on the bundled example drawing.
set -euo pipefail
# A FILE given relative to the caller's folder stays valid after the cd below.
file="${1:-}"
[ -n "$file" ] && file="$(realpath -m -- "$file")"
cd "$(dirname "$0")/.."
source scripts/deps.sh
veltrano_install_deps
[ -n "$file" ] || file="$PWD/examples/benzoesaeure.cfd"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF >/dev/null
cmake --build build --parallel "$(nproc)"

if [ -x build/bin/veltrano ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/bin/veltrano "$file"
fi
if [ -x build/bin/veltrano ]; then
    echo "No display found: drawing the page with the headless renderer instead."
fi
mkdir -p out
name="$(basename "${file%.*}")"
build/bin/veltrano-render "$file" "out/$name.png"
echo "out/$name.png"
