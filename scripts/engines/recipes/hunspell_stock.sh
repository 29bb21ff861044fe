# Hunspell as a user's own install has it: hunspell.sh's source and build
# steps without any of its mends, so that the tests can hold the bridge
# against what an unmended Hunspell does with the same input.
source "$ENGINE_SCRIPTS/recipes/hunspell.sh"
DEPENDS=hunspell
MENDS=()
