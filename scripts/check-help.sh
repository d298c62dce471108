#!/bin/sh
# Checks the compiled help file from Linux: every page of the help folder is in it, byte for byte,
# with the contents and the index, and every link between the pages leads to a page that exists.
# Usage: scripts/check-help.sh HELP.chm HELP-FOLDER
set -eu
chm="$1"
help="$2"
[ -s "$chm" ] || { echo "check-help: $chm is missing or empty" >&2; exit 1; }
listing="$(enum_chmLib "$chm")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
extract_chmLib "$chm" "$work" >/dev/null
failed=0
for file in "$help"/*.html "$help"/*.css "$help"/Varnokle.hhc "$help"/Varnokle.hhk; do
    name="$(basename "$file")"
    if ! printf '%s\n' "$listing" | grep -q "[[:space:]]/$name\$"; then
        echo "check-help: $name is not in $chm" >&2
        failed=1
    elif ! cmp -s "$file" "$work/$name"; then
        echo "check-help: $name differs in $chm" >&2
        failed=1
    fi
done
for page in "$help"/*.html; do
    for target in $(grep -o 'href="[^"#]*' "$page" | sed 's/^href="//'); do
        if [ ! -f "$help/$target" ]; then
            echo "check-help: $(basename "$page") links to $target, which is not there" >&2
            failed=1
        fi
    done
done
# The project names the pages it compiles: none may be left out.
for page in "$help"/*.html; do
    grep -qx "$(basename "$page")" "$help/Varnokle.hhp" || {
        echo "check-help: $(basename "$page") is not in Varnokle.hhp" >&2
        failed=1
    }
done
exit $failed
