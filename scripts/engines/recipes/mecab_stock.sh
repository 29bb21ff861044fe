# MeCab as a user's own install has it: mecab.sh's source and build steps
# without any of its mends, so that the tests can hold the bridge against
# what an unmended MeCab does with the same input.
source "$ENGINE_SCRIPTS/recipes/mecab.sh"
DEPENDS=mecab
MENDS=()
