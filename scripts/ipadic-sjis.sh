#!/usr/bin/env bash
# Compiles Debian's IPA dictionary sources (EUC-JP, package mecab-ipadic) into
# a Shift_JIS MeCab dictionary with Debian's mecab-dict-index: the dictionary a
# macro's narrow calls need, which no Debian package ships compiled.
#   scripts/ipadic-sjis.sh <output folder>
set -euo pipefail
out=$1
sources=/usr/share/mecab/dic/ipadic
index=/usr/lib/mecab/mecab-dict-index
[[ -x $index && -f $sources/dicrc ]] || { echo "ipadic-sjis: needs mecab-utils and mecab-ipadic (scripts/install-deps.sh)" >&2; exit 1; }
rm -rf "$out.tmp" && mkdir -p "$out.tmp"
"$index" -d "$sources" -o "$out.tmp" -f EUC-JP -t SHIFT-JIS >"$out.tmp/build.log" 2>&1 \
  || { tail -n 5 "$out.tmp/build.log" >&2; exit 1; }
sed 's/EUC-JP/SHIFT-JIS/g' "$sources/dicrc" >"$out.tmp/dicrc"
rm -rf "$out" && mv "$out.tmp" "$out"
