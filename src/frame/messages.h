// The families' codes and messages, one table each in exports/messages.txt,
// read through the generated header: LMX_MESSAGES_<family>(X) applies
// X(code, name, cp932, ja, en) to each row. These are the usual X's.
#ifndef LORIMAX_FRAME_MESSAGES_H
#define LORIMAX_FRAME_MESSAGES_H

#include "lorimax_messages.h"

// name = code, (an enumeration of the codes)
#define LMX_MESSAGE_CODE(code, name, cp932, ja, en) name = code,
// the code page 932 text, (an array indexed by the code)
#define LMX_MESSAGE_TEXT(code, name, cp932, ja, en) cp932,
// a constant of the code page 932 text under its name
#define LMX_MESSAGE_NAMED(code, name, cp932, ja, en) inline constexpr char name[] = cp932;

#endif
