#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: a
# machine that already has them spends a dpkg query and nothing else.
set -euo pipefail

packages=(
  cmake make ninja-build
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev
  binutils-mingw-w64-x86-64
  wine wine64 locales-all
  googletest libbenchmark-dev
  clang libclang-rt-14-dev
  python3
  # The engine recipes (scripts/engines/): the rest is in the toolchain above.
  file xz-utils patch
  # The native build of the EditorConfig core under the sanitizers links Debian's PCRE2.
  libpcre2-dev
  # Debian's own builds of the engines, for cross-checks, and their dictionaries;
  # MeCab's tools and the IPA dictionary's sources make the Shift_JIS one
  # (scripts/ipadic-sjis.sh).
  editorconfig hunspell hunspell-en-us mecab mecab-ipadic-utf8 nkf mecab-utils mecab-ipadic
  # The reference page's test opens it in a real browser; the font shows its Japanese.
  chromium fonts-ipafont-gothic
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "install-deps: installing ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

