#!/usr/bin/env bash
# What tallyglass-live costs while it waits: it follows a generated stats file of MATCHES matches
# (default 1,000,000) ending now, and prints how long the first view took, how much of the file the start
# read (bytes read over the file's size, from /proc/PID/io), and the CPU time and memory (resident now and
# at its peak, from /proc) it used while waiting SECONDS (default 30) on the unchanged file. Two cases:
# ordinary evening sessions (the default gap), and the whole history as one session (--session-gap 10080,
# the longest gap the option allows). With --compare OTHER_BIN_DIR, another build (today's, say) is
# measured beside it on the same files. A measurement, not a test.
#
# Usage: bench/live-idle-cost.sh [--compare OTHER_BIN_DIR] BUILD_BIN_DIR [MATCHES] [SECONDS]
set -euo pipefail
other=
if [[ ${1:-} == --compare ]]; then
    other=$2
    shift 2
fi
bin=$1 matches=${2:-1000000} seconds=${3:-30}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tallyglass-live-idle.XXXXXX")
pid=
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT

"$bin/tallyglass-generate-history" "$scratch/stats.csv" --matches "$matches" --days $((matches / 400 + 1)) \
    --end "$(date +%s)" >/dev/null
size=$(stat -c %s "$scratch/stats.csv")
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }

# measure LABEL BIN_DIR [OPTIONS...]
measure() {
    local label=$1 dir=$2
    shift 2
    rm -rf "$scratch/out"
    "$dir/tallyglass-live" "$scratch/stats.csv" --out "$scratch/out" "$@" >"$scratch/console.txt" 2>&1 &
    pid=$!
    local start
    start=$(date +%s.%N)
    until [[ -f $scratch/out/session.json ]]; do sleep 0.05; done
    local first
    first=$(echo "$(date +%s.%N) - $start" | bc)
    sleep 1
    local read before after rss peak matches
    read=$(awk '/^rchar/ {print $2}' "/proc/$pid/io")
    before=$(cpu)
    sleep "$seconds"
    after=$(cpu)
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    matches=$(sed -n 's/^  "matches": \([0-9]*\),$/\1/p' "$scratch/out/session.json")
    kill -INT "$pid"
    wait "$pid" || true
    pid=
    printf '%s: session of %s matches; first view after %.2f s, the start read the file %s times\n' \
        "$label" "$matches" "$first" "$(echo "scale=1; $read / $size" | bc)"
    printf '  waiting %s s: %s ms of CPU time (%s %% of a core); memory: %s kB resident, %s kB at the peak\n' \
        "$seconds" "$(((after - before) * 1000 / ticks))" \
        "$(echo "scale=3; ($after - $before) * 100 / $ticks / $seconds" | bc)" "$rss" "$peak"
}

echo "file: $matches matches, $((size / 1000000)) MB, the newest a moment ago"
for build in "$bin" ${other:+"$other"}; do
    echo "== $build"
    measure "ordinary sessions" "$build"
    measure "one session (--session-gap 10080)" "$build" --session-gap 10080
done
