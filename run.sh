#!/usr/bin/env bash
# Installs what is missing, builds the program (its own target only),
# prepares the working folder and starts the program in it ($TARVELINO_DIR,
# else ~/Tarvelino). It needs a display: without one, xvfb-run ./run.sh.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
tv_install_deps
tv_build build tarvelino
workdir=${TARVELINO_DIR:-$HOME/Tarvelino}
mkdir -p "$workdir"
export TARVELINO_DATA="$PWD/data"
cd "$workdir"
exec "$OLDPWD/build/src/tarvelino" "$@"
