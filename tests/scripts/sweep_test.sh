#!/usr/bin/env bash
# The sweep recipes in examples/sweeps against single runs of the same chart.
#   sweep_test.sh ONDREL_RUN SOURCE_DIR
set -euo pipefail
run=$1 source=$2
sweeps="$source/examples/sweeps" chart="$source/examples/monte_carlo.cht"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export ONDREL_RUN=$run

# GNU parallel: each value's CSV is the one a single --set run writes.
OUT="$work/parallel" "$sweeps/sweep.sh" "$chart" Step.3 2 3 4 || fail "sweep.sh exited with $?"
for v in 2 3 4; do
  "$run" --quiet --set "Step.3=$v" --csv "$work/single-$v.csv" "$chart"
  cmp -s "$work/parallel/$v.csv" "$work/single-$v.csv" || fail "sweep CSV for $v differs from a single run"
  grep -q '^  "exit_status": 0,$' "$work/parallel/$v.json" || fail "JSON for $v"
done
summary="$work/parallel/summary.csv"
[ "$(head -n 1 "$summary")" = "value,end_time,samples,status,Clock,Step,Hold,Tick,Walk" ] || fail "summary header"
[ "$(wc -l <"$summary")" -eq 4 ] || fail "summary rows"
for v in 2 3 4; do
  expected="$v,$(sed -n 's/^  "end_time": \(.*\),$/\1/p' "$work/parallel/$v.json"),101,0,$(tail -n 1 "$work/single-$v.csv")"
  grep -qxF "$expected" "$summary" || fail "summary row for $v: want $expected"
done
cmp -s <(sed -n 2p "$summary" | cut -d, -f1) <(echo 2) || fail "summary keeps the order of the values"

# Slurm: the script parses, and its body picks line SLURM_ARRAY_TASK_ID of the values file.
bash -n "$sweeps/sweep.sbatch" || fail "sweep.sbatch does not parse"
printf '2\n3\n4\n' >"$work/values.txt"
SLURM_ARRAY_TASK_ID=2 OUT="$work/slurm" bash "$sweeps/sweep.sbatch" "$chart" Step.3 "$work/values.txt"
cmp -s "$work/slurm/3.csv" "$work/single-3.csv" || fail "array task 2 did not run value 3"
[ "$(ls "$work/slurm")" = "$(printf '3.csv\n3.json')" ] || fail "array task 2 wrote more than its value"
if SLURM_ARRAY_TASK_ID=9 OUT="$work/slurm" bash "$sweeps/sweep.sbatch" "$chart" Step.3 "$work/values.txt" 2>/dev/null; then
  fail "a task beyond the values file must fail"
fi

# Monte-Carlo: mean and spread over the runs.
line=$(OUT="$work/mc" "$sweeps/monte_carlo.sh" 3 2>/dev/null)
[[ "$line" =~ ^"Walk at the end: mean "[-0-9.e]+", standard deviation "[0-9.e]+" over 3 runs"$ ]] || fail "monte_carlo.sh said: $line"
echo "sweeps: all recipes agree with single runs"
