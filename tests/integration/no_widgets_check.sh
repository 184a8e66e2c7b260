#!/usr/bin/env bash
# The programs that work without windows (the command-line tool, the simulator
# and the test programs of the model, documents and protocol) must not load the
# widget library, directly or through another library.
# Usage: no_widgets_check.sh PROGRAM...
set -u
status=0
for program in "$@"; do
    if ! libraries="$(ldd "$program")"; then
        echo "cannot list the libraries of $program" >&2
        status=1
        continue
    fi
    if grep -q 'libQt6Widgets' <<<"$libraries"; then
        echo "$program loads QtWidgets:" >&2
        grep 'libQt6Widgets' <<<"$libraries" >&2
        status=1
    fi
done
exit $status
