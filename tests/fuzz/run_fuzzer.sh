#!/usr/bin/env bash
# Runs the fuzzer for a bounded time over a fresh corpus seeded with a few
# inputs, and prints how many inputs it ran. A failing input is written
# beside the corpus, in <corpus dir>-artifacts/; one worth keeping goes to
# tests/fuzz/regressions/, which every test run replays.
#   run_fuzzer.sh <fuzzer> <corpus dir> <seconds>
set -euo pipefail
fuzzer=$1 corpus=$2 seconds=$3
artifacts=$corpus-artifacts
rm -rf "$corpus"
mkdir -p "$corpus" "$artifacts"
# Key code 23, kind 1, a primary window in front.
printf '\0\0\0\0\x17\0\0\0\x01\0\0\0\x01\x01' >"$corpus/seed-primary"
# Key code 48, kind 1, a secondary window behind a bystander.
printf '\0\0\0\0\x30\0\0\0\x01\0\0\0\x02\x00\x02' >"$corpus/seed-secondary"
# Key code 24, kind 1, a primary window whose posts fail.
printf '\0\0\0\0\x18\0\0\0\x01\0\0\0\x01\x09' >"$corpus/seed-post-fails"

log=$(mktemp)
status=0
"$fuzzer" "$corpus" -artifact_prefix="$artifacts/" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=4096 >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    cat "$log"
    echo "fuzzer: found a failing input (exit $status)"
    exit 1
fi
runs=$(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" || true)
coverage=$(grep -o 'cov: [0-9]* ft: [0-9]* corp: [0-9/]*[a-zA-Z]*' "$log" | tail -1 || true)
echo "fuzzer: ${runs:-no summary}; ${coverage}; no failing input"
rm -f "$log"
