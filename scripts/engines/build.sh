#!/usr/bin/env bash
# Builds the engines lorimax links or loads, for the MinGW target, from
# Debian 12's source packages. Each engine is built once per machine into
#   ${LORIMAX_ENGINE_CACHE:-~/.cache/lorimax}/<engine>-<source version>/
# (an install prefix: include/, lib/, bin/), outside any clone, so that a new
# clone on the same machine reuses it.
#
#   build.sh [engine...]        build what is missing (all engines by default)
#   build.sh --cmake-args       print the -D arguments that tell CMake where they are
#   build.sh --dir ENGINE       print one engine's prefix
#
# A build runs in a temporary folder and is moved into place at the end, under
# a lock, so an interrupted or concurrent build never leaves a half prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=common.sh
source "$here/common.sh"

case ${1:-} in
  --cmake-args)
    for e in "${ENGINES[@]}"; do
      printf -- '-DLORIMAX_%s_DIR=%s ' "$(engine_var "$e")" "$(engine_prefix "$e")"
    done
    echo
    exit 0 ;;
  --dir)
    engine_prefix "${2:?engine name}"
    exit 0 ;;
esac

wanted=("$@")
((${#wanted[@]})) || wanted=("${ENGINES[@]}")
for e in "${wanted[@]}"; do
  engine_ensure "$e"
done
