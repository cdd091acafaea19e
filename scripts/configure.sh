#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (or $PLUMETRA_BUILD_DIR).
# Extra arguments go to cmake's configure step (e.g. -DPLUMETRA_SANITIZE=ON).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
bash "$root/scripts/install-deps.sh"
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMETRA_WERROR=$werror "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >&2  # build progress is not part of the results
