#!/usr/bin/env bash
# Builds the program and saves a picture of its main window as it opens a
# formula file (the bundled example, or FILE.cfd), without touching the
# user's own settings: the working folder, the settings and the file-type registration go
# to a temporary folder.
#   ./scripts/screenshot.sh [FILE.cfd] [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."

file="${1:-examples/benzoesaeure.cfd}"
out="${2:-out/hauptfenster.png}"
build="${VELTRANO_BUILD:-build}"

if [ ! -x "$build/bin/veltrano" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF >/dev/null
    cmake --build "$build" --target veltrano --parallel "$(nproc)"
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$(dirname "$out")"

args=(--screenshot "$out")
# Without the example the window opens on an empty page.
[ -f "$file" ] && args+=("$file")

XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" VELTRANO_XDG_ROOT="$scratch/xdg" XDG_RUNTIME_DIR="$scratch" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/veltrano" "${args[@]}"
echo "$out"
