# Shared by build.sh and the recipes in recipes/: where engines live, how a
# source package is fetched, and the MinGW settings every recipe uses.
# shellcheck shell=bash

# In dependency order: editorconfig links pcre2; editorconfig_asan is the
# same core built natively under the sanitizers, for the tests; hunspell_stock
# and mecab_stock are those engines built by their recipes without the mends,
# as a user's own install has them, for the tests.
ENGINES=(pcre2 editorconfig hunspell mecab nkf editorconfig_asan hunspell_stock mecab_stock)

ENGINE_ROOT=${LORIMAX_ENGINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lorimax}
ENGINE_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ENGINE_JOBS=${JOBS:-1}

say() { echo "engines: $*" >&2; }
die() { echo "engines: $*" >&2; exit 1; }

recipe_file() {
  local f=$ENGINE_SCRIPTS/recipes/$1.sh
  [[ -f $f ]] || die "no recipe for engine '$1' (known: ${ENGINES[*]})"
  echo "$f"
}

# Prints one recipe variable without letting the recipe leak into the caller.
recipe_get() { ( source "$(recipe_file "$1")"; eval "echo \"\${$2}\"" ); }

# Debian's version without its epoch keys the cache: nkf 1:2.1.5-1 -> nkf-2.1.5-1.
engine_key() { local v; v=$(recipe_get "$1" SOURCE_VERSION); echo "$1-${v#*:}"; }
engine_var() { echo "$1" | tr '[:lower:]' '[:upper:]'; }

# Inside <engine>-<source version>/, one prefix per recipe: clones whose
# recipes differ (two branches at work on one machine) each keep their own
# instead of rebuilding the other's in turn. The digest covers the recipe, the
# build settings at the end of this file and the recipes of its dependencies.
recipe_stamp() {
  local dep
  {
    cat "$(recipe_file "$1")"
    sed -n '/^# --- Build settings/,$p' "$ENGINE_SCRIPTS/common.sh"
    cat "$ENGINE_SCRIPTS/unload_runtime.cpp"
    for dep in $(recipe_get "$1" DEPENDS); do recipe_stamp "$dep"; done
  } | sha256sum | cut -c1-12
}
engine_prefix() { echo "$ENGINE_ROOT/$(engine_key "$1")/$(recipe_stamp "$1")"; }
engine_cached() { [[ -f $1/.recipe ]]; }

as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }

# (grep reads to the end: with -q, apt-cache's broken pipe would fail the test.)
source_offered() { apt-cache showsrc "$1" 2>/dev/null | grep -x "Version: $2" >/dev/null; }

# apt-get source needs deb-src lines. Debian 12's sources are one deb822 file;
# its Types lines gain deb-src in place, once.
ensure_source_offered() {
  local package=$1 version=$2 list=/etc/apt/sources.list.d/debian.sources
  source_offered "$package" "$version" && return 0
  [[ -f $list ]] || die "$list is missing: cannot offer Debian's source packages"
  if ! grep -Eq '^Types:.*\bdeb-src\b' "$list"; then
    say "adding deb-src to $list"
    as_root sed -i -E 's/^Types:[[:space:]]+deb[[:space:]]*$/Types: deb deb-src/' "$list"
  fi
  as_root apt-get update -qq
  source_offered "$package" "$version" ||
    die "Debian's archive offers no source package $package $version"
}

# Downloads the named source version into $2 and unpacks its upstream tarball
# into $3. Some files of some source packages (Debian's own patches) are not
# served, so only the upstream tarball, which apt-get has checked against the
# package's hashes, must arrive.
fetch_source() {
  local engine=$1 download=$2 src=$3 package version upstream orig log
  package=$(recipe_get "$engine" SOURCE_PACKAGE)
  version=$(recipe_get "$engine" SOURCE_VERSION)
  ensure_source_offered "$package" "$version"
  upstream=${version#*:}
  upstream=${upstream%-*}
  log=$download/apt-get.log
  (cd "$download" && apt-get source --download-only -qq -o APT::Sandbox::User=root \
      "$package=$version" >"$log" 2>&1) || true
  orig=$(ls "$download/${package}_${upstream}".orig.tar.* 2>/dev/null | head -n1 || true)
  if [[ -z $orig ]]; then
    echo "engines: the download of ${package}_${upstream}.orig.tar.* ($package $version) failed; apt-get said:" >&2
    sed 's/^/  /' "$log" >&2
    exit 1
  fi
  tar -xf "$orig" -C "$src" --strip-components=1
}

# Every DLL of a prefix must import system DLLs only.
check_imports() {
  local prefix=$1 dll bad
  for dll in "$prefix"/bin/*; do
    [[ ${dll,,} == *.dll ]] || continue
    bad=$($TARGET-objdump -p "$dll" | sed -n 's/^[[:space:]]*DLL Name: //p' | grep -Ei '^lib|pthread|stdc|gcc' || true)
    [[ -z $bad ]] || die "$(basename "$dll") imports non-system DLLs: $bad"
  done
}

engine_ensure() {
  local engine=$1 key prefix dep work lock_fd started=$SECONDS
  for dep in $(recipe_get "$engine" DEPENDS); do engine_ensure "$dep"; done
  key=$(engine_key "$engine")
  prefix=$(engine_prefix "$engine")
  if engine_cached "$prefix"; then
    say "$key cached in $prefix"
    return 0
  fi
  mkdir -p "$(dirname "$prefix")"
  exec {lock_fd}>"$prefix.lock"
  flock "$lock_fd"
  if engine_cached "$prefix"; then   # another build finished meanwhile
    exec {lock_fd}>&-
    say "$key cached in $prefix"
    return 0
  fi
  work=$(mktemp -d "$prefix.build.XXXXXX")
  # shellcheck disable=SC2064
  trap "rm -rf '$work'" EXIT
  say "building $key (log: $work/build.log while it runs)"
  mkdir -p "$work/download" "$work/src" "$work/prefix"/{include,lib,bin}
  fetch_source "$engine" "$work/download" "$work/src"
  # A shell of its own, so that -e holds in the recipe (an `if` would turn it off).
  if ! (cd "$work/src" && bash -euo pipefail -c 'source "$1"; source "$2"; build_engine "$3" "$4"' \
          build "$ENGINE_SCRIPTS/common.sh" "$(recipe_file "$engine")" "$work/src" "$work/prefix") \
        >"$work/build.log" 2>&1; then
    tail -n 40 "$work/build.log" >&2
    die "$key failed to build"
  fi
  check_imports "$work/prefix"
  rm -f "$work/prefix"/lib/*.la   # libtool's notes name the temporary prefix
  recipe_stamp "$engine" >"$work/prefix/.recipe"
  # One rename puts it in place (a leftover without .recipe goes first).
  rm -rf "$prefix"
  mv "$work/prefix" "$prefix"
  rm -rf "$work"
  trap - EXIT
  exec {lock_fd}>&-
  say "$key built in $((SECONDS - started)) s into $prefix"
}

# --- Build settings: what the recipes build with.
TARGET=x86_64-w64-mingw32
# The win32 thread model: winpthreads' records and TLS slot outlive an unload.
TARGET_CC=$TARGET-gcc-win32
TARGET_CXX=$TARGET-g++-win32
# The runtime goes into each DLL so that it imports system DLLs only. libtool
# drops such flags from LDFLAGS when it links a DLL, so autotools recipes put
# them into the compiler's name instead.
STATIC_RUNTIME="-static-libgcc -static-libstdc++ -Wl,-Bstatic"
# What a C++ engine adds so that loading and freeing it stays flat: its
# statics unguarded (the guards' locks outlive an unload), and
# unload_runtime.cpp appended to one of its sources (UNLOAD_RUNTIME).
UNLOAD_CXXFLAGS="-fno-threadsafe-statics"
UNLOAD_RUNTIME=$ENGINE_SCRIPTS/unload_runtime.cpp

# Recipes call these with the source folder as the current directory.
cmake_target_configure() {   # prefix, then CMake options
  local prefix=$1; shift
  nice cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 \
    -DCMAKE_C_COMPILER="$TARGET_CC" -DCMAKE_CXX_COMPILER="$TARGET_CXX" \
    -DCMAKE_RC_COMPILER="$TARGET-windres" \
    -DCMAKE_FIND_ROOT_PATH="/usr/$TARGET;$prefix" \
    -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
    -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
}

cmake_target_build() {   # prefix, then CMake options: configure, build, install
  cmake_target_configure "$@"
  nice cmake --build build -j "$ENGINE_JOBS"
  cmake --install build
}
