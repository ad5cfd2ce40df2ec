#!/usr/bin/env bash
# Builds everything and runs every test.
#   ./test.sh             the normal build in build/
#   ./test.sh --sanitize  the tests under AddressSanitizer + UBSan in build-asan/
set -euo pipefail
cd "$(dirname "$0")"

build=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags=(-DONDREL_SANITIZE=ON -DONDREL_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
elif [ -n "${1:-}" ]; then
  echo "usage: ./test.sh [--sanitize]" >&2
  exit 1
fi

scripts/bootstrap

# Tests never need a display, and never touch the user's own settings.
export QT_QPA_PLATFORM=offscreen
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" -j 2
ctest --test-dir "$build" -j 2 --output-on-failure
