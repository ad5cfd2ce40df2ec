#!/usr/bin/env bash
# summarise.sh OUT VALUE...
#   Collects the results of a sweep in OUT (VALUE.csv and VALUE.json per value, as sweep.sh
#   and sweep.sbatch leave them) into OUT/summary.csv: one row per value, in the order given,
#   with the value, end time, sample count and exit status of its run and the final value of
#   every recorded block. A run that left no result has empty fields.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: summarise.sh OUT VALUE..." >&2
  exit 1
fi
out=$1
shift

# ondrel-run --json writes one field a line: "  "name": value,".
json_field() { sed -n "s/^  \"$2\": \(.*\),\$/\1/p" "$1"; }

header=""
for value in "$@"; do
  if [ -s "$out/$value.csv" ]; then
    header=$(head -n 1 "$out/$value.csv")
    break
  fi
done

{
  echo "value,end_time,samples,status${header:+,$header}"
  for value in "$@"; do
    json="$out/$value.json" csv="$out/$value.csv"
    end="" samples="" status="" final=""
    if [ -s "$json" ]; then
      end=$(json_field "$json" end_time)
      samples=$(json_field "$json" samples)
      status=$(json_field "$json" exit_status)
    fi
    if [ -s "$csv" ] && [ "$(wc -l <"$csv")" -gt 1 ]; then final=$(tail -n 1 "$csv"); fi
    echo "$value,$end,$samples,$status${header:+,$final}"
  done
} >"$out/summary.csv.tmp"
mv "$out/summary.csv.tmp" "$out/summary.csv"
