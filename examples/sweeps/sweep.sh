#!/usr/bin/env bash
# sweep.sh CHART LABEL.N VALUE...
#   Runs CHART once per VALUE with parameter N of the block labelled LABEL set to it, through
#   GNU parallel on every core, and leaves in OUT:
#     VALUE.csv    the recorded samples of that run  (ondrel-run --csv)
#     VALUE.json   what happened in it               (ondrel-run --json)
#     summary.csv  one row per value: value, end time, samples, exit status and the final
#                  value of every recorded block
#   Environment: OUT (default sweep-out), ONDREL_RUN (default ondrel-run from PATH),
#   JOBS (runs at a time, default one per core).
#   Exits with 0 when every run exited with 0, otherwise with the number of runs that did not.
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: sweep.sh CHART LABEL.N VALUE..." >&2
  exit 1
fi
chart=$1 setting=$2
shift 2
out=${OUT:-sweep-out}
run=${ONDREL_RUN:-ondrel-run}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command -v parallel >/dev/null || { echo "sweep.sh: GNU parallel is not installed" >&2; exit 1; }
mkdir -p "$out"

status=0
# -q keeps every argument one word, whatever the paths hold; {} is the value.
printf '%s\n' "$@" |
  parallel --will-cite --jobs "${JOBS:-100%}" -q \
    "$run" --quiet --set "$setting={}" --csv "$out/{}.csv" --json "$out/{}.json" "$chart" ||
  status=$?
"$here/summarise.sh" "$out" "$@"
echo "sweep.sh: $# runs of $chart, summary in $out/summary.csv" >&2
exit "$status"
