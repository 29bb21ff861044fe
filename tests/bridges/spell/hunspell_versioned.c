/* A stand-in for a Hunspell that has Hunspell_getversion: every other export
   is forwarded to the real libhunspell.dll (see hunspell_versioned.def). */
#include "standin_version.h"

const char* Hunspell_getversion(void) { return HUNSPELL_STANDIN_VERSION; }
