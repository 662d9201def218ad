#!/bin/sh
# Kills the window mid-download ten times, at random points of a 4800 bit/s
# transfer, and prints what the next start recovered against what the tester
# simulator had sent at the kill (tst_startup's SIGKILL row, which also checks
# the bytes). Not run by CTest.
#   bench/kill-recovery.sh [BUILD_DIR]
set -eu
build=${1:-build}
printf '%-4s %-8s %-8s %-10s %-6s %s\n' run kill-at sent recovered lost result
for run in 1 2 3 4 5 6 7 8 9 10; do
    at=$(shuf -i 720-7500 -n 1)
    output=$(DATALOGGER_KILL_AT=$at QT_QPA_PLATFORM=offscreen \
        "$build/tests/tst_startup" "endedMidDownload:SIGKILL: its capture is offered" 2>&1 || true)
    line=$(printf '%s\n' "$output" | sed -n 's/.*sent \([0-9]*\), recovered \([0-9]*\).*/\1 \2/p')
    sent=${line% *}
    recovered=${line#* }
    result=$(printf '%s\n' "$output" | grep -q '^PASS   : TestStartup::endedMidDownload' && echo pass || echo FAIL)
    printf '%-4s %-8s %-8s %-10s %-6s %s\n' "$run" "$at" "$sent" "$recovered" "$((sent - recovered))" "$result"
done
