#!/usr/bin/env bash
# Builds the example configuration PLANT.vxp with kestrel-cli:
#   loop 1 LEVEL  - a cascade: level controller (APID 039) sets the flow controller
#                   (APID 040), through an auto/manual station to a current output,
#                   with a front view and a double alarm on the level;
#   loop 2 TEMP   - a simple temperature loop (AI, PID, CO);
#   loop G PLANT  - plant constants and the general visualisation;
# and draws every loop with kestrel-cli autodraw.
# Usage: examples/make-plant.sh [KESTREL_CLI] [OUT.vxp]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../build/tools/kestrel-cli/kestrel-cli}"
out="${2:-$here/PLANT.vxp}"

k() { "$cli" "$@"; }
block() { k add-block "$out" --loop "$1" --type "$2" --number "$3"; }
param() { k set-param "$out" --block "$1" --param "$2" --value "$3"; }

rm -f "$out" "${out%.*}.bkp" "$(dirname "$out")/PLANT.bkp"
k new "$out"
k set-info "$out" --field company --value "North Basin Water Treatment"
k set-info "$out" --field project --value "Clear-water tank T-101 level and flow"
k set-info "$out" --field revision --value "A"
k set-info "$out" --field leader --value "R. Okafor"
k set-info "$out" --field programmer --value "M. Lindqvist"
k set-info "$out" --field description --value "Cascade level/flow control of T-101, outlet temperature loop."
k rename-loop "$out" --loop 1 --name LEVEL
k rename-loop "$out" --loop 2 --name TEMP
k rename-loop "$out" --loop 5 --name PLANT

# Loop 1: level (AI 001, out 1) and flow (AI 002, out 3) transmitters.
block 1 AI 1
param 1 CSQR 0
block 1 AI 2
param 2 CSQR 1
param 2 ACUT 2.5
block 1 ADJ 99                 # level setpoint, special output 233
param 99 ASPD 65.
block 1 APID 39                # level controller (master), outputs 47, 48
param 39 LIA 233
param 39 LIB 1
param 39 AKp 1.5
param 39 ATr 8.
block 1 APID 40                # flow controller (slave), outputs 49, 50
param 40 LIA 47
param 40 LIB 3
param 40 AKp 0.6
param 40 ATr 0.5
block 1 A/M 35                 # auto/manual station, outputs 39, 40
param 35 LIA 49
block 1 CO 9                   # valve FV-101
param 9 LIA 39
block 1 FV 27                  # front view of the flow loop
param 27 LIA 47
param 27 LIB 3
param 27 LIC 39
block 1 ALM 77                 # level alarms, outputs 111, 112
param 77 LIA 1
param 77 LIB 1
param 77 CMN1 "LOW LVL "
param 77 CMN2 "HIGH LVL"

# Loop 2: outlet temperature.
block 2 AI 3
block 2 PID 43
param 43 LIB 5
block 2 CO 10
param 10 LIA 55

# Loop G: constants and general visualisation.
block 5 K 118
param 118 AK01 65.
param 118 AK02 10.
block 5 GV 117
param 117 LIA 1
param 117 LIB 3

# The drawings: a node for every block, links for the wiring, connectors
# between loops.
k autodraw "$out"

rm -f "${out%.*}.bkp" "$(dirname "$out")/PLANT.bkp"
echo "wrote $out"
