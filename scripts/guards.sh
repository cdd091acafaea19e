#!/usr/bin/env bash
# The guards that run after the test suite: the naming check over the suite's build
# (scripts/check-names.sh), then the core's tests and the command line's tests built with clang
# under the address, undefined-behaviour and float-cast-overflow sanitizers, then every fuzz
# target replaying its seeds once (no random inputs, so the verdict depends on the commit alone;
# `bash scripts/fuzz.sh SECONDS` fuzzes for longer). One instrumented build serves both. Build folder: $PLUMETRA_GUARD_DIR (default build-guards/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_GUARD_DIR:-$root/build-guards}"
started=$SECONDS

bash "$root/scripts/install-deps.sh" guards
bash "$root/scripts/check-names.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMETRA_FUZZ=ON \
  -DPLUMETRA_TESTS=ON -DPLUMETRA_GUI=OFF -DPLUMETRA_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" >&2
echo "Sanitizer build: $((SECONDS - started)) s" >&2

# The desktop's tests are not built here; everything else runs under the sanitizers.
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
  ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
echo "Sanitizer tests done: $((SECONDS - started)) s" >&2

PLUMETRA_FUZZ_DIR="$build" PLUMETRA_FUZZ_TESTS=ON bash "$root/scripts/fuzz.sh" replay
echo "Guards done: $((SECONDS - started)) s" >&2
