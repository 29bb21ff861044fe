#!/usr/bin/env bash
# What Debian's own engine tools answer for the bridge tests' inputs, written
# before those tests run so that they compare the bridges with it:
#   hunspell-a.txt        `hunspell -a` on every word of spell_words.txt
#   mecab/<k>.text        a text, and MeCab's plain, -O wakati, -O yomi and
#   mecab/<k>.plain ...   -N <n> outputs for it (<k>.n holds n)
# The texts are the sentences of mecab_sentences.txt, all of them run
# together as one long text, and a text whose plain output is a little longer
# than the result buffer's first 4096 bytes.
set -euo pipefail
fixtures=$1
out=$2
hunspell_dictionary=/usr/share/hunspell/en_US
mecab_dictionary=/var/lib/mecab/dic/ipadic-utf8

for tool in hunspell mecab; do
  command -v $tool >/dev/null || { echo "engine_tools: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
rm -rf "$out"
mkdir -p "$out/mecab"
cp "$fixtures/spell_words.txt" "$out/"

# A leading ^ makes every line a word, never a command.
sed 's/^/^/' "$fixtures/spell_words.txt" | hunspell -a -d "$hunspell_dictionary" >"$out/hunspell-a.txt"

mecab_of() { printf '%s\n' "$2" | mecab -d "$mecab_dictionary" $1; }

write_text() {
  local key=$1 text=$2 n=$3
  printf '%s' "$text" >"$out/mecab/$key.text"
  echo "$n" >"$out/mecab/$key.n"
  mecab_of "" "$text" >"$out/mecab/$key.plain"
  mecab_of "-O wakati" "$text" >"$out/mecab/$key.wakati"
  mecab_of "-O yomi" "$text" >"$out/mecab/$key.yomi"
  mecab_of "-N $n" "$text" >"$out/mecab/$key.nbest"
}

k=0
all=""
while IFS= read -r sentence; do
  k=$((k + 1))
  write_text "$k" "$sentence" $((k % 4 + 2))
  all+=$sentence
done <"$fixtures/mecab_sentences.txt"
write_text long "$all" 2

# Sentences until the plain output nears 4096 bytes, then a run of ASCII
# letters (one unknown word, one byte more output per letter) to land it
# between 4100 and 4130 bytes.
base=""
while IFS= read -r sentence; do
  [[ $(mecab_of "" "$base$sentence" | wc -c) -gt 4000 ]] && break
  base+=$sentence
done <"$fixtures/mecab_sentences.txt"
tail=""
while :; do
  size=$(mecab_of "" "${base}x$tail" | wc -c)
  if ((size >= 4100)); then break; fi
  tail+=x
done
((size <= 4130)) || { echo "engine_tools: no text with a plain output of 4100 to 4130 bytes" >&2; exit 1; }
write_text over4096 "${base}x$tail" 1
echo "engine_tools: $(grep -c . "$fixtures/spell_words.txt") words, $k sentences"
