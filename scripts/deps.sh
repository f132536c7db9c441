#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# As root it installs what is missing through apt-get; otherwise it names the
# missing packages and stops, unless only the print queue's are missing: it
# names those and goes on, and the tests that print through CUPS skip.
set -euo pipefail

TV_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev
    libsqlite3-dev libarchive-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-wine fonts-liberation2 fontconfig
    poppler-utils xvfb xauth xdotool
)

# The tests' private print queue (scripts/print_queue.sh), which also needs
# root: a run without them goes on, and the tests that print through CUPS skip.
TV_PRINT_QUEUE_PACKAGES=(
    cups cups-client printer-driver-cups-pdf
)

# tv_missing_packages PACKAGE...: the ones not installed.
tv_missing_packages() {
    local missing=()
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    echo "${missing[@]:-}"
}

tv_install_deps() {
    local missing queue all
    missing=$(tv_missing_packages "${TV_PACKAGES[@]}")
    queue=$(tv_missing_packages "${TV_PRINT_QUEUE_PACKAGES[@]}")
    all=$(tv_missing_packages "${TV_PACKAGES[@]}" "${TV_PRINT_QUEUE_PACKAGES[@]}")
    [ -z "$all" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        if [ -n "$missing" ]; then
            echo "Brakuje pakietów: $all" >&2
            echo "Zainstaluj je poleceniem: sudo apt-get install $all" >&2
            exit 1
        fi
        echo "Brakuje pakietów kolejki wydruku: $queue" >&2
        echo "Testy drukujące przez CUPS zostaną pominięte: potrzebują tych pakietów" \
            "(sudo apt-get install $queue) i uruchomienia jako root." >&2
        return 0
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $all
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
