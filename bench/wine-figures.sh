#!/bin/sh
# The Windows build under Wine beside the Linux build, timed alike from
# outside, in alternating runs (one unmeasured run of each first), medians:
#   start to window       launch to the main window mapped on the X server
#                         (Xvfb), the real program from its folder;
#   last byte to dialog   the tester simulator's last byte (9600 bit/s, 2 kB of
#                         whole lines) to the save dialog's window, bench_window
#                         having clicked Download;
#   command line 9600     thalden-datalogger-cli --download of the simulator's
#                         23,718 bytes of results at 9600 bit/s, launch to exit.
# Usage: bench/wine-figures.sh [runs]   (default 5), after tools/build-windows
# and ninja -C build; WINE_FIGURES="start dialog cli" picks the figures. Wine runs in a prefix of its own under a temporary folder.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
linux="$root/build"
build="$root/build-windows"
qt="${QT_WINDOWS_PREFIX:-/opt/qt6-mingw}"
runs=${1:-5}
for file in "$linux/thalden-datalogger" "$linux/bench/bench_window" "$linux/thalden-tester-simulator" \
    "$build/package/thalden-datalogger.exe" "$build/bench_window.exe"; do
    [ -x "$file" ] || { echo "Missing $file: run tools/build-windows and ninja -C build first"; exit 1; }
done

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# Linux: settings and data of its own.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
server=""
program=""
cleanup() {
    [ -z "$program" ] || kill -KILL "$program" 2>/dev/null || true
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
display=:$((50 + $$ % 20))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
server=$!
export DISPLAY="$display"
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

echo "Wine prefix ..."
mkdir -p "$WINEPREFIX" "$XDG_CONFIG_HOME/THALDEN"
wineserver -p >/dev/null 2>&1
wineboot -i >/dev/null 2>&1
WINEPATH="$(winepath -w "$qt/bin" 2>/dev/null);$(winepath -w "$build/package" 2>/dev/null)"
export WINEPATH
# English stored as the language, so that no first-start chooser comes.
printf '[KvGui]\nDialogLanguage\\FilePath=Translations/ThaldenDataLogger_en.qm\nDialogLanguage\\Iso639Code=en\n' \
    >"$XDG_CONFIG_HOME/THALDEN/THALDEN Datalogger.conf"
language='HKCU\Software\THALDEN\THALDEN Datalogger\KvGui\DialogLanguage'
wine reg add "$language" /v FilePath /t REG_SZ /d Translations/ThaldenDataLogger_en.qm /f >/dev/null 2>&1
wine reg add "$language" /v Iso639Code /t REG_SZ /d en /f >/dev/null 2>&1
# The simulator's port for Windows is COM12, listed where Windows lists ports.
wine reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\Simulator0' /t REG_SZ /d COM12 /f >/dev/null 2>&1

now() { date +%s%3N; }
# appears <title>: waits (20 s at the most) until a window of that title is
# mapped; false when none came.
appears() {
    deadline=$(($(now) + 20000))
    while [ "$(now)" -lt "$deadline" ]; do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
        [ -z "$program" ] || kill -0 "$program" 2>/dev/null || return 1
    done
    return 1
}
# stop: ends the program under test, without asking anything.
stop() {
    kill -KILL "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=""
}
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One process stamps every line as it comes (a date per line would lag by a
# process start).
stamp='import sys, time
for line in sys.stdin:
    print(int(time.time() * 1000), line, end="", flush=True)'
# simulator <link> <options>...: a simulator for one transfer, its lines stamped
# with the time (ms) they came.
simulator() {
    link=$1
    shift
    rm -f "$work/simulator.log"
    "$linux/thalden-tester-simulator" --once --link "$link" "$@" 2>&1 |
        python3 -u -c "$stamp" >"$work/simulator.log" &
    simulator_pipe=$!
    for _ in $(seq 100); do [ -e "$link" ] && return; sleep 0.05; done
    echo "the simulator did not start: $(cat "$work/simulator.log")"
    exit 1
}
simulator_done() {
    wait "$simulator_pipe" 2>/dev/null || true
}

# One run of each kind, on <side> (linux or wine); prints ms (or s for cli).
start_run() {
    started=$(now)
    if [ "$1" = wine ]; then
        (cd "$build/package" && exec wine thalden-datalogger.exe) >/dev/null 2>&1 &
    else
        (cd "$linux" && QT_QPA_PLATFORM=xcb exec ./thalden-datalogger) >/dev/null 2>&1 &
    fi
    program=$!
    appears "Korvane DataLogger" || { echo "no window" >&2; stop; return 1; }
    echo $(($(now) - started))
    stop
}
lines="$work/lines.csv"
head -c 2000 "$root/tools/testersimulator/data/results.csv" | sed '$d' >"$lines"
dialog_run() {
    if [ "$1" = wine ]; then
        simulator "$WINEPREFIX/dosdevices/com12" --rate 9600 --delay 300 --file "$lines"
        wine "$build/bench_window.exe" COM12 >"$work/bench.log" 2>&1 &
    else
        simulator "$work/tester" --rate 9600 --delay 300 --file "$lines"
        DATALOGGER_EXTRA_PORTS="$work/tester" QT_QPA_PLATFORM=xcb "$linux/bench/bench_window" "$work/tester" >"$work/bench.log" 2>&1 &
    fi
    program=$!
    appears "Save downloaded data to file" || { echo "no save dialog: $(cat "$work/bench.log")" >&2; stop; return 1; }
    seen=$(now)
    stop
    simulator_done
    last=$(awk '/Transfer finished/ {print $1}' "$work/simulator.log")
    [ -n "$last" ] || { echo "no transfer: $(cat "$work/simulator.log")" >&2; return 1; }
    echo $((seen - last))
}
cli_run() {
    started=$(now)
    if [ "$1" = wine ]; then
        simulator "$WINEPREFIX/dosdevices/com12" --rate 9600 --delay 300
        started=$(now)
        wine "$build/package/thalden-datalogger-cli.exe" --download COM12 --output 'C:\users\Public\cli.csv' \
            >/dev/null 2>"$work/cli.err"
        mv "$WINEPREFIX/drive_c/users/Public/cli.csv" "$work/cli.csv"
    else
        simulator "$work/tester" --rate 9600 --delay 300
        started=$(now)
        "$linux/thalden-datalogger" --download "$work/tester" --output "$work/cli.csv" 2>"$work/cli.err"
    fi
    ended=$(now)
    simulator_done
    # How much of it passed before the request reached the tester.
    awk -v started="$started" '/SYST:REM/ {print $1 - started; exit}' "$work/simulator.log" >>"$work/request-$1.txt"
    cmp -s "$root/tools/testersimulator/data/results.csv" "$work/cli.csv" ||
        { echo "the download differs: $(cat "$work/cli.err")" >&2; return 1; }
    rm -f "$work/cli.csv"
    echo "$ended $started" | awk '{printf "%.2f\n", ($1 - $2) / 1000}'
}

# A run that fails (seldom: the window never came) is said and run again.
run() {
    "${kind}_run" "$1" && return
    echo "  (a $kind run on $1 failed; again)" >&2
    "${kind}_run" "$1"
}
for kind in ${WINE_FIGURES:-start dialog cli}; do
    echo "$kind: one unmeasured run each, then $runs alternating runs ..."
    run linux >/dev/null
    run wine >/dev/null
    for _ in $(seq "$runs"); do
        run linux >>"$work/$kind-linux.txt"
        run wine >>"$work/$kind-wine.txt"
    done
    echo "  Linux: $(tr '\n' ' ' <"$work/$kind-linux.txt")"
    echo "  Wine:  $(tr '\n' ' ' <"$work/$kind-wine.txt")"
done

echo
echo "Medians of $runs runs (load average: $(cut -d' ' -f1-3 /proc/loadavg)):"
echo "| Figure | Linux | Windows under Wine | Wine / Linux |"
echo "|---|---:|---:|---:|"
row() {
    [ -s "$work/$1-wine.txt" ] || return 0
    linux_median=$(median <"$work/$1-linux.txt")
    wine_median=$(median <"$work/$1-wine.txt")
    echo "| $2 | $linux_median $3 | $wine_median $3 | $(echo "$wine_median $linux_median" | awk '{printf "%.2f", $1 / $2}') |"
}
row start "start to window" ms
row dialog "tester's last byte -> save dialog (9600 bit/s)" ms
row cli "command-line download of 23,718 bytes at 9600 bit/s" s
[ ! -s "$work/request-wine.txt" ] ||
    echo "Launch to the request reaching the tester, ms: Linux $(tr '\n' ' ' <"$work/request-linux.txt")," \
        "Wine $(tr '\n' ' ' <"$work/request-wine.txt")"
