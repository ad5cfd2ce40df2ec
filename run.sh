#!/usr/bin/env bash
# Builds the desktop program and starts it on CHART (without one: a new chart).
# On a machine without a display the chart (or a shipped example) runs headless with
# ondrel-run instead, and the recorded samples are written to a CSV file.
#   ./run.sh [CHART]
set -euo pipefail
chart=""
if [ -n "${1:-}" ]; then
  [ -e "$1" ] || { echo "run.sh: no such chart: $1" >&2; exit 1; }
  chart=$(realpath -- "$1")
fi
cd "$(dirname "$0")"

scripts/bootstrap
cmake -S . -B build -G Ninja >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  chart=${chart:-$PWD/examples/harmonic_oscillator.cht}
  echo "run.sh: no display here (DISPLAY and WAYLAND_DISPLAY are unset);" \
       "running $(basename "$chart") headless with ondrel-run"
  cmake --build build -j 2 --target ondrel-run
  mkdir -p build/samples
  csv="$PWD/build/samples/$(basename "$chart" .cht).csv"
  build/src/cli/ondrel-run --csv "$csv" "$chart"
  echo "run.sh: the samples are in $csv"
  exit 0
fi

cmake --build build -j 2 --target ondrel
exec build/src/gui/ondrel ${chart:+"$chart"}
