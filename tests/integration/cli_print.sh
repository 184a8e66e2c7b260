#!/usr/bin/env bash
# kestrel-cli's report and print commands: the report lines of the example in
# both modes, the PDF's pages and paper, and the refusals.
set -uo pipefail
cli="$1"
example="$2"
fixtures="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
failures=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

expect_exit() {  # expect_exit NAME CODE TEXT COMMAND...
    local name="$1" want="$2" text="$3"
    shift 3
    local out rc
    out="$("$@" 2>&1)"
    rc=$?
    if [ "$rc" != "$want" ] || ! grep -qF -- "$text" <<<"$out"; then
        fail "$name: exit $rc (wanted $want), output: $out"
    fi
}

# The report as the program builds it for the default page, line for line.
"$cli" report "$example" >"$work/report.txt" || fail "report exits $?"
diff -u "$fixtures/PLANT-report.txt" "$work/report.txt" || fail "report lines differ"
"$cli" report "$example" --changed >"$work/changed.txt" || fail "report --changed exits $?"
diff -u "$fixtures/PLANT-report-changed.txt" "$work/changed.txt" || fail "changed lines differ"

# Loop pages plus report pages, on letter paper.
"$cli" print "$example" -o "$work/all.pdf" >/dev/null || fail "print exits $?"
report_pages=$(($(grep -c '^EndPage$' "$work/report.txt") + 1))
loops_only=$("$cli" print "$example" -o "$work/loops.pdf" --loops --no-header | cut -d' ' -f1)
pages=$(pdfinfo "$work/all.pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = $((loops_only + report_pages)) ] ||
    fail "PDF has $pages pages, wanted $loops_only loop and $report_pages report pages"
pdfinfo "$work/all.pdf" | grep -q "^Page size: *612 x 792 pts (letter)" || fail "paper is not letter"
params=$("$cli" print "$example" -o "$work/params.pdf" --parameters --changed | cut -d' ' -f1)
[ "$params" = "$report_pages" ] || fail "--parameters --changed gives $params pages"

# Nothing to print: a document without blocks or drawings, and loops asked of
# a document that has no drawings.
"$cli" new "$work/EMPTY.vxp" >/dev/null
expect_exit "nothing at all" 1 "Nothing to print" "$cli" print "$work/EMPTY.vxp" -o "$work/e.pdf"
expect_exit "loops without drawings" 1 "Nothing to print" \
    "$cli" print "$work/EMPTY.vxp" -o "$work/e.pdf" --loops
[ ! -e "$work/e.pdf" ] || fail "a refused print wrote a file"
"$cli" report "$work/EMPTY.vxp" >"$work/empty.txt" || fail "report of an empty document exits $?"
[ ! -s "$work/empty.txt" ] || fail "an empty document has report lines"
expect_exit "no output" 2 "usage" "$cli" print "$example"
expect_exit "unwritable output" 1 "Cannot write" "$cli" print "$example" -o "$work/no/such/x.pdf"

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "print commands: all checks passed"
