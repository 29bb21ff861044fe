// Why an export gives one of its failure values, where the value alone does
// not say it (an export with two failure values, or a failure a macro can
// foresee). The reference writes them beside the failure values of the table
// (exports/table.h); the meanings there write no failure value.
// W(Name, value, "English", "日本語"). UTF-8.
#ifndef LORIMAX_EXPORTS_FAILURE_REASONS_H
#define LORIMAX_EXPORTS_FAILURE_REASONS_H

#define LMX_FAILURE_REASONS(W) \
  W(GetDllVersion, 0, "its version unreadable", "バージョンが読めない") \
  W(InStr, -1, "not found", "見つからない") \
  W(InStrRev, -1, "not found", "見つからない") \
  W(GetStrSpn, -1, "every character in the set, or bad arguments", "そのような文字がないか、引数が不正") \
  W(GetStrCSpn, -1, "none in the set", "set の文字がない") \
  W(GetFileSizeByte, -1, "nothing matches", "当てはまるファイルがない") \
  W(Wait, -1, "a negative count, at once", "負の値 (すぐに返します)") \
  W(ReadSectionKeysW, -1, "a file without FF FE too", "FF FE のないファイルも") \
  W(ExistKey, -1, "no such key", "見つからない") \
  W(ExistKey, -2, "nothing loaded", "何も読み込んでいない") \
  W(ExistKeyW, -1, "no such key", "見つからない") \
  W(ExistKeyW, -2, "nothing loaded", "何も読み込んでいない") \
  W(ExistSection, -1, "no such section", "見つからない") \
  W(ExistSection, -2, "nothing loaded", "何も読み込んでいない") \
  W(ExistSectionW, -1, "no such section", "見つからない") \
  W(ExistSectionW, -2, "nothing loaded", "何も読み込んでいない") \
  W(GetIniNumW, 0, "unreadable", "読めない") \
  W(IsUTF16LE, 0, "neither mark", "どちらでもない") \
  W(IsBOM, 0, "neither mark", "どちらでもない") \
  W(NextKey, 0, "at the end", "終わり") \
  W(NextKeyW, 0, "at the end", "終わり") \
  W(NextSection, 0, "at the end", "終わり") \
  W(NextSectionW, 0, "at the end", "終わり") \
  W(WriteIniNumW, 0, "an empty argument, a read-only file, or the write failed", "空の引数、読み取り専用のファイル、または書き込みの失敗") \
  W(WriteIniNumW, -1, "a refused file (a folder, no FF FE) or one that cannot be made", "書けないファイル (フォルダー、FF FE がない) か、作れないファイル") \
  W(WriteIniStrW, 0, "an empty file or section, a read-only file, or the write failed", "空のファイル名かセクション、読み取り専用のファイル、または書き込みの失敗") \
  W(WriteIniStrW, -1, "a refused file (a folder, no FF FE) or one that cannot be made", "書けないファイル (フォルダー、FF FE がない) か、作れないファイル") \
  W(GetFileAttr, -1, "unreadable", "読めない") \
  W(IsEncode, -1, "a handle outside 1 to 10", "1～10 の外のハンドル") \
  W(NextWindowHandle, 0, "after the first window met", "終わり") \
  W(FINDWINDOW, 0, "none, or both class and caption empty", "ないか、クラス名とキャプションが両方空") \
  W(GetAncestorWindow, 0, "a top-level window too", "トップレベルのウィンドウも") \
  W(DwmGetWindowRect_Left, -1, "without desktop composition too", "デスクトップコンポジションがなくても") \
  W(DwmGetWindowRect_Top, -1, "without desktop composition too", "デスクトップコンポジションがなくても") \
  W(DwmGetWindowRect_Right, -1, "without desktop composition too", "デスクトップコンポジションがなくても") \
  W(DwmGetWindowRect_Bottom, -1, "without desktop composition too", "デスクトップコンポジションがなくても") \
  W(GetWindowRectAll, 0, "also for a $, empty or unsafe name", "$ 付き・空・使えない名前も") \
  W(DwmGetWindowRectAll, 0, "without desktop composition too", "デスクトップコンポジションがなくても") \
  W(SetWindowState, 0, "other states too", "ほかの値も") \
  W(GetExitCode, -1, "no GetStdout ran", "GetStdout を実行していない") \
  W(SendKeyPress, 0, "a key over 255 or modifiers over 7 too", "キーが 255、修飾が 7 より大きくても") \
  W(hmjre_match, 0, "no match, or start out of range", "一致しないか、start が範囲外") \
  W(hmjre_match, -1, "an error", "エラー") \
  W(hmjre_match_info, -1, "a which that is neither", "which がどちらでもない") \
  W(hunspell_load, 0, "with a message", "メッセージが残ります") \
  W(hunspell_AddDictionary, 0, "Hunspell refused the file", "Hunspell が受け付けなかった") \
  W(hunspell_AddDictionary, -1, "an error, with a message", "エラー (メッセージが残ります)") \
  W(hunspell_Spell, -1, "an error, with a message", "エラー (メッセージが残ります)") \
  W(hunspell_SpellW, -1, "an error, with a message", "エラー (メッセージが残ります)") \
  W(hunspell_Suggest, -1, "an error, with a message", "エラー (メッセージが残ります)") \
  W(hunspell_SuggestW, -1, "an error, with a message", "エラー (メッセージが残ります)") \
  W(hunspell_Add, 0, "Hunspell did not add it", "Hunspell が加えなかった") \
  W(hunspell_Add, -1, "an error, with a message", "エラー (メッセージが残ります)") \
  W(hunspell_AddW, 0, "Hunspell did not add it", "Hunspell が加えなかった") \
  W(hunspell_AddW, -1, "an error, with a message", "エラー (メッセージが残ります)") \
  W(hunspell_RemoveW, -1, "an empty word", "空の単語") \
  W(mecab_load, 0, "code 3 or 5", "コード 3 か 5") \
  W(nkf_fileconvert1, 0, "not run (see nkf_error)", "実行できなかった (nkf_error を見てください)") \
  W(nkf_fileconvert2, 0, "not run (see nkf_error)", "実行できなかった (nkf_error を見てください)") \
  W(EditorConfigExecute, -1, "see EditorConfigErrorMessage", "EditorConfigErrorMessage を見てください") \
  W(EditorConfigExecuteW, -1, "see EditorConfigErrorMessage", "EditorConfigErrorMessage を見てください")

#endif
