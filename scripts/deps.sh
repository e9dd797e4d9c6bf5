#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Quick when everything is present: dpkg is asked first, apt only for what
# is missing. Sourced by run.sh and test.sh.
veltrano_install_deps() {
    local packages=(build-essential cmake ninja-build qt6-base-dev
        libgtest-dev libgmock-dev libbenchmark-dev
        fonts-liberation2 fonts-liberation fontconfig
        qt6-translations-l10n xvfb xauth desktop-file-utils shared-mime-info appstream
        poppler-utils librdkit-dev libboost-dev "$@")
    local missing=()
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q \
        && "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}
