// The one table of lorimax's exports and of what each promises. Everything
// else that lists exports or their results (the declarations and so the
// linker's export list, the typed callers of lmx and the tests, the hardening
// tests' expectations, the reference in docs/ and the test of the DLL's export
// directory) is generated from it.
//
// An entry: X(family, Name, result kind, failure, range, "one line of meaning",
//             (kind, argument[, mark])...)
// Kinds: I an integer (intptr_t), S a narrow string (code page 932 unless the
// meaning says UTF-8), W a UTF-16 string.
// Failure: F(v) the integer v, F(v, w) either (the first is the usual one),
// EMPTY the empty result, NONE cannot fail, ARGS given by the arguments
// (RUNSYNC returns its own `failure` argument).
// Range: R(lowest, highest) every integer result lies within it (MAX the
// largest intptr_t, U32 0xFFFFFFFF); ANY no bound is promised.
// Marks, each a promise of the failure result: PATH(n) a path longer than n
// characters; FILE(n) a path the export opens for reading or writing, longer
// than n characters or naming a device (NUL, COM1, aux.txt ...); WINDOW a
// handle that is no window, SLOT a file handle not open.
// Twins: an export named as another with W added, whose arguments are the
// other's with W for S, is that export's wide twin: it does the same on
// UTF-16 where the other takes code page 932 (in the spell bridge, the UTF-8
// that the W export converts to, as a UTF-8 dictionary reads it), gives the
// same integer, or the UTF-16 form of the other's text, and fails where the
// other fails. LMX_UNTWINNED names the two that have the form but not the
// deed: GetResultW reads its own buffer, UrlEncodeW encodes UTF-8.
#ifndef LORIMAX_EXPORTS_TABLE_H
#define LORIMAX_EXPORTS_TABLE_H

#define LMX_FRAME_EXPORTS(X) \
  X(frame, GetResult, S, EMPTY, ANY, "the result buffer as the last writing export left it") \
  X(frame, GetResultW, W, EMPTY, ANY, "the wide result buffer as the last writing export left it") \
  X(frame, GetDllVersion, I, F(0), R(0, MAX), "the library's version as a number (FileVersion 1.29 gives 12900)") \
  X(frame, GetDllVersionStr, S, EMPTY, ANY, "the library's version as text (1.29.00); empty when unreadable") \
  X(frame, DebugOut, I, NONE, R(1, 1), "passes the text to the debugger output; always 1", (W, text))

#define LMX_CONVERSION_EXPORTS(X) \
  X(conversion, SetUTF8ConvertString, I, F(0), R(0, 1), "puts the text as UTF-8 into the result buffer (fetch it with GetResult)", (W, text)) \
  X(conversion, SetUTF16ConvertString, I, F(0), R(0, 1), "puts the UTF-8 bytes as UTF-16 into the wide result buffer (fetch it with GetResultW)", (S, utf8))

#define LMX_STRING_SEARCH_EXPORTS(X) \
  X(string_search, InStr, I, F(-1), R(-1, MAX), "offset of the first occurrence at or after start that begins on a character", (I, start), (S, text), (S, search)) \
  X(string_search, InStrEx, I, F(-1), R(-1, MAX), "as InStr; mode 1 folds ASCII and full-width letters, 2 ASCII only, 3 full-width only", (I, start), (S, text), (S, search), (I, mode)) \
  X(string_search, InStrRev, I, F(-1), R(-1, MAX), "offset of the last occurrence that begins on a character", (S, text), (S, search)) \
  X(string_search, InStrRevEx, I, F(-1), R(-1, MAX), "as InStrRev with the folds of InStrEx's mode", (S, text), (S, search), (I, mode)) \
  X(string_search, GetStrSpn, I, F(-1), R(-1, MAX), "offset of the first character not in the set", (S, text), (S, set)) \
  X(string_search, GetStrCSpn, I, F(-1), R(-1, MAX), "offset of the first character in the set", (S, text), (S, set))

#define LMX_STRING_EDITING_EXPORTS(X) \
  X(string_editing, Replace, S, EMPTY, ANY, "the text with the first count occurrences replaced (-1 all, 0 none)", (S, text), (S, search), (S, replacement), (I, count)) \
  X(string_editing, DeleteStr, S, EMPTY, ANY, "the text without count bytes from position (a position inside a character moves past it)", (S, text), (I, position), (I, count)) \
  X(string_editing, InsertStr, S, EMPTY, ANY, "the text with the insertion at position (a position inside a character moves past it)", (S, text), (I, position), (S, insertion)) \
  X(string_editing, String, S, EMPTY, ANY, "the text's first character, count times", (I, count), (S, text)) \
  X(string_editing, Strings, S, EMPTY, ANY, "the whole text, count times", (I, count), (S, text)) \
  X(string_editing, UpperStr, S, EMPTY, ANY, "the text upper-cased; mode 0 ASCII and full-width letters, 1 ASCII, 2 full-width", (S, text), (I, mode)) \
  X(string_editing, LowerStr, S, EMPTY, ANY, "the text lower-cased; modes as UpperStr", (S, text), (I, mode))

#define LMX_TRIM_EXPORTS(X) \
  X(trimming, Trim, S, EMPTY, ANY, "the text without leading and trailing white space (full-width space included)", (S, text)) \
  X(trimming, LTrim, S, EMPTY, ANY, "the text without leading white space", (S, text)) \
  X(trimming, RTrim, S, EMPTY, ANY, "the text without trailing white space", (S, text)) \
  X(trimming, TrimStr, S, EMPTY, ANY, "the text without the leading and trailing characters of the set", (S, text), (S, set)) \
  X(trimming, LeftJust, S, EMPTY, ANY, "the text padded with spaces on the right to width bytes (at most 1024; never cut)", (S, text), (I, width)) \
  X(trimming, RightJust, S, EMPTY, ANY, "the text padded with spaces on the left to width bytes (at most 1024; never cut)", (S, text), (I, width)) \
  X(trimming, Centor, S, EMPTY, ANY, "the text centred in width bytes, the odd space on the left (at most 1024; never cut)", (S, text), (I, width))

#define LMX_KANJI_EXPORTS(X) \
  X(kanji, NumToKanji, S, EMPTY, ANY, "the number in kanji: mode 1 the numeral form (二千二十六), else one kanji a digit (二〇二六)", (I, number), (I, mode)) \
  X(kanji, NumStringToKanji, S, EMPTY, ANY, "a string of decimal digits in kanji, modes as NumToKanji (the numeral form up to 72 digits)", (S, digits), (I, mode))

#define LMX_SIZE_EXPORTS(X) \
  X(size, GetSizeStr, S, EMPTY, ANY, "the size number of the file (1.5); an empty path gives that of the last query", (S, path, PATH(32767))) \
  X(size, GetUnitStr, S, EMPTY, ANY, "the size unit of the file (bytes, KB, MB, GB, TB); an empty path gives that of the last query", (S, path, PATH(32767))) \
  X(size, GetFileSizeStr, S, EMPTY, ANY, "the file's size as text, the number padded to 5 (  1.5 MB)", (S, path, PATH(32767))) \
  X(size, GetFileSizeByte, I, F(-1), R(-1, MAX), "the file's size in bytes", (S, path, PATH(32767)))

#define LMX_TIME_EXPORTS(X) \
  X(time, TimeFormat, S, EMPTY, ANY, "the time formatted by strftime's %Y %m %d %H %I %M %S %p %a %A %b %B %c %x %X %j %U %W %w %y %Z %% (# drops leading zeros; %h is %I) and the kanji ones: %kY year, %ky its last two digits, %km month, %kd day, %kH hour 0-23, %kI hour 1-12, %kh hour 0-11, %kM minute, %kS second (a kanji a digit, 二〇二六; with #, numerals, 二千二十六), %kA weekday, %ka its first kanji, %kB month's old name, %kp 午前 or 午後; any other % stays as written", (S, format)) \
  X(time, SetTime, I, NONE, R(1, 1), "fixes the moment that TimeFormat shows; always 1", (I, year), (I, month), (I, day), (I, hour), (I, minute), (I, second)) \
  X(time, ResetTime, I, NONE, R(1, 1), "lets TimeFormat show the clock again; always 1") \
  X(time, Wait, I, F(-1), R(-1, 1), "sleeps that many milliseconds and gives 1", (I, milliseconds))

#define LMX_URL_EXPORTS(X) \
  X(url, UrlEncode, S, EMPTY, ANY, "the text percent-encoded: double-byte characters always, mode 1 spaces too, mode 2 the unsafe characters", (S, text), (I, mode)) \
  X(url, UrlEncodeW, W, EMPTY, ANY, "the text as UTF-8, percent-encoded but for plain ASCII (all non-zero: every byte)", (W, text), (I, all)) \
  X(url, UrlDecode, S, EMPTY, ANY, "the text with %XX escapes turned into bytes", (S, text)) \
  X(url, URLExchange, S, EMPTY, ANY, "the URL canonicalised by the system; option bits 1 spaces only, 2 browser mode, 4 no meta, 8 no encode, 16 decode", (S, url), (I, options))

#define LMX_INI_LOOKUP_EXPORTS(X) \
  X(ini_lookups, ReadSectionKeys, I, F(-1), R(-1, MAX), "loads the section's entries (those with =); their number", (S, file, FILE(259)), (S, section)) \
  X(ini_lookups, ReadSectionKeysW, I, F(-1), R(-1, MAX), "as ReadSectionKeys for a UTF-16LE file (FF FE) only", (W, file, FILE(259)), (W, section)) \
  X(ini_lookups, ReadSectionNames, I, F(-1), R(-1, MAX), "loads the file's section names; their number", (S, file, FILE(259))) \
  X(ini_lookups, ReadSectionNamesW, I, F(-1), R(-1, MAX), "as ReadSectionNames for a UTF-16LE file", (W, file, FILE(259))) \
  X(ini_lookups, ExistKey, I, F(-1, -2), R(-2, MAX), "index of the first loaded entry key=..., ignoring case", (S, key)) \
  X(ini_lookups, ExistKeyW, I, F(-1, -2), R(-2, MAX), "as ExistKey on the wide list", (W, key)) \
  X(ini_lookups, ExistSection, I, F(-1, -2), R(-2, MAX), "index of the loaded section name, ignoring ASCII case", (S, name)) \
  X(ini_lookups, ExistSectionW, I, F(-1, -2), R(-2, MAX), "as ExistSection on the wide list", (W, name)) \
  X(ini_lookups, GetKeyValue, S, EMPTY, ANY, "the value of the entry at index: behind =, cut at a TAB, trailing white space gone", (I, index)) \
  X(ini_lookups, GetKeyValueW, W, EMPTY, ANY, "as GetKeyValue on the wide list", (I, index)) \
  X(ini_lookups, GetSectionName, S, EMPTY, ANY, "the section name at index", (I, index)) \
  X(ini_lookups, GetSectionNameW, W, EMPTY, ANY, "as GetSectionName on the wide list", (I, index)) \
  X(ini_lookups, GetIniNumW, I, F(0), R(0, U32), "the key's value as a number from a UTF-16LE file", (W, file, FILE(259)), (W, section), (W, key)) \
  X(ini_lookups, GetIniStrW, W, EMPTY, ANY, "the key's value from a UTF-16LE file, or the empty result", (W, file, FILE(259)), (W, section), (W, key)) \
  X(ini_lookups, IsUTF16LE, I, F(0), R(0, 2), "1 when the file begins with FF FE, 2 with EF BB BF", (W, file, FILE(32767))) \
  X(ini_lookups, IsBOM, I, F(0), R(0, 2), "the same as IsUTF16LE", (W, file, FILE(32767)))

#define LMX_INI_CURSOR_EXPORTS(X) \
  X(ini_enumeration, NextKey, I, F(0), R(0, 1), "moves the key cursor to the next string of the loaded section: 1") \
  X(ini_enumeration, NextKeyW, I, F(0), R(0, 1), "as NextKey on the wide cursor") \
  X(ini_enumeration, NextSection, I, F(0), R(0, 1), "moves the section cursor to the next name: 1") \
  X(ini_enumeration, NextSectionW, I, F(0), R(0, 1), "as NextSection on the wide cursor") \
  X(ini_enumeration, GetIniKey, S, EMPTY, ANY, "the key cursor's string up to its first =") \
  X(ini_enumeration, GetIniKeyW, W, EMPTY, ANY, "as GetIniKey on the wide cursor") \
  X(ini_enumeration, GetIniKeyData, S, EMPTY, ANY, "the key cursor's string up to its first TAB") \
  X(ini_enumeration, GetIniKeyDataW, W, EMPTY, ANY, "as GetIniKeyData on the wide cursor") \
  X(ini_enumeration, GetIniKeyValue, S, EMPTY, ANY, "the key cursor's text behind its first = up to its first TAB") \
  X(ini_enumeration, GetIniKeyValueW, W, EMPTY, ANY, "as GetIniKeyValue on the wide cursor") \
  X(ini_enumeration, GetSection, S, EMPTY, ANY, "the section cursor's name") \
  X(ini_enumeration, GetSectionW, W, EMPTY, ANY, "as GetSection on the wide cursor")

#define LMX_INI_WRITE_EXPORTS(X) \
  X(ini_writing, WriteIniNumW, I, F(-1, 0), R(-1, 1), "writes the number (low 32 bits) into a UTF-16LE file, made when missing: 1", (W, file, FILE(259)), (W, section), (W, key), (I, value)) \
  X(ini_writing, WriteIniStrW, I, F(-1, 0), R(-1, 1), "writes the text into a UTF-16LE file, made when missing: 1", (W, file, FILE(259)), (W, section), (W, key), (W, value))

#define LMX_PATH_EXPORTS(X) \
  X(paths, AnalyzeEncoding, I, F(-1), ANY, "the editor's encoding code for the file (a path with a backslash)", (W, path, FILE(32767))) \
  X(paths, GetChangeFileExt, S, EMPTY, ANY, "the path with its extension replaced (the new one with its period)", (S, path, PATH(32767)), (S, extension)) \
  X(paths, GetCompactPath, S, EMPTY, ANY, "the path shortened with an ellipsis to width characters, terminator included", (S, path, PATH(32767)), (I, width)) \
  X(paths, GetExpandPath, S, EMPTY, ANY, "the path with . and .. resolved", (S, path, PATH(32767))) \
  X(paths, GetFileAttr, I, F(-1), R(-1, U32), "the file's attribute bits; 0 for an empty path", (S, path, PATH(32767))) \
  X(paths, GetFileBaseName, S, EMPTY, ANY, "the last component without its extension", (S, path, PATH(32767))) \
  X(paths, GetFileExtention, S, EMPTY, ANY, "the extension with its period, or an empty string", (S, path, PATH(32767))) \
  X(paths, GetFileName, S, EMPTY, ANY, "the last component", (S, path, PATH(32767))) \
  X(paths, GetLongName, S, EMPTY, ANY, "the path spelled with the names stored on disk (long names, stored case)", (S, path, PATH(32767))) \
  X(paths, GetParentFolder, S, EMPTY, ANY, "the path without its last component", (S, path, PATH(32767))) \
  X(paths, GetRelativePathTo, S, EMPTY, ANY, "the relative path from one existing path to another", (S, from, PATH(32767)), (S, to, PATH(32767))) \
  X(paths, GetShortName, S, EMPTY, ANY, "the short (8.3) form of the path", (S, path, PATH(32767))) \
  X(paths, GetSpecialFolder, S, EMPTY, ANY, "a shell folder: 1 favourites, 2 documents, 3 application data, else the desktop", (I, folder)) \
  X(paths, IsDirectory, I, F(0), R(0, 1), "1 for an existing directory", (S, path, PATH(32767))) \
  X(paths, IsFile, I, F(0), R(0, 1), "1 for an existing file that is no directory", (S, path, PATH(32767))) \
  X(paths, IsMatchFileName, I, F(0), R(0, 1), "1 when the name matches the pattern (* and ?)", (S, name, PATH(259)), (S, pattern, PATH(259))) \
  X(paths, IsRelativePath, I, F(0), R(0, 1), "1 for a relative path", (S, path, PATH(32767)))

#define LMX_TEXTFILE_EXPORTS(X) \
  X(text_files, FileOpen, I, F(0), R(0, 10), "opens the file for byte reads and writes with a C mode (r, w, a, +, b, t): handle 1 to 10", (S, path, FILE(32767)), (S, mode)) \
  X(text_files, FileOpenW, I, F(0), R(0, 10), "opens the file in an encoding (UTF8, UTF8BOM, UTF16LE/UNICODE, or none): handle 1 to 10", (W, path, FILE(32767)), (W, mode), (W, encoding)) \
  X(text_files, FileClose, I, NONE, R(1, 1), "closes the handle; always 1", (I, handle)) \
  X(text_files, FileDelete, I, F(0), R(0, 1), "deletes the file: 1", (S, path, PATH(32767))) \
  X(text_files, FileError, I, NONE, R(0, 255), "the error word of the last file call: 2 open failed or slot not open (also IsEncode on code 0), 4 read error, 8 end of file, 16 bad argument, 32 write failed, 128 FileDelete given an empty path (a delete that fails sets none)") \
  X(text_files, IsOpen, I, F(0), R(0, 1), "1 when the handle is open", (I, handle, SLOT)) \
  X(text_files, IsEncode, I, F(-1), R(-1, 4), "how the slot was opened: 1 bytes (FileOpen; a closed slot keeps 1), 2 UTF-8, 3 UTF-8 with mark, 4 UTF-16LE; 0 never opened, or FileOpenW without a known encoding", (I, handle)) \
  X(text_files, IsEof, I, F(0), R(0, 1), "1 when the open stream is at its end", (I, handle, SLOT)) \
  X(text_files, IsFerror, I, F(0), R(0, 1), "1 when the open stream's error indicator is set", (I, handle, SLOT)) \
  X(text_files, RdFile, S, EMPTY, ANY, "the next line with its line feed (byte handles)", (I, handle, SLOT)) \
  X(text_files, RdFile2, S, EMPTY, ANY, "the next line without its line feed (byte handles)", (I, handle, SLOT)) \
  X(text_files, RdFileLine, S, EMPTY, ANY, "the same as RdFile2", (I, handle, SLOT)) \
  X(text_files, RdFileByte, S, EMPTY, ANY, "the next count bytes (fewer at the end of the file; at most 999,999)", (I, handle, SLOT), (I, count)) \
  X(text_files, RdFileW, W, EMPTY, ANY, "the next line with its line feed, decoded", (I, handle, SLOT)) \
  X(text_files, RdFileLineW, W, EMPTY, ANY, "the next line without its line feed, decoded", (I, handle, SLOT)) \
  X(text_files, WrFile, I, F(0), R(0, 1), "writes the text (byte handles): 1", (I, handle, SLOT), (S, text)) \
  X(text_files, WrFileLine, I, F(0), R(0, 1), "writes the text and a line feed unless it ends in one: 1", (I, handle, SLOT), (S, text)) \
  X(text_files, WrFileW, I, F(0), R(0, 1), "writes the text, encoded: 1", (I, handle, SLOT), (W, text)) \
  X(text_files, WrFileLineW, I, F(0), R(0, 1), "writes the text and a line feed unless it ends in one, encoded: 1", (I, handle, SLOT), (W, text))

#define LMX_WINDOW_SEARCH_EXPORTS(X) \
  X(window_search, SearchWindow, I, F(0), ANY, "finds top-level windows of the class (* or empty: any) and caption into the found table; the one met last, or 0. Mode: 1 equal, 3 contains, 5 equal ignoring case, 7 contains ignoring case, +16 invisible windows too", (S, class_name), (S, caption), (I, mode)) \
  X(window_search, GetSearchWindowCount, I, NONE, ANY, "the number of windows the last search stored (at most 256)") \
  X(window_search, GetWindowCount, I, NONE, ANY, "how many found windows NextWindowHandle can still give") \
  X(window_search, NextWindowHandle, I, F(0), ANY, "the next found window, walking back towards the first one met") \
  X(window_search, FINDWINDOW, I, F(0), ANY, "the first child of parent (none: the top-level windows) with the class and caption (empty: any); both empty find nothing", (I, parent), (S, class_name), (S, caption)) \
  X(window_search, FINDWINDOW_EX, I, F(0), ANY, "as FINDWINDOW, searching on behind the child after", (I, parent), (I, child_after), (S, class_name), (S, caption)) \
  X(window_search, NextWindow, I, F(0), ANY, "the window below it in the Z order", (I, window, WINDOW)) \
  X(window_search, NextActiveWindow, I, F(0), R(0, 1), "brings the window below it in the Z order to the foreground: 1", (I, window, WINDOW)) \
  X(window_search, GetActiveWindowHandle, I, F(0), ANY, "the foreground window") \
  X(window_search, GetAncestorWindow, I, F(0), ANY, "the window's parent; none for a top-level window", (I, window, WINDOW)) \
  X(window_search, GetWindowCaption, S, EMPTY, ANY, "the window's caption; empty for none or no window", (I, window, WINDOW)) \
  X(window_search, GetWindowClass, S, EMPTY, ANY, "the window's class name; empty for no window", (I, window, WINDOW))

#define LMX_WINDOW_GEOMETRY_EXPORTS(X) \
  X(window_geometry, GetWindowRect_Left, I, F(-1), ANY, "left edge of the window rectangle on the screen", (I, window, WINDOW)) \
  X(window_geometry, GetWindowRect_Top, I, F(-1), ANY, "top edge of the window rectangle", (I, window, WINDOW)) \
  X(window_geometry, GetWindowRect_Right, I, F(-1), ANY, "right edge of the window rectangle", (I, window, WINDOW)) \
  X(window_geometry, GetWindowRect_Bottom, I, F(-1), ANY, "bottom edge of the window rectangle", (I, window, WINDOW)) \
  X(window_geometry, GetClientRect_Left, I, F(-1), ANY, "left edge of the client area (0)", (I, window, WINDOW)) \
  X(window_geometry, GetClientRect_Top, I, F(-1), ANY, "top edge of the client area (0)", (I, window, WINDOW)) \
  X(window_geometry, GetClientRect_Right, I, F(-1), ANY, "width of the client area", (I, window, WINDOW)) \
  X(window_geometry, GetClientRect_Bottom, I, F(-1), ANY, "height of the client area", (I, window, WINDOW)) \
  X(window_geometry, DwmGetWindowRect_Left, I, F(-1), ANY, "left edge of the visible frame", (I, window, WINDOW)) \
  X(window_geometry, DwmGetWindowRect_Top, I, F(-1), ANY, "top edge of the visible frame", (I, window, WINDOW)) \
  X(window_geometry, DwmGetWindowRect_Right, I, F(-1), ANY, "right edge of the visible frame", (I, window, WINDOW)) \
  X(window_geometry, DwmGetWindowRect_Bottom, I, F(-1), ANY, "bottom edge of the visible frame", (I, window, WINDOW)) \
  X(window_geometry, GetWindowRectAll, I, F(0), R(0, 1), "has the editor set the numeric array name[0..3] to top, left, right, bottom of the window rectangle: 1", (I, window, WINDOW), (W, name)) \
  X(window_geometry, DwmGetWindowRectAll, I, F(0), R(0, 1), "as GetWindowRectAll with the visible frame", (I, window, WINDOW), (W, name)) \
  X(window_geometry, MOVEWINDOW, I, F(0), R(0, 1), "moves and sizes the window rectangle: 1", (I, window, WINDOW), (I, x), (I, y), (I, width), (I, height)) \
  X(window_geometry, DwmMoveWindow, I, F(0), R(0, 1), "moves and sizes the window so that its visible frame gets the place (the window rectangle without composition): 1", (I, window, WINDOW), (I, x), (I, y), (I, width), (I, height)) \
  X(window_geometry, ScreenToClient_X, I, F(-1), ANY, "x of the screen point in the window's client coordinates", (I, window), (I, x), (I, y)) \
  X(window_geometry, ScreenToClient_Y, I, F(-1), ANY, "y of the screen point in the window's client coordinates", (I, window), (I, x), (I, y)) \
  X(window_geometry, GetWindowState, I, F(-1), ANY, "0 hidden, 1 normal, 2 minimised, 3 maximised", (I, window, WINDOW)) \
  X(window_geometry, SetWindowState, I, F(0), R(0, 1), "sets the show state (hidden, normal, minimised, maximised: 0 to 3) through the window's placement: 1", (I, window, WINDOW), (I, state)) \
  X(window_geometry, ActiveWindow, I, F(0), R(0, 1), "brings the window to the foreground: 1", (I, window, WINDOW)) \
  X(window_geometry, ActiveWindow2, I, F(0), R(0, 1), "brings the window to the foreground, joining the foreground thread's input for the span of the call; 1 when it is the foreground window then", (I, ignored), (I, window, WINDOW)) \
  X(window_geometry, TopWindow, I, F(0), R(0, 1), "makes the window always on top (topmost non-zero) or not, activating it when activate is non-zero: 1", (I, window, WINDOW), (I, topmost), (I, activate)) \
  X(window_geometry, BottomWindow, I, F(0), R(0, 1), "puts the window at the bottom of the Z order, activating it when activate is non-zero: 1", (I, window, WINDOW), (I, activate)) \
  X(window_geometry, IsTopWindow, I, F(0), R(0, 1), "1 when the window is always on top", (I, window, WINDOW))
#define LMX_PROCESS_EXPORTS(X) \
  X(processes, GetStdout, S, EMPTY, ANY, "runs the command hidden with the input line (and CR LF): all it wrote to stdout and stderr, without zero bytes, at most 999,999 bytes", (S, command), (S, input)) \
  X(processes, GetExitCode, I, F(-1), R(-1, U32), "the exit code (0 to 4294967295) of the child that the last GetStdout ran") \
  X(processes, RUNSYNC, I, ARGS, ANY, "runs the command with a show state (0-10; 5, 9 and others show normally) and waits: its exit code, or failure when not started", (S, command), (I, failure), (I, show))
#define LMX_DESKTOP_EXPORTS(X) \
  X(desktop, SendKeyPress, I, F(0), R(0, 1), "strikes the virtual key with modifiers (1 Shift, 2 Control, 4 Alt): 1", (I, key), (I, modifiers)) \
  X(desktop, GetClipboardDSPTEXT, S, EMPTY, ANY, "the clipboard's display text (CF_DSPTEXT), the clipboard opened by the window; the empty result when there is none", (I, opener)) \
  X(desktop, GetClipboardOwnerHandle, I, F(0), ANY, "the window that owns the clipboard") \
  X(desktop, GetFileNameFromHwnd, S, EMPTY, ANY, "the full path of the executable of the window's process; empty when it cannot be read", (I, window, WINDOW)) \
  X(desktop, OpenHtmlHelp, I, F(0), R(0, 1), "opens the HTML Help file at the keywords (separated by ;): 1", (S, help_file, FILE(259)), (S, keywords))
#define LMX_REGEX_BRIDGE_EXPORTS(X) \
  X(regex_bridge, hmjre_load, I, F(0), R(0, 1), "loads HMJRE.DLL by name (empty: the last one), else through the editor's registry values: 1", (S, file_name, PATH(32767))) \
  X(regex_bridge, hmjre_free, I, NONE, R(1, 1), "closes the match context and unloads HMJRE.DLL; always 1") \
  X(regex_bridge, hmjre_match, I, F(-1, 0), R(-1, 1), "matches the pattern from start; option 1 ignores case: 1 for a match", (S, subject), (S, pattern), (I, option), (I, start)) \
  X(regex_bridge, hmjre_match_info, I, F(-1), ANY, "the last match's length or position by a leading part of length or position", (S, which)) \
  X(regex_bridge, hmjre_match_string, S, EMPTY, ANY, "the text of the last match, as the subject spells it") \
  X(regex_bridge, hmjre_match_tag_string, S, EMPTY, ANY, "the text of tag group 1 to 9 of the last match; empty when none", (I, tag)) \
  X(regex_bridge, hmjre_version, S, EMPTY, ANY, "HMJRE.DLL's version in hexadecimal (loads it when needed); empty when not loadable")
#define LMX_SPELL_BRIDGE_EXPORTS(X) \
  X(spell_bridge, hunspell_load, I, F(0), R(0, 1), "loads Hunspell by file name (empty: libhunspell.dll): 1", (S, file_name, FILE(32767))) \
  X(spell_bridge, hunspell_free, I, NONE, R(1, 1), "destroys the instance and unloads Hunspell; always 1") \
  X(spell_bridge, hunspell_getmodulefilename, S, EMPTY, ANY, "the loaded Hunspell library's full path, or the empty result") \
  X(spell_bridge, hunspell_Create, I, F(0), R(0, 1), "makes the instance from a .dic, a .aff or a base name (and the affix file, when given)", (S, dictionary, FILE(515)), (S, affix, FILE(515))) \
  X(spell_bridge, hunspell_SetDictionary, I, F(0), R(0, 1), "as hunspell_Create with no affix file", (S, dictionary, FILE(515))) \
  X(spell_bridge, hunspell_AddDictionary, I, F(-1, 0), R(-1, 1), "adds a further dictionary file: 1", (S, path, FILE(32767))) \
  X(spell_bridge, hunspell_Spell, I, F(-1), R(-1, MAX), "Hunspell's verdict on the word (non-zero: correct)", (S, word)) \
  X(spell_bridge, hunspell_SpellW, I, F(-1), R(-1, MAX), "as hunspell_Spell on the word as UTF-8", (W, word)) \
  X(spell_bridge, hunspell_Suggest, I, F(-1), R(-1, MAX), "lists suggestions for the word: their number", (S, word)) \
  X(spell_bridge, hunspell_SuggestW, I, F(-1), R(-1, MAX), "as hunspell_Suggest on the word as UTF-8", (W, word)) \
  X(spell_bridge, hunspell_SuggestList, S, EMPTY, ANY, "the suggestion at index (from 0) of the last hunspell_Suggest, or the empty result", (I, index)) \
  X(spell_bridge, hunspell_SuggestListW, W, EMPTY, ANY, "as hunspell_SuggestList, converted from UTF-8", (I, index)) \
  X(spell_bridge, hunspell_Add, I, F(-1, 0), R(-1, 1), "adds a run-time word: 1", (S, word)) \
  X(spell_bridge, hunspell_AddW, I, F(-1, 0), R(-1, 1), "as hunspell_Add on the word as UTF-8", (W, word)) \
  X(spell_bridge, hunspell_Remove, I, F(0), R(0, 1), "removes a run-time word: 1", (S, word)) \
  X(spell_bridge, hunspell_RemoveW, I, F(-1, 0), R(-1, 1), "as hunspell_Remove on the word as UTF-8", (W, word)) \
  X(spell_bridge, hunspell_Get_Dic_Encoding, S, EMPTY, ANY, "the dictionary's encoding name (UTF-8, ISO8859-1, ...), or the empty result") \
  X(spell_bridge, hunspell_GetVersion, S, EMPTY, ANY, "libhunspell.dll Version.<the engine's version>, or the empty result when it has none") \
  X(spell_bridge, hunspell_errormessage, S, EMPTY, ANY, "the message of the last failure of the spell bridge")
#define LMX_MECAB_BRIDGE_EXPORTS(X) \
  X(mecab_bridge, mecab_load, I, F(0), R(0, 1), "loads MeCab by file name (empty: libmecab.dll)", (S, file_name, FILE(32767))) \
  X(mecab_bridge, mecab_free, I, NONE, R(1, 1), "unloads MeCab; always 1") \
  X(mecab_bridge, mecab_getmodulefilename, S, EMPTY, ANY, "the loaded MeCab library's full path, or the empty result") \
  X(mecab_bridge, mecab, S, EMPTY, ANY, "MeCab's analysis of the text under the options (bytes as the dictionary expects), or the empty result", (S, options), (S, text)) \
  X(mecab_bridge, mecab_getyomi, S, EMPTY, ANY, "as mecab with -O yomi: the reading", (S, options), (S, text)) \
  X(mecab_bridge, mecab_wakati, S, EMPTY, ANY, "as mecab with -O wakati: the words split by spaces", (S, options), (S, text)) \
  X(mecab_bridge, mecab_nbest, S, EMPTY, ANY, "as mecab with -l1: the n best analyses", (S, options), (S, text), (I, n)) \
  X(mecab_bridge, mecab_version, S, EMPTY, ANY, "MeCab's version text, or the empty result") \
  X(mecab_bridge, mecab_error, I, NONE, ANY, "the code of the last MeCab call: 0 none, 1 options too long, 2 no text, 3 not loaded, 4 analysis failed, 5 export missing, 7 options refused") \
  X(mecab_bridge, mecab_errormessage, S, EMPTY, ANY, "the code's message; code 7's says to name the dictionary with -d, then gives MeCab's own explanation, or why the options were kept from MeCab") \
  X(mecab_bridge, mecab_getstrerror, S, EMPTY, ANY, "MeCab's own explanation of the last failed analysis (code 4) or refused options (code 7), or why the options were kept from MeCab (partial mode, more than 63 words, a settings file that is a device); empty after a success")
#define LMX_NKF_BRIDGE_EXPORTS(X) \
  X(nkf_bridge, nkf_load, I, F(0), R(0, 1), "loads NKF32.DLL (empty: NKF32.DLL) at the interface level its version gives: 1", (S, file_name, FILE(32767))) \
  X(nkf_bridge, nkf_free, I, NONE, R(1, 1), "unloads NKF32.DLL; always 1") \
  X(nkf_bridge, nkf_getmodulefilename, S, EMPTY, ANY, "the full path of the loaded NKF32.DLL; empty when none") \
  X(nkf_bridge, nkf_exec, S, EMPTY, ANY, "the text converted with the nkf options; empty on failure (see nkf_error)", (S, options), (S, text)) \
  X(nkf_bridge, nkf_tohankaku, S, EMPTY, ANY, "the text with full-width letters made half-width (nkf -ZSs)", (S, text)) \
  X(nkf_bridge, nkf_tozenkakukana, S, EMPTY, ANY, "the text with half-width kana made full-width (nkf -Ss)", (S, text)) \
  X(nkf_bridge, nkf_tomime, S, EMPTY, ANY, "the text MIME-encoded as ISO-2022-JP (nkf -jM)", (S, text)) \
  X(nkf_bridge, nkf_fileconvert1, I, F(0), R(0, 1), "converts the file in place with the options: 1 when run", (S, path, FILE(259)), (S, options)) \
  X(nkf_bridge, nkf_fileconvert2, I, F(0), R(0, 1), "converts input into a new output file (never overwritten): 1 when run", (S, input, FILE(259)), (S, output, FILE(259)), (S, options)) \
  X(nkf_bridge, nkf_getguess, S, EMPTY, ANY, "nkf's guess of the last input's code (newest NKF32.DLL only)") \
  X(nkf_bridge, nkf_getkanjicode, I, F(-1), ANY, "the code of the last input as NKF32.DLL numbers it") \
  X(nkf_bridge, nkf_version, S, EMPTY, ANY, "NKF32.DLL's version text") \
  X(nkf_bridge, nkf_error, I, NONE, ANY, "the error code of the last NKF call (0 none)") \
  X(nkf_bridge, nkf_errormessage, S, EMPTY, ANY, "the message of that code")
#define LMX_EDITORCONFIG_EXPORTS(X) \
  X(editorconfig, EditorConfigExecute, I, F(-1), R(-1, MAX), "finds the .editorconfig properties of the file (a full path): their number", (S, path, PATH(32767))) \
  X(editorconfig, EditorConfigExecuteW, I, F(-1), R(-1, MAX), "as EditorConfigExecute for a UTF-16 path", (W, path, PATH(32767))) \
  X(editorconfig, EditorConfigGetKey, S, EMPTY, ANY, "the name of the property at index, as UTF-8; empty out of range", (I, index)) \
  X(editorconfig, EditorConfigGetValue, S, EMPTY, ANY, "the value of the property at index, as UTF-8; empty out of range", (I, index)) \
  X(editorconfig, EditorConfigClear, I, NONE, R(1, 1), "forgets the properties of the last query; always 1") \
  X(editorconfig, EditorConfigErrorMessage, S, EMPTY, ANY, "the message of the last failed query (the core library's, e.g. Failed to parse file.)") \
  X(editorconfig, EditorConfigGetVersionStr, S, EMPTY, ANY, "the linked core library's version (EditorConfig C Core Version 0.12.6)") \
  X(editorconfig, EditorConfigGetPcreVersionStr, S, EMPTY, ANY, "the linked PCRE2's version (EditorConfig:pcre2 library version 10.42 2022-12-11)")

#define LMX_ALL_EXPORTS(X) \
  LMX_FRAME_EXPORTS(X) \
  LMX_CONVERSION_EXPORTS(X) \
  LMX_STRING_SEARCH_EXPORTS(X) \
  LMX_STRING_EDITING_EXPORTS(X) \
  LMX_TRIM_EXPORTS(X) \
  LMX_KANJI_EXPORTS(X) \
  LMX_SIZE_EXPORTS(X) \
  LMX_TIME_EXPORTS(X) \
  LMX_URL_EXPORTS(X) \
  LMX_INI_LOOKUP_EXPORTS(X) \
  LMX_INI_CURSOR_EXPORTS(X) \
  LMX_INI_WRITE_EXPORTS(X) \
  LMX_PATH_EXPORTS(X) \
  LMX_TEXTFILE_EXPORTS(X) \
  LMX_WINDOW_SEARCH_EXPORTS(X) \
  LMX_WINDOW_GEOMETRY_EXPORTS(X) \
  LMX_PROCESS_EXPORTS(X) \
  LMX_DESKTOP_EXPORTS(X) \
  LMX_REGEX_BRIDGE_EXPORTS(X) \
  LMX_SPELL_BRIDGE_EXPORTS(X) \
  LMX_MECAB_BRIDGE_EXPORTS(X) \
  LMX_NKF_BRIDGE_EXPORTS(X) \
  LMX_EDITORCONFIG_EXPORTS(X)

#define LMX_UNTWINNED(N) N(GetResultW) N(UrlEncodeW)

// --- helpers for the consumers of the table -------------------------------

#define LMX_TYPE_I intptr_t
#define LMX_TYPE_S const char*
#define LMX_TYPE_W const wchar_t*

#define LMX_CAT_(a, b) a##b
#define LMX_CAT(a, b) LMX_CAT_(a, b)
#define LMX_COUNT_(_1, _2, _3, _4, _5, _6, _7, _8, n, ...) n
#define LMX_COUNT(...) LMX_COUNT_(__VA_ARGS__ __VA_OPT__(, ) 8, 7, 6, 5, 4, 3, 2, 1, 0)

// LMX_MAP(m, sep, arguments...) applies m to each (kind, name[, mark]).
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
#define LMX_PARAM_(kind, name, ...) LMX_TYPE_##kind name
#define LMX_KIND_(kind, name, ...) #kind
#define LMX_ARGNAME_(kind, name, ...) #name

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
