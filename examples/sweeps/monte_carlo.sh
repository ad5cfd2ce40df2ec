#!/usr/bin/env bash
# monte_carlo.sh [RUNS]
#   A Monte-Carlo study with sweep.sh: examples/monte_carlo.cht (a walk driven by a seeded
#   Gaussian) once per seed (default 100 runs), then the mean and standard deviation of where
#   the walk ends, over the runs that exited with 0. The seeds are spread evenly over 2..32767,
#   the range of fixed seeds: neighbouring seeds start the shared generator on neighbouring
#   states, so their first draws are alike.
#   Environment as for sweep.sh; OUT defaults to monte-carlo-out.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
runs=${1:-100}
if ! [ "$runs" -ge 1 ] 2>/dev/null || [ "$runs" -gt 32766 ]; then
  echo "usage: monte_carlo.sh [RUNS], RUNS from 1 to 32766" >&2
  exit 1
fi
export OUT=${OUT:-monte-carlo-out}
"$here/sweep.sh" "$here/../monte_carlo.cht" Step.3 $(seq 2 $((32766 / runs)) 32767 | head -n "$runs") || true
awk -F, -v column=Walk '
  NR == 1 { for (i = 1; i <= NF; ++i) if ($i == column) k = i; next }
  $4 == "0" { n++; d = $k - mean; mean += d / n; m2 += d * ($k - mean) }
  END {
    if (!k || !n) { print "monte_carlo.sh: no run finished" > "/dev/stderr"; exit 1 }
    spread = n > 1 ? sqrt(m2 / (n - 1)) : 0
    printf "%s at the end: mean %.6g, standard deviation %.6g over %d runs\n", column, mean, spread, n
  }' "$OUT/summary.csv"
