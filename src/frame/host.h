// The exports of the host editor that the library calls, found on the host's
// executable module at run time.
#ifndef LORIMAX_FRAME_HOST_H
#define LORIMAX_FRAME_HOST_H

// Runs macro text in the calling macro's context; non-zero means success.
using HidemaruEvalMacroFn = int(__cdecl*)(const wchar_t* macro_text);
// The host's encoding code for a file; the two reserved arguments are null.
using HidemaruAnalyzeEncodingFn = int(__cdecl*)(const wchar_t* path, void* reserved1, void* reserved2);

#endif
