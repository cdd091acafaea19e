#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (or $PLUMETRA_BUILD_DIR).
# Extra arguments go to cmake's configure step (e.g. -DPLUMETRA_SANITIZE=ON). The packages are
# those of the profiles in $PLUMETRA_DEPS (default "tests"; see install-deps.sh), the targets
# those in $PLUMETRA_TARGETS (default: all).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
bash "$root/scripts/install-deps.sh" ${PLUMETRA_DEPS:-tests}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMETRA_WERROR=$werror "$@" >/dev/null
targets=()
for target in ${PLUMETRA_TARGETS:-}; do targets+=(--target "$target"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}" >&2  # build progress is not part of the results
