#!/usr/bin/env bash
# Fails when a committed document differs from what the generator writes now
# (or when the generator refuses the tables: an export without its Japanese
# entry, an entry for no export, an example that does not fit).
#   tests/reference/current.sh <gen_reference> md|html <committed file>
set -uo pipefail
generator=$1 form=$2 committed=$3
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
"$generator" "$form" > "$fresh" || { echo "current.sh: gen_reference $form refused the tables (above)" >&2; exit 1; }
if ! cmp -s "$committed" "$fresh"; then
  diff -u "$committed" "$fresh" | head -n 40
  echo "current.sh: $committed differs from what gen_reference $form writes now (run make docs)" >&2
  exit 1
fi
