#!/usr/bin/env bash
# What tallyglass-live costs while it waits: it follows a stats file of MATCHES generated matches
# (default 1,000,000) for SECONDS (default 30) after its first reading, and prints the CPU time and the
# memory (resident now and at its peak) it used while waiting, from /proc. A measurement, not a test.
#
# Usage: bench/live-idle-cost.sh BUILD_BIN_DIR [MATCHES] [SECONDS]
set -euo pipefail
bin=$1 matches=${2:-1000000} seconds=${3:-30}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tallyglass-live-idle.XXXXXX")
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

"$bin/tallyglass-generate-history" "$scratch/stats.csv" --matches "$matches" --days $((matches / 400 + 1)) >/dev/null
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }

"$bin/tallyglass-live" "$scratch/stats.csv" >"$scratch/out.txt" 2>&1 &
pid=$!
start=$(date +%s.%N)
until [[ -f $scratch/tallyglass-live/session.json ]]; do sleep 0.05; done
read_seconds=$(echo "$(date +%s.%N) - $start" | bc)
sleep 1
before=$(cpu)
sleep "$seconds"
after=$(cpu)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
kill -INT "$pid"
wait "$pid"
echo "file: $matches matches, $(du -m "$scratch/stats.csv" | cut -f1) MB; first view written after ${read_seconds} s"
echo "waiting $seconds s: $(( (after - before) * 1000 / ticks )) ms of CPU time ($(echo "scale=3; ($after - $before) * 100 / $ticks / $seconds" | bc) % of a core)"
echo "memory: resident ${rss} kB now, ${peak} kB at the peak (during the first reading)"
