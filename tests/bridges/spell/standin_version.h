// The version text of the test stand-in that adds Hunspell_getversion to the
// real Hunspell.
#define HUNSPELL_STANDIN_VERSION "1.7.1 (lorimax test stand-in)"
