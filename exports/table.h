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

#define LMX_STRING_SEARCH_EXPORTS(X) \
  X(string_search, InStr, I, "offset of the first occurrence at or after start that begins on a character, or -1", (I, start), (S, text), (S, search)) \
  X(string_search, InStrEx, I, "as InStr; mode 1 folds ASCII and full-width letters, 2 ASCII only, 3 full-width only", (I, start), (S, text), (S, search), (I, mode)) \
  X(string_search, InStrRev, I, "offset of the last occurrence that begins on a character, or -1", (S, text), (S, search)) \
  X(string_search, InStrRevEx, I, "as InStrRev with the folds of InStrEx's mode", (S, text), (S, search), (I, mode)) \
  X(string_search, GetStrSpn, I, "offset of the first character not in the set, or -1 (none, or bad arguments)", (S, text), (S, set)) \
  X(string_search, GetStrCSpn, I, "offset of the first character in the set, or -1", (S, text), (S, set))

#define LMX_STRING_EDITING_EXPORTS(X) \
  X(string_editing, Replace, S, "the text with the first count occurrences replaced (-1 all, 0 none)", (S, text), (S, search), (S, replacement), (I, count)) \
  X(string_editing, DeleteStr, S, "the text without count bytes from position (a position inside a character moves past it)", (S, text), (I, position), (I, count)) \
  X(string_editing, InsertStr, S, "the text with the insertion at position (a position inside a character moves past it)", (S, text), (I, position), (S, insertion)) \
  X(string_editing, String, S, "the text's first character, count times", (I, count), (S, text)) \
  X(string_editing, Strings, S, "the whole text, count times", (I, count), (S, text)) \
  X(string_editing, UpperStr, S, "the text upper-cased; mode 0 ASCII and full-width letters, 1 ASCII, 2 full-width", (S, text), (I, mode)) \
  X(string_editing, LowerStr, S, "the text lower-cased; modes as UpperStr", (S, text), (I, mode))

#define LMX_TRIM_EXPORTS(X) \
  X(trimming, Trim, S, "the text without leading and trailing white space (full-width space included)", (S, text)) \
  X(trimming, LTrim, S, "the text without leading white space", (S, text)) \
  X(trimming, RTrim, S, "the text without trailing white space", (S, text)) \
  X(trimming, TrimStr, S, "the text without the leading and trailing characters of the set", (S, text), (S, set)) \
  X(trimming, LeftJust, S, "the text padded with spaces on the right to width bytes (at most 1024; never cut)", (S, text), (I, width)) \
  X(trimming, RightJust, S, "the text padded with spaces on the left to width bytes (at most 1024; never cut)", (S, text), (I, width)) \
  X(trimming, Centor, S, "the text centred in width bytes, the odd space on the left (at most 1024; never cut)", (S, text), (I, width))

#define LMX_KANJI_EXPORTS(X) \
  X(kanji, NumToKanji, S, "the number in kanji: mode 1 the numeral form (二千二十六), else one kanji a digit (二〇二六)", (I, number), (I, mode)) \
  X(kanji, NumStringToKanji, S, "a string of decimal digits in kanji, modes as NumToKanji (the numeral form up to 72 digits)", (S, digits), (I, mode))

#define LMX_SIZE_EXPORTS(X) \
  X(size, GetSizeStr, S, "the size number of the file (1.5); an empty path gives that of the last query", (S, path)) \
  X(size, GetUnitStr, S, "the size unit of the file (bytes, KB, MB, GB, TB); an empty path gives that of the last query", (S, path)) \
  X(size, GetFileSizeStr, S, "the file's size as text, the number padded to 5 (  1.5 MB)", (S, path)) \
  X(size, GetFileSizeByte, I, "the file's size in bytes, or -1 when nothing matches", (S, path))

#define LMX_TIME_EXPORTS(X) \
  X(time, TimeFormat, S, "the time formatted by strftime directives plus %k (kanji), %kA %ka %kB %kp and their # forms", (S, format)) \
  X(time, SetTime, I, "fixes the moment that TimeFormat shows; always 1", (I, year), (I, month), (I, day), (I, hour), (I, minute), (I, second)) \
  X(time, ResetTime, I, "lets TimeFormat show the clock again; always 1") \
  X(time, Wait, I, "sleeps that many milliseconds and gives 1; -1 at once for a negative count", (I, milliseconds))

#define LMX_URL_EXPORTS(X) \
  X(url, UrlEncode, S, "the text percent-encoded: double-byte characters always, mode 1 spaces too, mode 2 the unsafe characters", (S, text), (I, mode)) \
  X(url, UrlEncodeW, W, "the text as UTF-8, percent-encoded but for plain ASCII (all non-zero: every byte)", (W, text), (I, all)) \
  X(url, UrlDecode, S, "the text with %XX escapes turned into bytes", (S, text)) \
  X(url, URLExchange, S, "the URL canonicalised by the system; option bits 1 spaces only, 2 browser mode, 4 no meta, 8 no encode, 16 decode", (S, url), (I, options))

#define LMX_INI_LOOKUP_EXPORTS(X) \
  X(ini_lookups, ReadSectionKeys, I, "loads the section's entries (those with =); their number, or -1", (S, file), (S, section)) \
  X(ini_lookups, ReadSectionKeysW, I, "as ReadSectionKeys for a UTF-16LE file (FF FE); other files give -1", (W, file), (W, section)) \
  X(ini_lookups, ReadSectionNames, I, "loads the file's section names; their number, or -1", (S, file)) \
  X(ini_lookups, ReadSectionNamesW, I, "as ReadSectionNames for a UTF-16LE file", (W, file)) \
  X(ini_lookups, ExistKey, I, "index of the first loaded entry key=..., ignoring case; -1 none, -2 nothing loaded", (S, key)) \
  X(ini_lookups, ExistKeyW, I, "as ExistKey on the wide list", (W, key)) \
  X(ini_lookups, ExistSection, I, "index of the loaded section name, ignoring ASCII case; -1 none, -2 nothing loaded", (S, name)) \
  X(ini_lookups, ExistSectionW, I, "as ExistSection on the wide list", (W, name)) \
  X(ini_lookups, GetKeyValue, S, "the value of the entry at index: behind =, cut at a TAB, trailing white space gone", (I, index)) \
  X(ini_lookups, GetKeyValueW, W, "as GetKeyValue on the wide list", (I, index)) \
  X(ini_lookups, GetSectionName, S, "the section name at index", (I, index)) \
  X(ini_lookups, GetSectionNameW, W, "as GetSectionName on the wide list", (I, index)) \
  X(ini_lookups, GetIniNumW, I, "the key's value as a number from a UTF-16LE file, or 0", (W, file), (W, section), (W, key)) \
  X(ini_lookups, GetIniStrW, W, "the key's value from a UTF-16LE file, or the empty result", (W, file), (W, section), (W, key)) \
  X(ini_lookups, IsUTF16LE, I, "1 when the file begins with FF FE, 2 with EF BB BF, else 0", (W, file)) \
  X(ini_lookups, IsBOM, I, "the same as IsUTF16LE", (W, file))

#define LMX_INI_CURSOR_EXPORTS(X) \
  X(ini_enumeration, NextKey, I, "moves the key cursor to the next string of the loaded section: 1, or 0 at the end") \
  X(ini_enumeration, NextKeyW, I, "as NextKey on the wide cursor") \
  X(ini_enumeration, NextSection, I, "moves the section cursor to the next name: 1, or 0 at the end") \
  X(ini_enumeration, NextSectionW, I, "as NextSection on the wide cursor") \
  X(ini_enumeration, GetIniKey, S, "the key cursor's string up to its first =") \
  X(ini_enumeration, GetIniKeyW, W, "as GetIniKey on the wide cursor") \
  X(ini_enumeration, GetIniKeyData, S, "the key cursor's string up to its first TAB") \
  X(ini_enumeration, GetIniKeyDataW, W, "as GetIniKeyData on the wide cursor") \
  X(ini_enumeration, GetIniKeyValue, S, "the key cursor's text behind its first = up to its first TAB") \
  X(ini_enumeration, GetIniKeyValueW, W, "as GetIniKeyValue on the wide cursor") \
  X(ini_enumeration, GetSection, S, "the section cursor's name") \
  X(ini_enumeration, GetSectionW, W, "as GetSection on the wide cursor")

#define LMX_INI_WRITE_EXPORTS(X) \
  X(ini_writing, WriteIniNumW, I, "writes the number (low 32 bits) into a UTF-16LE file, made when missing: 1, 0, or -1 refused", (W, file), (W, section), (W, key), (I, value)) \
  X(ini_writing, WriteIniStrW, I, "writes the text into a UTF-16LE file, made when missing: 1, 0, or -1 refused", (W, file), (W, section), (W, key), (W, value))

#define LMX_PATH_EXPORTS(X) \
  X(paths, AnalyzeEncoding, I, "the editor's encoding code for the file (a path with a backslash), or -1", (W, path)) \
  X(paths, GetChangeFileExt, S, "the path with its extension replaced (the new one with its period)", (S, path), (S, extension)) \
  X(paths, GetCompactPath, S, "the path shortened with an ellipsis to width characters, terminator included", (S, path), (I, width)) \
  X(paths, GetExpandPath, S, "the path with . and .. resolved", (S, path)) \
  X(paths, GetFileAttr, I, "the file's attribute bits; -1 when unreadable, 0 for an empty path", (S, path)) \
  X(paths, GetFileBaseName, S, "the last component without its extension", (S, path)) \
  X(paths, GetFileExtention, S, "the extension with its period, or an empty string", (S, path)) \
  X(paths, GetFileName, S, "the last component", (S, path)) \
  X(paths, GetLongName, S, "the path spelled with the names stored on disk (long names, stored case)", (S, path)) \
  X(paths, GetParentFolder, S, "the path without its last component", (S, path)) \
  X(paths, GetRelativePathTo, S, "the relative path from one existing path to another", (S, from), (S, to)) \
  X(paths, GetShortName, S, "the short (8.3) form of the path", (S, path)) \
  X(paths, GetSpecialFolder, S, "a shell folder: 1 favourites, 2 documents, 3 application data, else the desktop", (I, folder)) \
  X(paths, IsDirectory, I, "1 for an existing directory, else 0", (S, path)) \
  X(paths, IsFile, I, "1 for an existing file that is no directory, else 0", (S, path)) \
  X(paths, IsMatchFileName, I, "1 when the name matches the pattern (* and ?), else 0", (S, name), (S, pattern)) \
  X(paths, IsRelativePath, I, "1 for a relative path, else 0", (S, path))

#define LMX_TEXTFILE_EXPORTS(X) \
  X(text_files, FileOpen, I, "opens the file for byte reads and writes with a C mode (r, w, a, +, b, t): handle 1 to 10, or 0", (S, path), (S, mode)) \
  X(text_files, FileOpenW, I, "opens the file in an encoding (UTF8, UTF8BOM, UTF16LE/UNICODE, or none): handle 1 to 10, or 0", (W, path), (W, mode), (W, encoding)) \
  X(text_files, FileClose, I, "closes the handle; always 1", (I, handle)) \
  X(text_files, FileDelete, I, "deletes the file: 1, or 0", (S, path)) \
  X(text_files, FileError, I, "the error word: 2 open/slot, 4 read error, 8 end of file, 16 bad argument, 32 write, 128 delete") \
  X(text_files, IsOpen, I, "1 when the handle is open, else 0", (I, handle)) \
  X(text_files, IsEncode, I, "how the handle was opened: 1 bytes, 2 UTF-8, 3 UTF-8 with mark, 4 UTF-16LE; 0 none, -1 bad handle", (I, handle)) \
  X(text_files, IsEof, I, "1 when the open stream is at its end, else 0", (I, handle)) \
  X(text_files, IsFerror, I, "1 when the open stream's error indicator is set, else 0", (I, handle)) \
  X(text_files, RdFile, S, "the next line with its line feed (byte handles)", (I, handle)) \
  X(text_files, RdFile2, S, "the next line without its line feed (byte handles)", (I, handle)) \
  X(text_files, RdFileLine, S, "the same as RdFile2", (I, handle)) \
  X(text_files, RdFileByte, S, "the next count bytes (fewer at the end of the file; at most 999,999)", (I, handle), (I, count)) \
  X(text_files, RdFileW, W, "the next line with its line feed, decoded", (I, handle)) \
  X(text_files, RdFileLineW, W, "the next line without its line feed, decoded", (I, handle)) \
  X(text_files, WrFile, I, "writes the text (byte handles): 1, or 0", (I, handle), (S, text)) \
  X(text_files, WrFileLine, I, "writes the text and a line feed unless it ends in one: 1, or 0", (I, handle), (S, text)) \
  X(text_files, WrFileW, I, "writes the text, encoded: 1, or 0", (I, handle), (W, text)) \
  X(text_files, WrFileLineW, I, "writes the text and a line feed unless it ends in one, encoded: 1, or 0", (I, handle), (W, text))

// The families of this round; each is filled in where it is built.
#define LMX_WINDOW_SEARCH_EXPORTS(X) \
  X(window_search, SearchWindow, I, "finds top-level windows of the class (* or empty: any) and caption into the found table; the one met last, or 0. Mode: 1 equal, 3 contains, 5 equal ignoring case, 7 contains ignoring case, +16 invisible windows too", (S, class_name), (S, caption), (I, mode)) \
  X(window_search, GetSearchWindowCount, I, "the number of windows the last search stored (at most 256)") \
  X(window_search, GetWindowCount, I, "how many found windows NextWindowHandle can still give") \
  X(window_search, NextWindowHandle, I, "the next found window, walking back towards the first one met; 0 after it") \
  X(window_search, FINDWINDOW, I, "the first child of parent (0: top-level) with the class and caption (empty: any); 0 when both are empty", (I, parent), (S, class_name), (S, caption)) \
  X(window_search, FINDWINDOW_EX, I, "as FINDWINDOW, searching on behind the child after", (I, parent), (I, child_after), (S, class_name), (S, caption)) \
  X(window_search, NextWindow, I, "the window below it in the Z order, or 0", (I, window)) \
  X(window_search, NextActiveWindow, I, "brings the window below it in the Z order to the foreground: 1, or 0", (I, window)) \
  X(window_search, GetActiveWindowHandle, I, "the foreground window, or 0") \
  X(window_search, GetAncestorWindow, I, "the window's parent; 0 for a top-level window", (I, window)) \
  X(window_search, GetWindowCaption, S, "the window's caption; empty for none or no window", (I, window)) \
  X(window_search, GetWindowClass, S, "the window's class name; empty for no window", (I, window))

#define LMX_WINDOW_GEOMETRY_EXPORTS(X) \
  X(window_geometry, GetWindowRect_Left, I, "left edge of the window rectangle on the screen, or -1", (I, window)) \
  X(window_geometry, GetWindowRect_Top, I, "top edge of the window rectangle, or -1", (I, window)) \
  X(window_geometry, GetWindowRect_Right, I, "right edge of the window rectangle, or -1", (I, window)) \
  X(window_geometry, GetWindowRect_Bottom, I, "bottom edge of the window rectangle, or -1", (I, window)) \
  X(window_geometry, GetClientRect_Left, I, "left edge of the client area (0), or -1", (I, window)) \
  X(window_geometry, GetClientRect_Top, I, "top edge of the client area (0), or -1", (I, window)) \
  X(window_geometry, GetClientRect_Right, I, "width of the client area, or -1", (I, window)) \
  X(window_geometry, GetClientRect_Bottom, I, "height of the client area, or -1", (I, window)) \
  X(window_geometry, DwmGetWindowRect_Left, I, "left edge of the visible frame; -1 without desktop composition", (I, window)) \
  X(window_geometry, DwmGetWindowRect_Top, I, "top edge of the visible frame; -1 without desktop composition", (I, window)) \
  X(window_geometry, DwmGetWindowRect_Right, I, "right edge of the visible frame; -1 without desktop composition", (I, window)) \
  X(window_geometry, DwmGetWindowRect_Bottom, I, "bottom edge of the visible frame; -1 without desktop composition", (I, window)) \
  X(window_geometry, GetWindowRectAll, I, "has the editor set the numeric array name[0..3] to top, left, right, bottom of the window rectangle: 1, or 0 (also for a $, empty or unsafe name)", (I, window), (W, name)) \
  X(window_geometry, DwmGetWindowRectAll, I, "as GetWindowRectAll with the visible frame; 0 without desktop composition", (I, window), (W, name)) \
  X(window_geometry, MOVEWINDOW, I, "moves and sizes the window rectangle: 1, or 0", (I, window), (I, x), (I, y), (I, width), (I, height)) \
  X(window_geometry, DwmMoveWindow, I, "moves and sizes the window so that its visible frame gets the place (the window rectangle without composition): 1, or 0", (I, window), (I, x), (I, y), (I, width), (I, height)) \
  X(window_geometry, ScreenToClient_X, I, "x of the screen point in the window's client coordinates, or -1", (I, window), (I, x), (I, y)) \
  X(window_geometry, ScreenToClient_Y, I, "y of the screen point in the window's client coordinates, or -1", (I, window), (I, x), (I, y)) \
  X(window_geometry, GetWindowState, I, "0 hidden, 1 normal, 2 minimised, 3 maximised; -1 for no window", (I, window)) \
  X(window_geometry, SetWindowState, I, "sets the show state 0 to 3 through the window's placement: 1, or 0 (other states refused)", (I, window), (I, state)) \
  X(window_geometry, ActiveWindow, I, "brings the window to the foreground: 1, or 0", (I, window)) \
  X(window_geometry, ActiveWindow2, I, "brings the window to the foreground, joining the foreground thread's input for the span of the call; 1 when it is the foreground window then", (I, ignored), (I, window)) \
  X(window_geometry, TopWindow, I, "makes the window always on top (topmost non-zero) or not, activating it when activate is non-zero: 1, or 0", (I, window), (I, topmost), (I, activate)) \
  X(window_geometry, BottomWindow, I, "puts the window at the bottom of the Z order, activating it when activate is non-zero: 1, or 0", (I, window), (I, activate)) \
  X(window_geometry, IsTopWindow, I, "1 when the window is always on top, else 0", (I, window))
#define LMX_PROCESS_EXPORTS(X) \
  X(processes, GetStdout, S, "runs the command hidden with the input line (and CR LF): all it wrote to stdout and stderr, without zero bytes, at most 999,999 bytes", (S, command), (S, input)) \
  X(processes, GetExitCode, I, "the exit code (0 to 4294967295) of the child that the last GetStdout ran; -1 when it ran none") \
  X(processes, RUNSYNC, I, "runs the command with a show state (0-10; 5, 9 and others show normally) and waits: its exit code, or failure when not started", (S, command), (I, failure), (I, show))
#define LMX_DESKTOP_EXPORTS(X) \
  X(desktop, SendKeyPress, I, "strikes the virtual key with modifiers (1 Shift, 2 Control, 4 Alt): 1, or 0 for a key over 255 or modifiers over 7", (I, key), (I, modifiers)) \
  X(desktop, GetClipboardDSPTEXT, S, "the clipboard's display text (CF_DSPTEXT), the clipboard opened by the window; the empty result when there is none", (I, opener)) \
  X(desktop, GetClipboardOwnerHandle, I, "the window that owns the clipboard, or 0") \
  X(desktop, GetFileNameFromHwnd, S, "the full path of the executable of the window's process; empty when it cannot be read", (I, window)) \
  X(desktop, OpenHtmlHelp, I, "opens the HTML Help file at the keywords (separated by ;): 1, or 0", (S, help_file), (S, keywords))
#define LMX_REGEX_BRIDGE_EXPORTS(X) \
  X(regex_bridge, hmjre_load, I, "loads HMJRE.DLL by name (empty: the last one), else through the editor's registry values: 1, or 0", (S, file_name)) \
  X(regex_bridge, hmjre_free, I, "closes the match context and unloads HMJRE.DLL; always 1") \
  X(regex_bridge, hmjre_match, I, "matches the pattern from start (out of range: 0); option 1 ignores case: 1 match, 0 none, -1 error", (S, subject), (S, pattern), (I, option), (I, start)) \
  X(regex_bridge, hmjre_match_info, I, "the last match's length or position by a leading part of length or position; else -1", (S, which)) \
  X(regex_bridge, hmjre_match_string, S, "the text of the last match, as the subject spells it") \
  X(regex_bridge, hmjre_match_tag_string, S, "the text of tag group 1 to 9 of the last match; empty when none", (I, tag)) \
  X(regex_bridge, hmjre_version, S, "HMJRE.DLL's version in hexadecimal (loads it when needed); empty when not loadable")
#define LMX_SPELL_BRIDGE_EXPORTS(X) \
  X(spell_bridge, hunspell_load, I, "loads Hunspell by file name (empty: libhunspell.dll): 1, or 0 with a message", (S, file_name)) \
  X(spell_bridge, hunspell_free, I, "destroys the instance and unloads Hunspell; always 1") \
  X(spell_bridge, hunspell_getmodulefilename, S, "the loaded Hunspell library's full path, or the empty result") \
  X(spell_bridge, hunspell_Create, I, "makes the instance from a .dic, a .aff or a base name (and the affix file, when given): 1 or 0", (S, dictionary), (S, affix)) \
  X(spell_bridge, hunspell_SetDictionary, I, "as hunspell_Create with no affix file", (S, dictionary)) \
  X(spell_bridge, hunspell_AddDictionary, I, "adds a further dictionary file: 1, 0, or -1 with a message", (S, path)) \
  X(spell_bridge, hunspell_Spell, I, "Hunspell's verdict on the word (non-zero: correct), or -1 with a message", (S, word)) \
  X(spell_bridge, hunspell_SpellW, I, "as hunspell_Spell on the word as UTF-8", (W, word)) \
  X(spell_bridge, hunspell_Suggest, I, "lists suggestions for the word: their number, or -1 with a message", (S, word)) \
  X(spell_bridge, hunspell_SuggestW, I, "as hunspell_Suggest on the word as UTF-8", (W, word)) \
  X(spell_bridge, hunspell_SuggestList, S, "the suggestion at index (from 0) of the last hunspell_Suggest, or the empty result", (I, index)) \
  X(spell_bridge, hunspell_SuggestListW, W, "as hunspell_SuggestList, converted from UTF-8", (I, index)) \
  X(spell_bridge, hunspell_Add, I, "adds a run-time word: 1, 0, or -1 with a message", (S, word)) \
  X(spell_bridge, hunspell_AddW, I, "as hunspell_Add on the word as UTF-8", (W, word)) \
  X(spell_bridge, hunspell_Remove, I, "removes a run-time word: 1, or 0", (S, word)) \
  X(spell_bridge, hunspell_RemoveW, I, "as hunspell_Remove on the word as UTF-8 (-1 for an empty word)", (W, word)) \
  X(spell_bridge, hunspell_Get_Dic_Encoding, S, "the dictionary's encoding name (UTF-8, ISO8859-1, ...), or the empty result") \
  X(spell_bridge, hunspell_GetVersion, S, "libhunspell.dll Version.<the engine's version>, or the empty result when it has none") \
  X(spell_bridge, hunspell_errormessage, S, "the message of the last failure of the spell bridge")
#define LMX_MECAB_BRIDGE_EXPORTS(X) \
  X(mecab_bridge, mecab_load, I, "loads MeCab by file name (empty: libmecab.dll): 1, or 0 (code 3 or 5)", (S, file_name)) \
  X(mecab_bridge, mecab_free, I, "unloads MeCab; always 1") \
  X(mecab_bridge, mecab_getmodulefilename, S, "the loaded MeCab library's full path, or the empty result") \
  X(mecab_bridge, mecab, S, "MeCab's analysis of the text under the options (bytes as the dictionary expects), or the empty result", (S, options), (S, text)) \
  X(mecab_bridge, mecab_getyomi, S, "as mecab with -O yomi: the reading", (S, options), (S, text)) \
  X(mecab_bridge, mecab_wakati, S, "as mecab with -O wakati: the words split by spaces", (S, options), (S, text)) \
  X(mecab_bridge, mecab_nbest, S, "as mecab with -l1: the n best analyses", (S, options), (S, text), (I, n)) \
  X(mecab_bridge, mecab_version, S, "MeCab's version text, or the empty result") \
  X(mecab_bridge, mecab_error, I, "the code of the last MeCab call: 0 none, 1 options too long, 2 no text, 3 not loaded, 4 analysis failed, 5 export missing, 7 options refused") \
  X(mecab_bridge, mecab_errormessage, S, "the code's message; for code 7 MeCab's own text") \
  X(mecab_bridge, mecab_getstrerror, S, "MeCab's own text of the last failed analysis; empty after a success")
#define LMX_NKF_BRIDGE_EXPORTS(X) \
  X(nkf_bridge, nkf_load, I, "loads NKF32.DLL (empty: NKF32.DLL) at the interface level its version gives: 1, or 0", (S, file_name)) \
  X(nkf_bridge, nkf_free, I, "unloads NKF32.DLL; always 1") \
  X(nkf_bridge, nkf_getmodulefilename, S, "the full path of the loaded NKF32.DLL; empty when none") \
  X(nkf_bridge, nkf_exec, S, "the text converted with the nkf options; empty on failure (see nkf_error)", (S, options), (S, text)) \
  X(nkf_bridge, nkf_tohankaku, S, "the text with full-width letters made half-width (nkf -ZSs)", (S, text)) \
  X(nkf_bridge, nkf_tozenkakukana, S, "the text with half-width kana made full-width (nkf -Ss)", (S, text)) \
  X(nkf_bridge, nkf_tomime, S, "the text MIME-encoded as ISO-2022-JP (nkf -jM)", (S, text)) \
  X(nkf_bridge, nkf_fileconvert1, I, "converts the file in place with the options: 1 when run, else 0", (S, path), (S, options)) \
  X(nkf_bridge, nkf_fileconvert2, I, "converts input into a new output file (never overwritten): 1 when run, else 0", (S, input), (S, output), (S, options)) \
  X(nkf_bridge, nkf_getguess, S, "nkf's guess of the last input's code (newest NKF32.DLL only)") \
  X(nkf_bridge, nkf_getkanjicode, I, "the code of the last input as NKF32.DLL numbers it, or -1") \
  X(nkf_bridge, nkf_version, S, "NKF32.DLL's version text") \
  X(nkf_bridge, nkf_error, I, "the error code of the last NKF call (0 none)") \
  X(nkf_bridge, nkf_errormessage, S, "the message of that code")
#define LMX_EDITORCONFIG_EXPORTS(X) \
  X(editorconfig, EditorConfigExecute, I, "finds the .editorconfig properties of the file (a full path): their number, or -1 (see EditorConfigErrorMessage)", (S, path)) \
  X(editorconfig, EditorConfigExecuteW, I, "as EditorConfigExecute for a UTF-16 path", (W, path)) \
  X(editorconfig, EditorConfigGetKey, S, "the name of the property at index, as UTF-8; empty out of range", (I, index)) \
  X(editorconfig, EditorConfigGetValue, S, "the value of the property at index, as UTF-8; empty out of range", (I, index)) \
  X(editorconfig, EditorConfigClear, I, "forgets the properties of the last query; always 1") \
  X(editorconfig, EditorConfigErrorMessage, S, "the message of the last failed query (the core library's, e.g. Failed to parse file.)") \
  X(editorconfig, EditorConfigGetVersionStr, S, "the linked core library's version (EditorConfig C Core Version 0.12.6)") \
  X(editorconfig, EditorConfigGetPcreVersionStr, S, "the linked PCRE2's version (EditorConfig:pcre2 library version 10.42 2022-12-11)")

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
