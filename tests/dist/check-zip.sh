#!/usr/bin/env bash
# Checks the release zip: its list of files, that the DLL and lmx import
# system DLLs only, that lmx from the zip runs a sample's twin script and
# reads the version against the DLL from the zip, and that the readme's engine
# setups work as it says with the engines of the Windows build.
#   tests/dist/check-zip.sh build/dist/lorimax-<version>.zip build/win
set -euo pipefail
zip=$(realpath "$1")
win_build=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
name=$(basename "$zip" .zip)
version=${name#lorimax-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "check-zip: $*" >&2; status=1; }

unzip -q "$zip" -d "$work"
diff <(cd "$work/$name" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) "$here/files.expected" \
  || fail "the zip's files differ from tests/dist/files.expected"

system='^(ADVAPI32|dwmapi|KERNEL32|msvcrt|ole32|SHELL32|SHLWAPI|USER32|VERSION|WININET)\.dll$'
for binary in lorimax.dll lmx.exe; do
  while read -r dll; do
    [[ $dll =~ $system ]] || fail "$binary imports $dll, not a system DLL"
  done < <(x86_64-w64-mingw32-objdump -p "$work/$name/$binary" | sed -n 's/^\tDLL Name: //p')
done

# A sample's twin script through lmx from the zip, against the zip's DLL.
diff <(cd "$work/$name" && "$root/scripts/wine-run" lmx.exe -f "$root/samples/strings.lmx") \
  "$root/tests/samples/strings.expected" || fail "samples/strings.lmx through the zip's lmx differs"

# The DLL's own version text, through lmx from the zip.
IFS=. read -r major minor patch <<<"$version"
want=$(printf '%d.%02d.%02d' "$major" "$minor" "$patch")
got=$(cd "$work/$name" && "$root/scripts/wine-run" lmx.exe GetDllVersionStr | tr -d '\r')
[[ $got == "$want" ]] || fail "lmx from the zip printed '$got' for GetDllVersionStr, not '$want'"
got=$(cd "$work/$name" && "$root/scripts/wine-run" lmx.exe --version | tr -d '\r')
[[ $got == "lmx $version" ]] || fail "lmx --version printed '$got'"
python3 "$here/readme_test.py" "$work/$name" "$win_build" "$root/scripts/wine-run" \
  || fail "the readme's engine setups do not work as it says"
(( status == 0 )) && echo "check-zip: $name.zip: files, imports, calls through lmx and the readme's setups as expected"
exit $status
