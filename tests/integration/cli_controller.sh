#!/usr/bin/env bash
# Downloads and uploads the example configuration through kestrel-cli to
# varex-sim over loopback TCP and a pseudo-terminal, and checks each fault the
# simulator can inject against the message and exit code the user sees.
set -uo pipefail
cli="$1"
sim="$2"
plant="$3"
work="$(mktemp -d)"
# Settings of their own: what a developer has stored must not change the outcome.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
sims=()
cleanup() {
    for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
passed=0

fail() { echo "FAIL $1"; failures=$((failures + 1)); }

# start_sim NAME ARGS... : starts varex-sim and sets $target to its address.
start_sim() {
    local name="$1"
    shift
    "$sim" "$@" --max-seconds 120 >"$work/$name.out" 2>"$work/$name.err" &
    sims+=($!)
    for _ in $(seq 100); do
        if grep -q "varex-sim: " "$work/$name.out" 2>/dev/null; then break; fi
        sleep 0.05
    done
    local line
    line="$(head -1 "$work/$name.out")"
    case "$line" in
        *"listening on "*) target=(--tcp "${line##*listening on }") ;;
        *"serial device "*) target=(--serial "${line##*serial device }") ;;
        *) fail "$name did not start: $line"; target=(--tcp 127.0.0.1:1) ;;
    esac
}

# The loops, blocks and parameters of a document, without header and dates.
loops_of() { "$cli" info "$1" | sed -n '/^Loop /,/^Drawing:/p' | grep -v '^Drawing:'; }

# expect NAME EXIT TEXT COMMAND... : runs the command and checks exit code and output.
expect() {
    local name="$1" want="$2" text="$3"
    shift 3
    local out rc
    out="$("$@" 2>&1)"
    rc=$?
    if [ "$rc" != "$want" ] || { [ -n "$text" ] && ! grep -qF -- "$text" <<<"$out"; }; then
        fail "$name: exit $rc (wanted $want): $out"
    else
        passed=$((passed + 1))
    fi
}

round_trip() {  # round_trip NAME SIM-ARGS...
    local name="$1"
    shift
    start_sim "$name" "$@"
    expect "$name download" 0 "Configuration downloaded with success." "$cli" download "$plant" "${target[@]}"
    expect "$name upload" 0 "Configuration uploaded with success." \
        "$cli" upload -o "$work/$name.vxp" --workdir "$work" "${target[@]}"
    if [ "$(loops_of "$plant")" == "$(loops_of "$work/$name.vxp")" ]; then
        passed=$((passed + 1))
    else
        fail "$name: the uploaded loops differ"
        diff <(loops_of "$plant") <(loops_of "$work/$name.vxp") | head -10
    fi
}

round_trip tcp --tcp 127.0.0.1:0
round_trip pty --pty
round_trip noisy-pty --pty --noise 2 --echo
round_trip dropping --tcp 127.0.0.1:0 --drop-every 3
expect "probe" 0 "2;4.10;PLANT;" "$cli" probe "${target[@]}"
expect "probe elsewhere" 1 "Not found !!!" "$cli" probe --address 9 --retries 0 "${target[@]}"
# A script's own settings file stands in for the connection options.
printf '[Comm%%20Settings]\nInterface=1\nIPAddress=%s\nDevAddress=2\nRetries=3\n' "${target[1]}" \
    >"$work/script.ini"
expect "probe with a settings file" 0 "2;4.10;PLANT;" "$cli" probe --settings "$work/script.ini"
expect "missing settings file" 2 "does not exist" "$cli" probe --settings "$work/none.ini"

# A matching file in the working directory offers its drawings.
cp "$plant" "$work/PLANT.vxp"
expect "drawings question" 0 "Do you want to bring the graphic information" \
    "$cli" upload -o "$work/disk.vxp" --workdir "$work" --drawings-from-disk "${target[@]}"

start_sim no-comm-block --tcp 127.0.0.1:0 --error-answer 3
expect "error answer 3" 1 "Varex without a communication Block." "$cli" download "$plant" "${target[@]}"
start_sim overflow --pty --error-answer 1 --error-form 5
expect "error answer, 5-byte form" 1 "Varex Memory OverFlow." "$cli" download "$plant" "${target[@]}"
start_sim safe-key --pty --error-answer 7
expect "error answer 7, literal form" 1 "Varex Prog. Key is SAFE." "$cli" download "$plant" "${target[@]}"
start_sim bad-crc --tcp 127.0.0.1:0 --bad-checksum
expect "bad checksum" 1 "Protocol with CRC error." "$cli" download "$plant" "${target[@]}"
start_sim wrong-echo --tcp 127.0.0.1:0 --wrong-echo
expect "wrong echo" 1 "Loop, Function or offset is NOT valid." "$cli" download "$plant" "${target[@]}"
start_sim closing --tcp 127.0.0.1:0 --close-after 4
expect "connection lost" 1 "Communication Time-out !!!" "$cli" download "$plant" "${target[@]}"
start_sim closing-upload --tcp 127.0.0.1:0 --close-after 3
expect "upload failure" 1 "Problem to upload this configuration." \
    "$cli" upload -o "$work/none.vxp" --workdir "$work" --retries 0 "${target[@]}"
expect "no connection" 1 "Cannot open the connection" "$cli" download "$plant" --tcp 127.0.0.1:1

# Calibration: the default configuration, a current-output table within the
# point ranges, the automatic calibration of inputs 1 and 3, and the certificate
# of the records the writes left.
start_sim calibration --tcp 127.0.0.1:0 --no-config
expect "calibration probe" 0 "2;4.10;NO CONFG;" "$cli" probe "${target[@]}"
expect "calibration read" 0 "0%	4.000	4.000	4.000	4.000" \
    "$cli" calibration read --mode 3 "${target[@]}"
expect "calibration load-default" 0 "Configuration downloaded with success." \
    "$cli" calibration load-default "${target[@]}"
expect "calibration configuration" 0 "2;4.10;CALIB;" "$cli" probe "${target[@]}"
expect "calibration out of range" 1 "Value is out of range. (C.O. 1, 0%: 0)" \
    "$cli" calibration write --mode 3 --values 0,20,4,20,4,20,4,20 "${target[@]}"
expect "calibration write" 0 "100%	19.950	20.000	20.000	20.000" \
    "$cli" calibration write --mode 3 --values 4.01,19.95,4,20,4,20,4,20 --workdir "$work" "${target[@]}"
expect "calibration auto" 0 "3.0V	3.000	3.000	3.001	3.000" \
    "$cli" calibration auto --columns 1,3 --row 3.0V --workdir "$work" "${target[@]}"
expect "calibration auto of a ninth input" 2 "--columns takes input numbers 1 to 8" \
    "$cli" calibration auto --columns 9 --row 2 "${target[@]}"
if grep -qF "2,Varex Plus,4.10,CALIB,2,3,C.O. 1,100%,20.000,20.000,19.950" "$work/calibration/CALIB.csv" &&
    [ "$(grep -c ',A.I. ' "$work/calibration/CALIB.csv")" = 32 ]; then
    passed=$((passed + 1))
else
    fail "calibration records: $(cat "$work/calibration/CALIB.csv" 2>&1 | head -3)"
fi
expect "certificate" 0 "2 page(s) written." \
    "$cli" calibration certificate --address 2 --workdir "$work" -o "$work/cert.pdf"
# One page per record: the current-output write and the automatic calibration.
if [ "$(head -c 4 "$work/cert.pdf")" = "%PDF" ] && grep -aq "/Count 2" "$work/cert.pdf"; then
    passed=$((passed + 1))
else
    fail "certificate: not a PDF of two pages"
fi
expect "certificate of nothing" 1 "No calibration record of address 3" \
    "$cli" calibration certificate --address 3 --since 2020-01-01 --workdir "$work" -o "$work/none.pdf"

# Monitoring: each pass lists the loop's blocks in drawing order with their
# values; a line that closes mid-pass is a failure with the protocol's text.
start_sim monitor --tcp 127.0.0.1:0
expect "monitor download" 0 "downloaded with success" "$cli" download "$plant" "${target[@]}"
expect "monitor text" 0 "pass 2 (" "$cli" monitor "$plant" --loop 1 --passes 2 "${target[@]}"
expect "monitor block" 0 "  BLK-039 " "$cli" monitor "$plant" --loop 1 --passes 1 "${target[@]}"
expect "monitor json" 0 '{"pass": 1, "ms": ' "$cli" monitor "$plant" --loop 1 --passes 1 --json "${target[@]}"
expect "monitor json block" 0 '{"number": 39, "values": ["' \
    "$cli" monitor "$plant" --loop 1 --passes 1 --json "${target[@]}"
expect "monitor loop range" 2 "--loop is 1 to 5" "$cli" monitor "$plant" --loop 6 "${target[@]}"
# Update sends what differs from the controller, and nothing a second time.
cp "$plant" "$work/changed.vxp"
"$cli" set-param "$work/changed.vxp" --block 39 --param AKp --value 2.5 >/dev/null 2>&1
expect "update block" 0 "loop 1: blocks BLK-039" "$cli" update "$work/changed.vxp" "${target[@]}"
expect "update nothing" 0 "nothing to send" "$cli" update "$work/changed.vxp" "${target[@]}"
"$cli" rename-loop "$work/changed.vxp" --loop 2 --name FLOWX >/dev/null 2>&1
expect "update name" 0 "loop 2: name FLOWX" "$cli" update "$work/changed.vxp" "${target[@]}"
start_sim monitor-closing --tcp 127.0.0.1:0 --close-after 8
expect "monitor line lost" 1 "" "$cli" monitor "$plant" --loop 1 --passes 3 --retries 0 --timeout 50 "${target[@]}"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
