#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless, with a
# private CUPS print queue for the tests that print (scripts/print_queue.sh).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
source scripts/print_queue.sh
tv_install_deps
tv_build build
tv_print_queue_start build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300
