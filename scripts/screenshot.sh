#!/usr/bin/env bash
# Starts the desktop program on CHART in a virtual X server and saves a screenshot of the
# whole screen to OUT.png. A scratch profile keeps the picture independent of the user's
# own settings (first-start toolbar layout).
#   scripts/screenshot.sh CHART OUT.png [SECONDS]
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: scripts/screenshot.sh CHART OUT.png [SECONDS]" >&2
  exit 1
fi
chart=$(realpath -- "$1")
out=$(realpath -m -- "$2")
wait_seconds=${3:-4}
cd "$(dirname "$0")/.."

ONDREL_BOOTSTRAP_EXTRA="xvfb xauth imagemagick" scripts/bootstrap
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j 2 --target ondrel

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
export QT_QPA_PLATFORM=xcb

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  build/src/gui/ondrel "$1" &
  pid=$!
  sleep "$3"
  import -window root "$2"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' screenshot "$chart" "$out" "$wait_seconds"
echo "screenshot.sh: $out"
