#!/usr/bin/env bash
# Start-up time of the windowed program: five starts with the example
# configuration, each until the main window is painted; prints each figure and
# the median.
# Usage: bench/startup.sh [PROGRAM] [FILE.vxp]   (default build/src/app/kestrel, examples/PLANT.vxp)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/src/app/kestrel}"
document="${2:-$root/examples/PLANT.vxp}"
runs=5

if [ ! -x "$program" ]; then
    echo "startup: $program is not built" >&2
    exit 1
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi
# A home of its own: the settings and the single-instance lock do not meet the
# user's running copy.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run"
export XDG_DATA_HOME="$scratch/data" XDG_CACHE_HOME="$scratch/cache"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export KESTREL_NO_SPLASH=1

figures=()
for run in $(seq 1 $runs); do
    line="$("$program" --startup-time "$document" 2>"$scratch/stderr" | grep '^startup-ms: ' || true)"
    if [ -z "$line" ]; then
        echo "startup: run $run printed no figure" >&2
        cat "$scratch/stderr" >&2
        exit 1
    fi
    figures+=("${line#startup-ms: }")
    echo "run $run: ${figures[-1]} ms"
done
median="$(printf '%s\n' "${figures[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")"
echo "startup median: $median ms"
