#!/bin/bash
# kestrel-cli catalog --json --language: each pack changes only the
# descriptions, the units and the display names; a language without a pack is
# refused.
set -euo pipefail
cli="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fixed() { grep -v -e '"description"' -e '"display_name"' -e '"unit"' "$1"; }
"$cli" catalog --json > "$work/en.json"
"$cli" catalog --json --language en | cmp - "$work/en.json"
for language in pt es zh; do
    "$cli" catalog --json --language "$language" > "$work/$language.json"
    diff <(fixed "$work/en.json") <(fixed "$work/$language.json")
    if cmp -s "$work/en.json" "$work/$language.json"; then
        echo "the $language catalogue is not translated"; exit 1
    fi
done
grep -q '"display_name": "Entrada Analógica"' "$work/pt.json"
grep -q '"display_name": "模拟输入"' "$work/zh.json"
if "$cli" catalog --json --language fr > /dev/null 2>&1; then
    echo "an unknown language was accepted"; exit 1
fi
echo "catalogue in en, pt, es, zh: only descriptions, units and display names differ"
