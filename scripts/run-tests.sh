#!/usr/bin/env bash
# Runs every test: the native core suite (under the sanitizers) and the Wine
# suites of the DLL, each test executable whole, once; and, given its path,
# the release zip.
set -uo pipefail
win_build=$1
native_build=$2
fuzz_build=${3:-}
dist_zip=${4:-}
here=$(dirname "$0")

status=0
echo "== native core (ASan, UBSan)"
ctest --test-dir "$native_build" --output-on-failure || status=1
if [[ -n $fuzz_build ]]; then
  echo "== fuzz targets, a short seeded run each"
  ctest --test-dir "$fuzz_build" -R '^fuzz_.*_smoke$' --output-on-failure || status=1
fi
echo "== lorimax.dll under Wine"
"$here/with-wineserver.sh" ctest --test-dir "$win_build" --output-on-failure || status=1
if [[ -n $dist_zip ]]; then
  echo "== the release zip"
  "$here/with-wineserver.sh" "$here/../tests/dist/check-zip.sh" "$dist_zip" "$win_build" || status=1
fi
exit $status
