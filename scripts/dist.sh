#!/usr/bin/env bash
# Builds the release zip, build/dist/lorimax-<version>.zip: a Release, stripped
# lorimax.dll and lmx.exe, the reference, the sample macros (code page 932),
# the Japanese readme, lorimax's own licence and the licence texts of
# everything linked in. Without --once it builds everything twice, in
# two folders, and fails unless the DLL and the zip come out byte-identical.
#   scripts/dist.sh [--once] [build-root]
set -euo pipefail
once=0
if [[ ${1:-} == --once ]]; then once=1; shift; fi
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build}/dist")
jobs=${JOBS:-2}
engines=$("$root/scripts/engines/build.sh" --cmake-args)
version=$(sed -n 's/^project(lorimax VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
[[ -n $version ]] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
name=lorimax-$version

# The licences, from the Debian packages whose code is linked in: the
# EditorConfig core, PCRE2, and the MinGW-w64 runtime and
# GCC's runtime libraries.
licences=(
  "editorconfig:/usr/share/doc/editorconfig/copyright"
  "pcre2:/usr/share/doc/libpcre2-8-0/copyright"
  "mingw-w64-runtime:/usr/share/doc/mingw-w64-common/copyright"
  "gcc-runtime-libraries:/usr/share/doc/gcc-mingw-w64-base/copyright"
)

# One Release build of the DLL and lmx in `dir`, with no time stamp and no
# build path in what it writes.
build() {
  local dir=$1
  local map="-ffile-prefix-map=$root=lorimax -ffile-prefix-map=$dir=build"
  local link="-s -Wl,--no-insert-timestamp"
  # shellcheck disable=SC2086
  cmake --no-warn-unused-cli -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release $engines "-DCMAKE_C_FLAGS=$map" "-DCMAKE_CXX_FLAGS=$map" \
    "-DCMAKE_SHARED_LINKER_FLAGS=$link" "-DCMAKE_EXE_LINKER_FLAGS=$link" >/dev/null
  nice cmake --build "$dir" -j "$jobs" --target lorimax lmx >/dev/null
}

# The zip's tree under `stage`, then the zip: sorted entries, one fixed date,
# fixed modes, so that its bytes depend on the files alone.
pack() {
  local dir=$1 zip=$2 stage=$1/stage/$name
  rm -rf "$dir/stage" && mkdir -p "$stage/docs" "$stage/licences" "$stage/samples"
  cp "$dir/bin/lorimax.dll" "$dir/bin/lmx.exe" "$stage/"
  cp "$root/docs/reference.md" "$root/docs/reference.html" "$stage/docs/"
  cp "$root"/samples/*.mac "$stage/samples/"
  # UTF-8 with a byte order mark and CRLF, which Notepad and the editor both
  # read as UTF-8 without being told.
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/docs/readme-ja.txt"; } > "$stage/readme-ja.txt"
  cp "$root/LICENSE" "$stage/licences/lorimax.txt"
  for entry in "${licences[@]}"; do
    local file=${entry#*:}
    [[ -f $file ]] || { echo "dist: missing $file (scripts/install-deps.sh installs it)" >&2; exit 1; }
    cp "$file" "$stage/licences/${entry%%:*}.txt"
  done
  python3 - "$dir/stage" "$zip" <<'PY'
import os, sys, zipfile
base, target = sys.argv[1], sys.argv[2]
paths = sorted(os.path.relpath(os.path.join(d, f), base).replace(os.sep, "/")
               for d, _, files in os.walk(base) for f in files)
with zipfile.ZipFile(target + ".tmp", "w") as z:
    for p in paths:
        info = zipfile.ZipInfo(p, date_time=(2026, 1, 1, 0, 0, 0))
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0
        info.external_attr = 0
        with open(os.path.join(base, p), "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
os.replace(target + ".tmp", target)
PY
}

mkdir -p "$out"
build "$out/a"
pack "$out/a" "$out/$name.zip"
if (( ! once )); then
  build "$out/b"
  pack "$out/b" "$out/b/$name.zip"
  cmp "$out/a/bin/lorimax.dll" "$out/b/bin/lorimax.dll"
  cmp "$out/a/bin/lmx.exe" "$out/b/bin/lmx.exe"
  cmp "$out/$name.zip" "$out/b/$name.zip"
  echo "dist: two builds in two folders, byte-identical"
fi
echo "dist: $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
