#!/usr/bin/env bash
# Runs the reference's examples (exports/examples.txt) under Wine against the
# macro folder of the Windows build (bin/macro: lorimax.dll with the engines
# beside it), copied to C:\macro, where the examples find their files.
#   scripts/reference-examples.sh check <Windows build> <examples>   fails when a result differs
#   scripts/reference-examples.sh write <Windows build> <examples>   writes the results into it
set -euo pipefail
mode=$1
build=$(realpath "$2")
examples=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
[[ -f $build/bin/examples/run_examples.exe && -f $build/bin/macro/lorimax.dll ]] \
  || { echo "reference-examples: build the Windows side first (make build-win)" >&2; exit 1; }

# Desktop composition on, as Windows has it: the tests' dwmapi.dll beside the runner.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;dwmapi=n"
folder=$WINEPREFIX/drive_c/macro
rm -rf "$folder"
cp -a "$build/bin/macro" "$folder"
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
# From the runner's own folder, which holds no engine: what is found, is
# found beside lorimax.dll.
(cd "$build/bin/examples" && "$here/wine-run" run_examples.exe 'C:\macro') <"$examples" >"$fresh"
case $mode in
  write)
    cp "$fresh" "$examples"
    echo "reference-examples: results written into $examples" ;;
  check)
    if ! diff -u "$examples" "$fresh"; then
      echo "reference-examples: the library gives other results than $examples holds (above); make docs writes them" >&2
      exit 1
    fi
    echo "reference-examples: every result as $examples holds it" ;;
  *) echo "usage: reference-examples.sh check|write <Windows build> <examples>" >&2; exit 2 ;;
esac
