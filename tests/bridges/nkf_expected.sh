#!/usr/bin/env bash
# Makes the inputs of the NKF32.DLL cross-check and, with Debian's nkf on the
# same inputs, the bytes each case must give. Run by ctest before the tests.
#   nkf_expected.sh <folder of nkf_cases.txt> <output folder>
set -euo pipefail
src=$1 out=$2
command -v nkf >/dev/null || { echo "nkf_expected: Debian's nkf is not installed" >&2; exit 1; }
rm -rf "$out" && mkdir -p "$out"

# The inputs, encoded by iconv (not by nkf) from UTF-8 texts.
iconv -f UTF-8 -t CP932 "$src/nkf_text.txt" > "$out/sjis.in"
iconv -f UTF-8 -t EUC-JP "$src/nkf_text.txt" > "$out/eucjp.in"
iconv -f UTF-8 -t ISO-2022-JP "$src/nkf_text.txt" > "$out/iso2022jp.in"
cp "$src/nkf_text.txt" "$out/utf8.in"
iconv -f UTF-8 -t CP932 "$src/nkf_hankaku.txt" > "$out/hankaku.in"
cp "$src/nkf_mime.txt" "$out/mime.in"
# Line feeds alone, whose -Lw output is twice as long: around the result
# buffer's first 4096 bytes. And half-width kana, three times as long as UTF-8.
for n in 2047 2048 2049 3000; do head -c "$n" /dev/zero | tr '\0' '\n' > "$out/lf$n.in"; done
for ((i = 0; i < 5000; i++)); do printf '\xB1'; done > "$out/kana5000.in"

n=0
while IFS='|' read -r how input options linux_options; do
  [[ -z $how || $how == \#* ]] && continue
  n=$((n + 1))
  [[ -n $linux_options ]] || linux_options=$options
  # shellcheck disable=SC2086 # the options are words
  nkf $linux_options < "$out/$input.in" > "$out/case$n.expected"
  printf '%s|%s|%s|%s\n' "$n" "$how" "$input" "$options" >> "$out/cases.list"
done < "$src/nkf_cases.txt"

# nkf's guess of each input that is read as it is (MIME is decoded first).
for input in sjis eucjp iso2022jp utf8 hankaku; do
  nkf -g "$out/$input.in" | tr -d '\n' > "$out/$input.guess"
done
echo "nkf_expected: $n cases from $(nkf --version | head -1)"
