#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# As root it installs what is missing through apt-get; otherwise it names the
# missing packages and stops.
set -euo pipefail

TV_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev
    libsqlite3-dev libarchive-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-wine fonts-liberation2 fontconfig
    poppler-utils xvfb xauth xdotool
    cups cups-client printer-driver-cups-pdf
)

tv_missing_packages() {
    local missing=()
    for p in "${TV_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    echo "${missing[@]:-}"
}

tv_install_deps() {
    local missing
    missing=$(tv_missing_packages)
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Brakuje pakietów: $missing" >&2
        echo "Zainstaluj je poleceniem: sudo apt-get install $missing" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
}

# tv_build <dir> [target...]: configures and builds the given targets, or
# everything (the program, every test and benchmark) when none is named.
tv_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    if [ "$#" -gt 0 ]; then
        cmake --build "$dir" -j "$(nproc)" --target "$@"
    else
        cmake --build "$dir" -j "$(nproc)"
    fi
}
