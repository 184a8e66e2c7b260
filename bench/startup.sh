#!/usr/bin/env bash
# Start-up time of the windowed program against its baseline, an empty Qt main
# window with a menu and a status bar (bench/baseline/EmptyWindow.cpp), on the
# same display. The two start in turn, RUNS times each; a run is timed from the
# moment the process is started (library loading included) until it reports
# that its maximised main window has been painted. Prints every figure, the two
# medians and their ratio.
# Usage: bench/startup.sh [PROGRAM] [FILE.vxp] [BASELINE]
#   (default build/src/app/kestrel, examples/PLANT.vxp, build/bench/startup-baseline)
# RUNS=N sets the number of runs (default 9). Without a display, an Xvfb server
# is started for the runs when there is one, else Qt's offscreen platform is used.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/src/app/kestrel}"
document="${2:-$root/examples/PLANT.vxp}"
baseline="${3:-$(dirname "$(dirname "$(dirname "$program")")")/bench/startup-baseline}"
runs="${RUNS:-9}"

for executable in "$program" "$baseline"; do
    if [ ! -x "$executable" ]; then
        echo "startup: $executable is not built" >&2
        exit 1
    fi
done

# A home of its own: the settings and the single-instance lock do not meet the
# user's running copy.
scratch="$(mktemp -d)"
xvfb_pid=""
cleanup() {
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run"
export XDG_DATA_HOME="$scratch/data" XDG_CACHE_HOME="$scratch/cache"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export KESTREL_NO_SPLASH=1

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    if command -v Xvfb >/dev/null; then
        display=":$((100 + $$ % 800))"
        Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
        xvfb_pid=$!
        export DISPLAY="$display"
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X${display#:}" ] && break
            sleep 0.1
        done
        surface="Xvfb $display"
    else
        export QT_QPA_PLATFORM=offscreen
        surface="offscreen"
    fi
else
    surface="${DISPLAY:-$WAYLAND_DISPLAY}"
fi

now_us() { echo $(($(date +%s%N) / 1000)); }

# Runs one start; prints the ms from starting the process to the moment its
# "startup-ms:" line arrives, one decimal.
measure() {
    local start arrived=""
    start=$(now_us)
    while IFS= read -r line; do
        if [ -z "$arrived" ] && [[ "$line" == startup-ms:* ]]; then
            arrived=$(now_us)
        fi
    done < <("$@" --startup-time 2>"$scratch/stderr")
    if [ -z "$arrived" ]; then
        echo "startup: $1 printed no figure" >&2
        cat "$scratch/stderr" >&2
        exit 1
    fi
    awk -v us=$((arrived - start)) 'BEGIN { printf "%.1f", us / 1000 }'
}

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

kestrel_ms=()
baseline_ms=()
for run in $(seq 1 "$runs"); do
    figure="$(measure "$program" "$document")" || exit 1
    kestrel_ms+=("$figure")
    figure="$(measure "$baseline")" || exit 1
    baseline_ms+=("$figure")
    echo "run $run: kestrel ${kestrel_ms[-1]} ms, baseline ${baseline_ms[-1]} ms"
done
kestrel_median="$(median "${kestrel_ms[@]}")"
baseline_median="$(median "${baseline_ms[@]}")"
echo "startup on $surface, median of $runs: kestrel $kestrel_median ms, empty main window $baseline_median ms," \
    "ratio $(awk -v a="$kestrel_median" -v b="$baseline_median" 'BEGIN { printf "%.2f", a / b }')"
