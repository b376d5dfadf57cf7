#!/usr/bin/env bash
# Measures how long lumisplit takes from its start to a visible front dialog,
# averaged over several runs. Not a test: run it by hand inside an X server,
#   xvfb-run -a tests/e2e/startup-time.sh build/bin [RUNS]
set -euo pipefail
bin=$1
runs=${2:-10}
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
total=0
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    "$bin/lumisplit" 2>/dev/null &
    pid=$!
    until xdotool search --onlyvisible --name '^Criptograf.*a Visual$' >/dev/null 2>&1; do
        sleep 0.005
    done
    ms=$((($(date +%s%N) - start) / 1000000))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "run $run: ${ms} ms"
    total=$((total + ms))
done
echo "average over $runs runs: $((total / runs)) ms"
