#!/usr/bin/env bash
# Drives kestrel-cli's document commands as a script user would and checks
# their results, refusals and exit codes.
set -uo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Settings of their own: what a developer has stored must not change the outcome.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
failures=0
passed=0

check() {  # check NAME EXPECTED_EXIT EXPECTED_TEXT COMMAND...
    local name="$1" want="$2" text="$3"
    shift 3
    local out rc
    out="$("$@" 2>&1)"
    rc=$?
    if [ "$rc" != "$want" ] || { [ -n "$text" ] && ! grep -qF -- "$text" <<<"$out"; }; then
        echo "FAIL $name: exit $rc (wanted $want), output: $out"
        failures=$((failures + 1))
    else
        passed=$((passed + 1))
    fi
}

doc="$work/TEST.vxp"
check "new" 0 "" "$cli" new "$doc"
check "info lists the default loops" 0 '"name": "LOOP_G"' "$cli" info "$doc" --json
check "add AI" 0 "" "$cli" add-block "$doc" --loop 1 --type AI --number 1
check "add by type number" 0 "" "$cli" add-block "$doc" --loop 1 --type 9 --number 39
check "number of another type" 1 "Block 40 is not a block of type AI." \
    "$cli" add-block "$doc" --loop 1 --type AI --number 40
check "number in use" 1 "The block number 1 is already used." \
    "$cli" add-block "$doc" --loop 2 --type AI --number 1
check "FV" 0 "" "$cli" add-block "$doc" --loop 1 --type FV --number 27
check "one FV per loop" 1 "already used" "$cli" add-block "$doc" --loop 1 --type FV --number 28
check "FV in another loop" 0 "" "$cli" add-block "$doc" --loop 2 --type FV --number 28
check "unknown type" 2 "unknown block type" "$cli" add-block "$doc" --loop 1 --type XYZ --number 1
check "missing option" 2 "usage:" "$cli" add-block "$doc" --loop 1

# Loop G holds 92 bytes: fifteen blocks of 6 bytes fit, a sixteenth does not.
for entry in AI:2 AI:3 AI:4 AI:5 AI:6 AI:7 AI:8 DI:17 DI:18 ADJ:99 ADJ:100 ADJ:101 ADJ:102 \
            PNT:109 PNT:110; do
    "$cli" add-block "$doc" --loop 5 --type "${entry%%:*}" --number "${entry##*:}" ||
        { echo "FAIL filling loop G with $entry"; failures=$((failures + 1)); }
done
check "loop G is full" 1 "The loop size has reached." \
    "$cli" add-block "$doc" --loop 5 --type PNT --number 111

check "set a CONF value" 0 "" "$cli" set-param "$doc" --block 39 --param CARU --value 101.5
check "dictionary form" 0 "" "$cli" set-param "$doc" --block 39 --param PCARL --value 2
check "special LINK address" 0 "" "$cli" set-param "$doc" --block 39 --param LIA --value 230
check "LINK out of range" 1 "Value is out of range." \
    "$cli" set-param "$doc" --block 39 --param LIB --value 200
check "CONF out of range" 1 "Value is out of range." \
    "$cli" set-param "$doc" --block 39 --param CARU --value 103
check "unknown parameter" 1 "has no parameter" "$cli" set-param "$doc" --block 39 --param NOPE --value 1
check "unknown block" 1 "Block 44 is not in the configuration." \
    "$cli" set-param "$doc" --block 44 --param LIA --value 1
check "values stored" 0 '"value": "101.5"' "$cli" info "$doc" --json
check "special address stored" 0 '"value": "230"' "$cli" info "$doc" --json

check "rename" 0 "" "$cli" rename-loop "$doc" --loop 1 --name " flow "
check "renamed upper-case" 0 '"name": "FLOW"' "$cli" info "$doc" --json
check "name in use" 1 "The name FLOW is already used by another loop." \
    "$cli" rename-loop "$doc" --loop 2 --name flow
check "name too long" 1 "1 to 8 characters" "$cli" rename-loop "$doc" --loop 2 --name ABCDEFGHI
check "set-info" 0 "" "$cli" set-info "$doc" --field project --value "Tank farm"
check "info stored" 0 '"Tank farm"' "$cli" info "$doc" --json
check "remove" 0 "" "$cli" remove-block "$doc" --block 27
check "number free again" 0 "" "$cli" add-block "$doc" --loop 1 --type FV --number 29

check "DIT on Varex Plus" 0 "" "$cli" add-block "$doc" --loop 3 --type DIT --number 122
check "model with DIT" 0 "does not work with this Varex version" "$cli" set-model "$doc" varex
check "model stored" 0 '"model": "Varex"' "$cli" info "$doc" --json
check "no DIT on Varex" 1 "DIT blocks work only" "$cli" add-block "$doc" --loop 3 --type DIT --number 123
check "backup made" 0 "" test -f "$work/TEST.bkp"

check "export" 0 "" "$cli" export-pda "$doc" -d "$work"
check "FB file" 0 "" test -s "$work/TEST_FB.PDB"
check "Param file" 0 "" test -s "$work/TEST_Param.PDB"

# A configuration image with one loop holding AI 001.
printf '2.05\0\0\x18\0\xeeTANK\0\0\0\0\x0f\0\x01\x01\0\0\0\0\0\0\0\0\0\x14\0' >"$work/IMG.vxi"
check "import" 0 "" "$cli" import "$work/IMG.vxi" -o "$work/IMG.vxp"
check "imported loop" 0 '"name": "TANK"' "$cli" info "$work/IMG.vxp" --json
check "imported value" 0 '"value": "0.2"' "$cli" info "$work/IMG.vxp" --json
check "import needs .vxi" 2 "must end in .vxi" "$cli" import "$doc" -o "$work/X.vxp"

head -c 100 "$doc" >"$work/CUT.vxp"
check "damaged file" 1 "CUT.vxp" "$cli" info "$work/CUT.vxp"
check "missing file" 1 "NONE.vxp" "$cli" info "$work/NONE.vxp"
check "unknown command" 2 "unknown command" "$cli" frobnicate

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
