// The one table of lorimax's exports. Everything else that lists exports (the
// declarations and so the linker's export list, lmx's dispatch, docs/exports.md
// and the test of the DLL's export directory) is generated from it.
//
// An entry: X(family, Name, result kind, "one line of meaning", (kind, argument)...)
// Kinds: I an integer (intptr_t), S a narrow string (code page 932 unless the
// meaning says UTF-8), W a UTF-16 string.
#ifndef LORIMAX_EXPORTS_TABLE_H
#define LORIMAX_EXPORTS_TABLE_H

#define LMX_FRAME_EXPORTS(X) \
  X(frame, GetResult, S, "the result buffer as the last writing export left it") \
  X(frame, GetResultW, W, "the wide result buffer as the last writing export left it") \
  X(frame, GetDllVersion, I, "the library's version as a number (1, 29, 0, 0 gives 12900); 0 when unreadable") \
  X(frame, GetDllVersionStr, S, "the library's version as text (1.29.00); empty when unreadable") \
  X(frame, DebugOut, I, "passes the text to the debugger output; always 1", (W, text))

#define LMX_CONVERSION_EXPORTS(X) \
  X(conversion, SetUTF8ConvertString, I, "puts the text as UTF-8 into the result buffer (fetch it with GetResult); 1 or 0", (W, text)) \
  X(conversion, SetUTF16ConvertString, I, "puts the UTF-8 bytes as UTF-16 into the wide result buffer (fetch it with GetResultW); 1 or 0", (S, utf8))

#define LMX_ALL_EXPORTS(X) \
  LMX_FRAME_EXPORTS(X) \
  LMX_CONVERSION_EXPORTS(X)

// --- helpers for the consumers of the table -------------------------------

#define LMX_TYPE_I intptr_t
#define LMX_TYPE_S const char*
#define LMX_TYPE_W const wchar_t*

#define LMX_CAT_(a, b) a##b
#define LMX_CAT(a, b) LMX_CAT_(a, b)
#define LMX_COUNT_(_1, _2, _3, _4, _5, _6, _7, _8, n, ...) n
#define LMX_COUNT(...) LMX_COUNT_(__VA_ARGS__ __VA_OPT__(, ) 8, 7, 6, 5, 4, 3, 2, 1, 0)

// LMX_MAP(m, sep, pairs...) applies m to each (kind, name) pair.
#define LMX_MAP_0(m, s)
#define LMX_MAP_1(m, s, a) m a
#define LMX_MAP_2(m, s, a, ...) m a s() LMX_MAP_1(m, s, __VA_ARGS__)
#define LMX_MAP_3(m, s, a, ...) m a s() LMX_MAP_2(m, s, __VA_ARGS__)
#define LMX_MAP_4(m, s, a, ...) m a s() LMX_MAP_3(m, s, __VA_ARGS__)
#define LMX_MAP_5(m, s, a, ...) m a s() LMX_MAP_4(m, s, __VA_ARGS__)
#define LMX_MAP_6(m, s, a, ...) m a s() LMX_MAP_5(m, s, __VA_ARGS__)
#define LMX_MAP_7(m, s, a, ...) m a s() LMX_MAP_6(m, s, __VA_ARGS__)
#define LMX_MAP_8(m, s, a, ...) m a s() LMX_MAP_7(m, s, __VA_ARGS__)
#define LMX_MAP(m, s, ...) LMX_CAT(LMX_MAP_, LMX_COUNT(__VA_ARGS__))(m, s __VA_OPT__(, ) __VA_ARGS__)

#define LMX_SEP_COMMA() ,
#define LMX_SEP_NONE()
#define LMX_PARAM_(kind, name) LMX_TYPE_##kind name
#define LMX_KIND_(kind, name) #kind
#define LMX_ARGNAME_(kind, name) #name

// "intptr_t start, const char* text" or "void"
#define LMX_PARAMS(...) __VA_OPT__(LMX_MAP(LMX_PARAM_, LMX_SEP_COMMA, __VA_ARGS__)) LMX_VOID_IF_EMPTY(__VA_ARGS__)
#define LMX_VOID_IF_EMPTY(...) LMX_CAT(LMX_VOID_, LMX_COUNT(__VA_ARGS__))
#define LMX_VOID_0 void
#define LMX_VOID_1
#define LMX_VOID_2
#define LMX_VOID_3
#define LMX_VOID_4
#define LMX_VOID_5
#define LMX_VOID_6
#define LMX_VOID_7
#define LMX_VOID_8
// "ISS": the argument kinds as one string
#define LMX_KINDS(...) "" LMX_MAP(LMX_KIND_, LMX_SEP_NONE, __VA_ARGS__)
// "start, text, search"
#define LMX_ARGNAMES(...) "" LMX_MAP(LMX_ARGNAME_, LMX_SEP_NONE_NAMES, __VA_ARGS__)
#define LMX_SEP_NONE_NAMES() ", "

#endif
