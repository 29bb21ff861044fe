// What the reference (docs/reference.md, docs/reference.html) says beside the
// table of exports: each export's Japanese meaning, keyed by name, and each
// family's title and introduction in Japanese and English. UTF-8. The table
// itself (exports/table.h) stays the one list of exports: tools/gen_reference.cpp
// refuses an export without its entry here and an entry for an export that
// does not exist. The examples, with what the library gives, are in
// exports/examples.txt.
//
// J(Name, "日本語の説明")
// FAMILY(family, "日本語の題", "English title", "日本語の紹介", "English introduction")
#ifndef LORIMAX_EXPORTS_TABLE_JA_H
#define LORIMAX_EXPORTS_TABLE_JA_H

#define LMX_JA_EXPORTS(J) \
  J(GetResult, "結果バッファの中身を、最後に書いた関数が残したままの形で返します") \
  J(GetResultW, "ワイド結果バッファの中身を、最後に書いた関数が残したままの形で返します") \
  J(GetDllVersion, "DLL のバージョンを数値で返します (FileVersion 1.29 なら 12900)") \
  J(GetDllVersionStr, "DLL のバージョンを文字列で返します (例: 1.29.00)。読めなければ空文字列") \
  J(DebugOut, "文字列をデバッガーの出力へ送ります。戻り値はいつも 1 です") \
  \
  J(SetUTF8ConvertString, "文字列を UTF-8 にして結果バッファに置きます (GetResult で取り出します)") \
  J(SetUTF16ConvertString, "UTF-8 のバイト列を UTF-16 にしてワイド結果バッファに置きます (GetResultW で取り出します)") \
  \
  J(InStr, "位置 start 以降で search が最初に現れるバイト位置 (0 から) を返します。文字の途中とは一致しません") \
  J(InStrEx, "InStr に加えて英字の大文字・小文字を同一視します。mode 1 は半角と全角、2 は半角だけ、3 は全角だけ") \
  J(InStrRev, "search が最後に現れるバイト位置を返します。文字の途中とは一致しません") \
  J(InStrRevEx, "InStrRev に加えて、InStrEx の mode と同じく大文字・小文字を同一視します") \
  J(GetStrSpn, "set に含まれない最初の文字のバイト位置を返します") \
  J(GetStrCSpn, "set に含まれる最初の文字のバイト位置を返します") \
  \
  J(Replace, "search を replacement に置き換えた文字列を返します。count は置き換える数で、-1 はすべて、0 は置き換えなし") \
  J(DeleteStr, "position から count バイトを取り除いた文字列を返します (文字の途中の位置は次の文字へずらします)") \
  J(InsertStr, "position に insertion を差し込んだ文字列を返します (文字の途中の位置は次の文字へずらします)") \
  J(String, "text の最初の 1 文字を count 回並べた文字列を返します") \
  J(Strings, "text 全体を count 回繰り返した文字列を返します") \
  J(UpperStr, "英字を大文字にした文字列を返します。mode 0 は半角と全角、1 は半角だけ、2 は全角だけ") \
  J(LowerStr, "英字を小文字にした文字列を返します。mode は UpperStr と同じです") \
  \
  J(Trim, "前後の空白 (全角スペースも含みます) を取り除いた文字列を返します") \
  J(LTrim, "先頭の空白を取り除いた文字列を返します") \
  J(RTrim, "末尾の空白を取り除いた文字列を返します") \
  J(TrimStr, "set に含まれる文字を前後から取り除いた文字列を返します") \
  J(LeftJust, "右を空白で埋めて width バイトにした左寄せの文字列を返します (width は 1024 まで。長い文字列は切りません)") \
  J(RightJust, "左を空白で埋めて width バイトにした右寄せの文字列を返します (width は 1024 まで。長い文字列は切りません)") \
  J(Centor, "width バイトの中央に寄せた文字列を返します。余る空白 1 個は左に付きます (width は 1024 まで。切りません)") \
  \
  J(NumToKanji, "数値を漢数字にします。mode 1 は位取りの書き方 (二千二十六)、それ以外は 1 桁ずつ (二〇二六)") \
  J(NumStringToKanji, "数字の文字列を漢数字にします。mode は NumToKanji と同じです (位取りの書き方は 72 桁まで)") \
  \
  J(GetSizeStr, "ファイルサイズの数値の部分 (1.5 など) を返します。path が空なら前回の問い合わせの値です") \
  J(GetUnitStr, "ファイルサイズの単位 (bytes, KB, MB, GB, TB) を返します。path が空なら前回の問い合わせの単位です") \
  J(GetFileSizeStr, "ファイルサイズを「  1.5 MB」の形で返します (数値は 5 桁の幅に右寄せ)") \
  J(GetFileSizeByte, "ファイルサイズをバイト数で返します") \
  \
  J(TimeFormat, "時刻を strftime の書式 %Y %m %d %H %I %M %S %p %a %A %b %B %c %x %X %j %U %W %w %y %Z %% (# で先頭の 0 を省きます。%h は %I と同じ) と漢字の書式で返します。漢字の書式は %kY 年、%ky 年の下 2 桁、%km 月、%kd 日、%kH 時 (0～23)、%kI 時 (1～12)、%kh 時 (0～11)、%kM 分、%kS 秒 (1 桁ずつの漢字 二〇二六。# 付きは位取りの書き方 二千二十六)、%kA 曜日、%ka 曜日の 1 字、%kB 月の和名、%kp 午前か午後です。ほかの % はそのまま残ります") \
  J(SetTime, "TimeFormat が表示する時刻を、指定した日時に固定します。戻り値はいつも 1 です") \
  J(ResetTime, "時刻の固定をやめ、TimeFormat が時計の時刻を表示するように戻します。戻り値はいつも 1 です") \
  J(Wait, "指定したミリ秒だけ待ってから 1 を返します") \
  \
  J(UrlEncode, "文字列をパーセントエンコードします。2 バイト文字はいつも、mode 1 では空白も、mode 2 では URL に使えない記号も変換します") \
  J(UrlEncodeW, "文字列を UTF-8 にしてパーセントエンコードします。all が 0 なら ASCII の英数字などはそのまま、0 以外ならすべてのバイトを変換します") \
  J(UrlDecode, "%XX の形をバイトに戻した文字列を返します") \
  J(URLExchange, "URL を Windows の規則で正規化します。options のビット: 1 空白だけ変換、2 ブラウザー方式、4 . と .. を残す、8 エンコードしない、16 デコードする") \
  \
  J(ReadSectionKeys, "INI ファイルのセクションのエントリー (= のある行) を一覧に読み込み、その数を返します") \
  J(ReadSectionKeysW, "ReadSectionKeys の UTF-16LE (FF FE 付き) ファイル版です") \
  J(ReadSectionNames, "INI ファイルのセクション名を一覧に読み込み、その数を返します") \
  J(ReadSectionNamesW, "ReadSectionNames の UTF-16LE ファイル版です") \
  J(ExistKey, "読み込んだエントリーから key=... を大文字・小文字を区別せずに探し、番号を返します") \
  J(ExistKeyW, "ExistKey と同じことをワイド版の一覧で行います") \
  J(ExistSection, "読み込んだセクション名を英字の大文字・小文字を区別せずに探し、番号を返します") \
  J(ExistSectionW, "ExistSection と同じことをワイド版の一覧で行います") \
  J(GetKeyValue, "index 番目のエントリーの値を返します (= の後ろから TAB の手前まで、末尾の空白を除きます)") \
  J(GetKeyValueW, "GetKeyValue と同じことをワイド版の一覧で行います") \
  J(GetSectionName, "index 番目のセクション名を返します") \
  J(GetSectionNameW, "GetSectionName と同じことをワイド版の一覧で行います") \
  J(GetIniNumW, "UTF-16LE の INI ファイルからキーの値を数値で読みます") \
  J(GetIniStrW, "UTF-16LE の INI ファイルからキーの値を文字列で読みます。読めなければ空文字列") \
  J(IsUTF16LE, "ファイルの先頭が FF FE なら 1、EF BB BF なら 2 を返します") \
  J(IsBOM, "IsUTF16LE と同じです") \
  \
  J(NextKey, "キーのカーソルを、読み込んだセクションの次の行へ進めます。進めたら 1") \
  J(NextKeyW, "NextKey と同じことをワイド版のカーソルで行います") \
  J(NextSection, "セクションのカーソルを次の名前へ進めます。進めたら 1") \
  J(NextSectionW, "NextSection と同じことをワイド版のカーソルで行います") \
  J(GetIniKey, "キーのカーソルが指す行の、最初の = より前 (キー) を返します") \
  J(GetIniKeyW, "GetIniKey と同じことをワイド版のカーソルで行います") \
  J(GetIniKeyData, "キーのカーソルが指す行の、最初の TAB より前 (行全体) を返します") \
  J(GetIniKeyDataW, "GetIniKeyData と同じことをワイド版のカーソルで行います") \
  J(GetIniKeyValue, "キーのカーソルが指す行の、最初の = の後ろから最初の TAB の手前まで (値) を返します") \
  J(GetIniKeyValueW, "GetIniKeyValue と同じことをワイド版のカーソルで行います") \
  J(GetSection, "セクションのカーソルが指す名前を返します") \
  J(GetSectionW, "GetSection と同じことをワイド版のカーソルで行います") \
  \
  J(WriteIniNumW, "UTF-16LE の INI ファイルに数値 (下位 32 ビット) を書きます。ファイルがなければ作ります。成功で 1") \
  J(WriteIniStrW, "UTF-16LE の INI ファイルに文字列を書きます。ファイルがなければ作ります。成功で 1") \
  \
  J(AnalyzeEncoding, "秀丸エディタが判定したファイルのエンコードの番号を返します (パスには \\ が必要です)") \
  J(GetChangeFileExt, "パスの拡張子を付け替えます (新しい拡張子はピリオドから書きます)") \
  J(GetCompactPath, "パスを途中で ... に縮め、終端を含めて width 文字に収めます") \
  J(GetExpandPath, "パスの . と .. を解決します") \
  J(GetFileAttr, "ファイルの属性のビットを返します。パスが空なら 0") \
  J(GetFileBaseName, "パスの最後の要素から拡張子を除いたものを返します") \
  J(GetFileExtention, "拡張子をピリオド付きで返します。拡張子がなければ空文字列") \
  J(GetFileName, "パスの最後の要素 (ファイル名) を返します") \
  J(GetLongName, "ディスクに記録された名前 (長い名前、記録どおりの大文字・小文字) で書き直したパスを返します") \
  J(GetParentFolder, "パスの最後の要素を除いたもの (親フォルダー) を返します") \
  J(GetRelativePathTo, "実在するパス from から to への相対パスを返します") \
  J(GetShortName, "パスの短い名前 (8.3 形式) を返します") \
  J(GetSpecialFolder, "特別なフォルダーのパスを返します: 1 お気に入り、2 ドキュメント、3 アプリケーションデータ、それ以外はデスクトップ") \
  J(IsDirectory, "フォルダーが存在すれば 1、しなければその値") \
  J(IsFile, "フォルダーでないファイルが存在すれば 1、しなければその値") \
  J(IsMatchFileName, "ファイル名がパターン (* と ?) に合えば 1") \
  J(IsRelativePath, "相対パスなら 1") \
  \
  J(FileOpen, "ファイルを C のモード (r, w, a, +, b, t) でバイト単位の読み書き用に開き、ハンドル 1～10 を返します") \
  J(FileOpenW, "ファイルをエンコード (UTF8, UTF8BOM, UTF16LE/UNICODE、または指定なし) を決めて開き、ハンドル 1～10 を返します") \
  J(FileClose, "ハンドルを閉じます。戻り値はいつも 1 です") \
  J(FileDelete, "ファイルを削除します") \
  J(FileError, "直前のファイル関数のエラーのビットを返します: 2 開けなかった・開いていないスロット (コード 0 の IsEncode も)、4 読み込みのエラー、8 ファイルの終わり、16 引数の誤り、32 書き込みの失敗、128 FileDelete に空のパス (削除の失敗そのものはビットを立てません)") \
  J(IsOpen, "ハンドルが開いていれば 1") \
  J(IsEncode, "スロットの開き方を返します: 1 バイト単位 (FileOpen。閉じたスロットも 1 のまま)、2 UTF-8、3 BOM 付き UTF-8、4 UTF-16LE、0 一度も開いていないか FileOpenW でエンコードの指定がない") \
  J(IsEof, "開いているファイルの終わりに来ていれば 1") \
  J(IsFerror, "開いているファイルのエラー表示が立っていれば 1") \
  J(RdFile, "次の 1 行を改行付きで返します (バイト単位のハンドル)") \
  J(RdFile2, "次の 1 行を改行なしで返します (バイト単位のハンドル)") \
  J(RdFileLine, "RdFile2 と同じです") \
  J(RdFileByte, "次の count バイトを返します (ファイルの終わりでは短くなります。999,999 バイトまで)") \
  J(RdFileW, "次の 1 行を改行付きで、エンコードを解いて返します") \
  J(RdFileLineW, "次の 1 行を改行なしで、エンコードを解いて返します") \
  J(WrFile, "文字列を書きます (バイト単位のハンドル)") \
  J(WrFileLine, "文字列と改行を書きます (文字列が改行で終わるときは足しません)") \
  J(WrFileW, "文字列をハンドルのエンコードで書きます") \
  J(WrFileLineW, "文字列と改行をハンドルのエンコードで書きます (改行で終わるときは足しません)") \
  \
  J(SearchWindow, "クラス名 (* か空ならどれでも) とキャプションでトップレベルのウィンドウを探して表に入れ、最後に見つけたものを返します。mode: 1 一致、3 含む、5 一致 (大文字・小文字を区別しない)、7 含む (同)、+16 で隠れたウィンドウも") \
  J(GetSearchWindowCount, "直前の検索で表に入ったウィンドウの数 (256 まで) を返します") \
  J(GetWindowCount, "NextWindowHandle がまだ返せるウィンドウの数を返します") \
  J(NextWindowHandle, "表の次のウィンドウを、最後に見つけたものから最初のものへ向かって返します") \
  J(FINDWINDOW, "parent (なければトップレベル) の子から、クラス名とキャプション (空なら条件なし) で最初のウィンドウを探します。両方空なら何も探しません") \
  J(FINDWINDOW_EX, "FINDWINDOW と同じですが、子ウィンドウ child_after の次から探します") \
  J(NextWindow, "Z オーダーで下にあるウィンドウを返します") \
  J(NextActiveWindow, "Z オーダーで下にあるウィンドウを前面に出します") \
  J(GetActiveWindowHandle, "前面のウィンドウを返します") \
  J(GetAncestorWindow, "ウィンドウの親を返します。トップレベルのウィンドウには親はありません") \
  J(GetWindowCaption, "ウィンドウのキャプションを返します。キャプションがないかウィンドウでなければ空文字列") \
  J(GetWindowClass, "ウィンドウのクラス名を返します。ウィンドウでなければ空文字列") \
  \
  J(GetWindowRect_Left, "ウィンドウの矩形の左端 (スクリーン座標) を返します") \
  J(GetWindowRect_Top, "ウィンドウの矩形の上端を返します") \
  J(GetWindowRect_Right, "ウィンドウの矩形の右端を返します") \
  J(GetWindowRect_Bottom, "ウィンドウの矩形の下端を返します") \
  J(GetClientRect_Left, "クライアント領域の左端 (0) を返します") \
  J(GetClientRect_Top, "クライアント領域の上端 (0) を返します") \
  J(GetClientRect_Right, "クライアント領域の幅を返します") \
  J(GetClientRect_Bottom, "クライアント領域の高さを返します") \
  J(DwmGetWindowRect_Left, "見えている枠の左端を返します") \
  J(DwmGetWindowRect_Top, "見えている枠の上端を返します") \
  J(DwmGetWindowRect_Right, "見えている枠の右端を返します") \
  J(DwmGetWindowRect_Bottom, "見えている枠の下端を返します") \
  J(GetWindowRectAll, "ウィンドウの矩形の上・左・右・下を、秀丸エディタに頼んで数値の配列 name[0..3] に入れます。成功で 1") \
  J(DwmGetWindowRectAll, "GetWindowRectAll と同じことを見えている枠で行います") \
  J(MOVEWINDOW, "ウィンドウの矩形を動かし、大きさを変えます") \
  J(DwmMoveWindow, "見えている枠が指定の位置と大きさになるように動かします (コンポジションがなければウィンドウの矩形で)") \
  J(ScreenToClient_X, "スクリーン座標の点の、ウィンドウのクライアント座標での x を返します") \
  J(ScreenToClient_Y, "スクリーン座標の点の、ウィンドウのクライアント座標での y を返します") \
  J(GetWindowState, "表示の状態を返します: 0 非表示、1 通常、2 最小化、3 最大化") \
  J(SetWindowState, "表示の状態 (非表示・通常・最小化・最大化の 0～3) を設定します。成功で 1") \
  J(ActiveWindow, "ウィンドウを前面に出します") \
  J(ActiveWindow2, "前面のスレッドの入力に一時的に加わってウィンドウを前面に出します。その時点で前面なら 1") \
  J(TopWindow, "ウィンドウを常に手前に表示します (topmost がゼロなら解除)。activate がゼロでなければ前面にも出します") \
  J(BottomWindow, "ウィンドウを Z オーダーの一番下へ移します。activate がゼロでなければ前面にも出します") \
  J(IsTopWindow, "ウィンドウが常に手前に表示されていれば 1") \
  \
  J(GetStdout, "コマンドを非表示で実行して input の 1 行 (と CR LF) を渡し、標準出力と標準エラーの内容をすべて返します (NUL は除き、999,999 バイトまで)") \
  J(GetExitCode, "直前の GetStdout で実行したプログラムの終了コード (0～4294967295) を返します") \
  J(RUNSYNC, "コマンドを表示の状態 show (0～10。5、9 などは通常の表示) で実行し、終わるまで待って終了コードを返します。起動できなければ failure の値") \
  \
  J(SendKeyPress, "仮想キーを修飾キー (1 Shift、2 Ctrl、4 Alt) 付きで押します。成功で 1") \
  J(GetClipboardDSPTEXT, "クリップボードの表示用テキスト (CF_DSPTEXT) を、opener のウィンドウで開いて返します。なければ空文字列") \
  J(GetClipboardOwnerHandle, "クリップボードを持っているウィンドウを返します") \
  J(GetFileNameFromHwnd, "ウィンドウのプロセスの実行ファイルのフルパスを返します。読めなければ空文字列") \
  J(OpenHtmlHelp, "HTML ヘルプファイルをキーワード (; 区切り) の箇所で開きます") \
  \
  J(hmjre_load, "HMJRE.DLL を名前で読み込みます (空なら前回の名前)。だめなら秀丸エディタのレジストリの値から探します") \
  J(hmjre_free, "照合の状態を閉じて HMJRE.DLL を解放します。戻り値はいつも 1 です") \
  J(hmjre_match, "subject を位置 start からパターンと照合します。option 1 で大文字・小文字を区別しません。一致すれば 1") \
  J(hmjre_match_info, "直前の一致の長さ (length) か位置 (position) を返します。which は語の先頭部分でもかまいません") \
  J(hmjre_match_string, "直前に一致した文字列を、subject の表記のまま返します") \
  J(hmjre_match_tag_string, "直前の一致のタグ 1～9 の文字列を返します。なければ空文字列") \
  J(hmjre_version, "HMJRE.DLL のバージョンを 16 進数で返します (必要なら読み込みます)。読み込めなければ空文字列") \
  \
  J(hunspell_load, "Hunspell の DLL をファイル名で読み込みます (空なら libhunspell.dll)") \
  J(hunspell_free, "インスタンスを破棄して Hunspell を解放します。戻り値はいつも 1 です") \
  J(hunspell_getmodulefilename, "読み込んだ Hunspell の DLL のフルパスを返します。なければ空文字列") \
  J(hunspell_Create, "辞書 (.dic、.aff、またはベース名) と、あれば接辞ファイルからインスタンスを作ります") \
  J(hunspell_SetDictionary, "接辞ファイルを指定しない hunspell_Create です") \
  J(hunspell_AddDictionary, "辞書ファイルを追加します。成功で 1") \
  J(hunspell_Spell, "単語のつづりを調べます (0 以外なら正しい)") \
  J(hunspell_SpellW, "hunspell_Spell を、単語を UTF-8 にして行います") \
  J(hunspell_Suggest, "単語の修正候補を作り、その数を返します") \
  J(hunspell_SuggestW, "hunspell_Suggest を、単語を UTF-8 にして行います") \
  J(hunspell_SuggestList, "直前の hunspell_Suggest の候補のうち index 番目 (0 から) を返します。なければ空文字列") \
  J(hunspell_SuggestListW, "hunspell_SuggestList の候補を UTF-8 から変換して返します") \
  J(hunspell_Add, "実行中だけの単語リストに単語を加えます。成功で 1") \
  J(hunspell_AddW, "hunspell_Add を、単語を UTF-8 にして行います") \
  J(hunspell_Remove, "実行中だけの単語リストから単語を取り除きます") \
  J(hunspell_RemoveW, "hunspell_Remove を、単語を UTF-8 にして行います") \
  J(hunspell_Get_Dic_Encoding, "辞書のエンコードの名前 (UTF-8、ISO8859-1 など) を返します。なければ空文字列") \
  J(hunspell_GetVersion, "「libhunspell.dll Version.」にエンジンのバージョンを続けて返します。エンジンが持たなければ空文字列") \
  J(hunspell_errormessage, "スペルチェックで最後に起きた失敗のメッセージを返します") \
  \
  J(mecab_load, "MeCab の DLL をファイル名で読み込みます (空なら libmecab.dll)") \
  J(mecab_free, "MeCab を解放します。戻り値はいつも 1 です") \
  J(mecab_getmodulefilename, "読み込んだ MeCab の DLL のフルパスを返します。なければ空文字列") \
  J(mecab, "options に従って文字列を形態素解析した結果を返します (文字列は辞書の文字コードのバイト列で渡します)。失敗で空文字列") \
  J(mecab_getyomi, "-O yomi を付けた mecab です。読みを返します") \
  J(mecab_wakati, "-O wakati を付けた mecab です。単語を空白で区切って返します") \
  J(mecab_nbest, "-l1 を付けた mecab です。確からしい順に n 通りの解析を返します") \
  J(mecab_version, "MeCab のバージョンを返します。なければ空文字列") \
  J(mecab_error, "直前の MeCab の呼び出しのコードを返します: 0 なし、1 オプションが長すぎる、2 文字列がない、3 未読み込み、4 解析の失敗、5 関数がない、7 オプションが通らない") \
  J(mecab_errormessage, "コードのメッセージを返します。コード 7 では -d で辞書を指定するよう促し、MeCab 自身の説明か、オプションを MeCab に渡さなかった理由を続けます") \
  J(mecab_getstrerror, "直前に失敗した解析 (コード 4) や受け付けられなかったオプション (コード 7) についての MeCab 自身の説明か、オプションを MeCab に渡さなかった理由 (部分解析モード、63 語を超えるオプション、デバイスである設定ファイル) を返します。成功の後は空文字列") \
  \
  J(nkf_load, "NKF32.DLL を読み込みます (空なら NKF32.DLL)。そのバージョンで使える関数の範囲が決まります") \
  J(nkf_free, "NKF32.DLL を解放します。戻り値はいつも 1 です") \
  J(nkf_getmodulefilename, "読み込んだ NKF32.DLL のフルパスを返します。なければ空文字列") \
  J(nkf_exec, "nkf のオプションで文字列を変換して返します。失敗で空文字列 (nkf_error を見てください)") \
  J(nkf_tohankaku, "全角の英数字と記号を半角にした文字列を返します (nkf -ZSs)") \
  J(nkf_tozenkakukana, "半角カナを全角にした文字列を返します (nkf -Ss)") \
  J(nkf_tomime, "文字列を ISO-2022-JP で MIME エンコードして返します (nkf -jM)") \
  J(nkf_fileconvert1, "ファイルをオプションで変換し、そのファイルに書き戻します。実行できたら 1") \
  J(nkf_fileconvert2, "input を変換して新しいファイル output に書きます (既にあるファイルは上書きしません)。実行できたら 1") \
  J(nkf_getguess, "直前の入力の文字コードについての nkf の推測を返します (最新の NKF32.DLL だけ)") \
  J(nkf_getkanjicode, "直前の入力の文字コードを NKF32.DLL の番号で返します") \
  J(nkf_version, "NKF32.DLL のバージョンを返します") \
  J(nkf_error, "直前の NKF の呼び出しのエラーコードを返します (0 はエラーなし)") \
  J(nkf_errormessage, "そのエラーコードのメッセージを返します") \
  \
  J(EditorConfigExecute, "ファイル (フルパス) に当てはまる .editorconfig のプロパティを調べ、その数を返します") \
  J(EditorConfigExecuteW, "EditorConfigExecute の UTF-16 のパス版です") \
  J(EditorConfigGetKey, "index 番目のプロパティの名前を UTF-8 で返します。範囲外なら空文字列") \
  J(EditorConfigGetValue, "index 番目のプロパティの値を UTF-8 で返します。範囲外なら空文字列") \
  J(EditorConfigClear, "直前の問い合わせのプロパティを捨てます。戻り値はいつも 1 です") \
  J(EditorConfigErrorMessage, "直前に失敗した問い合わせのメッセージを返します (core ライブラリのもの。例: Failed to parse file.)") \
  J(EditorConfigGetVersionStr, "組み込みの core ライブラリのバージョンを返します (EditorConfig C Core Version 0.12.6)") \
  J(EditorConfigGetPcreVersionStr, "組み込みの PCRE2 のバージョンを返します (EditorConfig:pcre2 library version 10.42 2022-12-11)")

#define LMX_REFERENCE_FAMILIES(FAMILY) \
  FAMILY(frame, "基本", "Frame", \
    "DLL のバージョンと、二つの結果バッファ (文字列用とワイド文字列用) をそのまま返す関数です。", \
    "The library's version, and the two result buffers handed back as they stand.") \
  FAMILY(conversion, "UTF-8 と UTF-16 の変換", "Conversion between UTF-8 and UTF-16", \
    "変換した文字列は結果バッファに置かれ、戻り値は成功したかどうかだけです。GetResult または GetResultW で取り出してください。", \
    "The converted text goes into a result buffer and the result says only whether it worked: fetch the text with GetResult or GetResultW.") \
  FAMILY(string_search, "文字列の検索", "String search", \
    "コードページ 932 (Shift_JIS) の 2 バイト文字を 1 文字として扱い、文字の途中とは一致しません。位置はバイト単位で、0 から数えます。", \
    "Double-byte characters of code page 932 (Shift_JIS) count as one character, and no match begins inside one. Offsets are in bytes, from 0.") \
  FAMILY(string_editing, "文字列の編集", "String editing", \
    "結果は結果バッファに作られます。位置と長さはバイト単位で、2 バイト文字の途中を指す位置は次の文字の先頭へずらします。", \
    "The result is built in the result buffer. Positions and counts are in bytes; a position inside a double-byte character moves to the next one.") \
  FAMILY(trimming, "空白の除去と桁揃え", "Trimming and justification", \
    "空白は半角の空白・TAB・改行などと、全角スペースです。桁揃えの幅はバイト単位で 1024 までです。", \
    "White space is the ASCII blanks and the full-width space. Widths are in bytes, at most 1024.") \
  FAMILY(kanji, "漢数字", "Kanji numerals", \
    "数値や数字の列を漢数字にします。位取りの書き方 (二千二十六) と、1 桁ずつの書き方 (二〇二六) があります。", \
    "Numbers and strings of digits in kanji, either as numerals (二千二十六) or one kanji a digit (二〇二六).") \
  FAMILY(size, "ファイルサイズ", "File sizes", \
    "一度の問い合わせで、数値・単位・両方を合わせた文字列の三つを覚えます。path を空にすると、前回の問い合わせの値をファイルを見ずに返します。単位は 1000 バイトで KB です。", \
    "One query keeps three texts, the number, the unit and both together; an empty path gives those of the last query without touching the file. A KB is 1000 bytes.") \
  FAMILY(time, "時刻", "Time", \
    "TimeFormat は C の strftime の書式に、漢字の書式を加えたものです。SetTime で表示する時刻を固定でき、ResetTime で戻ります。", \
    "TimeFormat takes strftime directives plus kanji ones. SetTime fixes the moment it shows; ResetTime lets it show the clock again.") \
  FAMILY(url, "URL", "URLs", \
    "パーセントエンコードとその逆、および Windows による URL の正規化です。", \
    "Percent-encoding and decoding, and the system's canonical form of a URL.") \
  FAMILY(ini_lookups, "INI ファイルの読み込みと検索", "INI lookups", \
    "ReadSectionKeys はセクションのエントリーを、ReadSectionNames はセクション名を DLL の中の一覧に読み込みます。一覧は文字列用とワイド用で四つあり、次に同じ種類を読み込むまで残ります。ExistKey などはこの一覧を検索し、GetKeyValue などは番号で引きます。GetIniNumW と GetIniStrW は一覧を使わずにファイルを直接読みます。W の付く関数は UTF-16LE (FF FE 付き) のファイルだけを扱います。", \
    "ReadSectionKeys loads a section's entries and ReadSectionNames a file's section names into lists inside the library: four lists, narrow and wide, each kept until the next load of its kind. ExistKey and its kin search a list; GetKeyValue and its kin read it by index. GetIniNumW and GetIniStrW read the file directly. The W exports read UTF-16LE files (FF FE) only.") \
  FAMILY(ini_enumeration, "INI ファイルのカーソル", "INI cursors", \
    "読み込んだ一覧をたどるカーソルです。キー用とセクション用に、文字列版とワイド版が一つずつ、合わせて四つあります。読み込むとカーソルは最初の行に置かれ、Next で進み、Get で今の行を読みます。", \
    "Cursors over the loaded lists: one for keys and one for sections, each narrow and wide, four in all. A load puts the cursor on the first string; Next moves it on and Get reads the string it stands on.") \
  FAMILY(ini_writing, "INI ファイルへの書き込み", "INI writing", \
    "UTF-16LE の INI ファイルに書き込みます。ファイルがなければ UTF-16LE で作ります。", \
    "Writes into a UTF-16LE INI file, making it (as UTF-16LE) when it is missing.") \
  FAMILY(paths, "パス", "Paths", \
    "Windows のシェルのパス関数を薄く包んだものです。パスは MAX_PATH (260 文字) までを扱います。", \
    "Thin layers over the system's shell path functions. Paths up to MAX_PATH (260 characters) are supported.") \
  FAMILY(text_files, "テキストファイル", "Text files", \
    "ファイルは 10 個のスロットで開き、ハンドル 1～10 で指します。FileOpen はバイト単位、FileOpenW はエンコード (UTF-8、BOM 付き UTF-8、UTF-16LE) を決めて開きます。エラーは FileError のビットにたまります。開いたままのスロットは DLL を解放するときに閉じます。", \
    "Files open into ten slots, named by the handles 1 to 10. FileOpen opens for bytes, FileOpenW in an encoding (UTF-8, UTF-8 with a mark, UTF-16LE). Errors gather as bits of FileError. Slots still open are closed when the library is unloaded.") \
  FAMILY(window_search, "ウィンドウの検索", "Window search", \
    "SearchWindow は見つけたウィンドウを最大 256 個まで表に入れます。NextWindowHandle はその表を最後に見つけたものから順に返し、GetWindowCount は残りの数を返します。次の SearchWindow で表は作り直されます。ウィンドウハンドルは数値で、0 は「なし」です。", \
    "SearchWindow stores the windows it finds, up to 256, in the found-window table. NextWindowHandle walks that table from the window found last, and GetWindowCount tells how many are left; the next SearchWindow starts it afresh. Window handles are integers, 0 for none.") \
  FAMILY(window_geometry, "ウィンドウの位置と状態", "Window geometry and state", \
    "座標はピクセル単位のスクリーン座標です。Dwm の付く関数はデスクトップコンポジションの「見えている枠」を使います。GetWindowRectAll は秀丸エディタの Hidemaru_EvalMacro でマクロの配列変数に値を入れます。", \
    "Coordinates are screen pixels. The Dwm exports use the visible frame of desktop composition. GetWindowRectAll has the editor (Hidemaru_EvalMacro) set the macro's array variable.") \
  FAMILY(processes, "プロセス", "Processes", \
    "GetStdout はプログラムの終わりを待って出力をまとめて返し、RUNSYNC は終わりを待って終了コードを返します。待つ間、マクロは止まります。", \
    "GetStdout waits for the program and gives its whole output; RUNSYNC waits and gives its exit code. The macro waits meanwhile.") \
  FAMILY(desktop, "デスクトップ", "Desktop", \
    "キー入力、クリップボードの表示用テキスト、ウィンドウの実行ファイル、HTML ヘルプです。", \
    "Keystrokes, the clipboard's display text, a window's executable, and HTML Help.") \
  FAMILY(regex_bridge, "正規表現 (HMJRE.DLL)", "Regular expressions (HMJRE.DLL)", \
    "秀丸エディタに付いてくる正規表現の DLL、HMJRE.DLL を使います。秀丸エディタのフォルダーにあるので、エディタから使うマクロはそのまま読み込めます。見つからなければ、hmjre_load はレジストリに記録された秀丸エディタのインストール先を探します。例は HMJRE.DLL の代わりのテスト用の DLL で実行したので、バージョンは示していません。", \
    "Uses HMJRE.DLL, the regular-expression library that comes with the Hidemaru editor. It lies in the editor's folder, so a macro the editor runs loads it as it is; when it is not found there, hmjre_load looks where the registry says the editor lives. The examples ran with a stand-in for HMJRE.DLL of the tests, so its version is not shown.") \
  FAMILY(spell_bridge, "スペルチェック (Hunspell)", "Spell checking (Hunspell)", \
    "64 ビット版の Hunspell の DLL と辞書 (.aff と .dic の組) は別に用意してください (同梱していません。用意のしかたは readme-ja.txt にあります)。DLL の名前が libhunspell.dll でなければ、hunspell_load にファイル名を渡します。単語は辞書の文字コード (.aff の SET の行) で渡します。W の付く関数は単語を UTF-8 にして渡すので UTF-8 の辞書に、W の付かない関数は Shift_JIS のまま渡すので ASCII の単語か Shift_JIS の辞書に使います。失敗すると日本語のメッセージが残り、hunspell_errormessage で読めます (下の表)。例は Hunspell 1.7.1 と en_US の辞書 (UTF-8) で実行しました。", \
    "Get a 64-bit build of the Hunspell library and a dictionary (an .aff and .dic pair) yourself; they are not included (readme-ja.txt says how). Give hunspell_load the library's file name when it is not libhunspell.dll. Words go in the dictionary's encoding (the SET line of its .aff): the W exports pass the word as UTF-8, for UTF-8 dictionaries; the others pass the macro's Shift_JIS bytes, for ASCII words or Shift_JIS dictionaries. A failure leaves a Japanese message that hunspell_errormessage returns (table below). The examples ran with Hunspell 1.7.1 and the en_US dictionary (UTF-8).") \
  FAMILY(mecab_bridge, "形態素解析 (MeCab)", "Morphological analysis (MeCab)", \
    "64 ビット版の MeCab の DLL (libmecab.dll) と辞書 (IPA 辞書など) は別に用意してください (用意のしかたは readme-ja.txt にあります)。MeCab は辞書のフォルダーを mecabrc の dicdir の行から知ります。mecabrc は libmecab.dll と同じフォルダーなどから探され、options の -r でも指定できます。各関数の options に -d で辞書のフォルダーを指定することもできます。文字列はバイト列のまま MeCab に渡るので、マクロから使う辞書は Shift_JIS で作られたものにします (UTF-8 の辞書では、エラーにならずに文字化けした結果が返ります)。例は MeCab 0.996 と Shift_JIS の IPA 辞書で、libmecab.dll の横の mecabrc に dicdir = $(rcpath)\\ipadic と書いて実行しました。mecab_error のコードと mecab_errormessage のメッセージは下の表のとおりです。", \
    "Get a 64-bit build of the MeCab library (libmecab.dll) and a dictionary (IPA or another) yourself (readme-ja.txt says how). MeCab learns the dictionary's folder from the dicdir line of its mecabrc, which it looks for beside libmecab.dll among other places, or which -r names; -d in the options of a call names the folder too. Texts reach MeCab as bytes, so the dictionary a macro uses must be built for Shift_JIS (a UTF-8 dictionary gives garbled results, and no error). The examples ran with MeCab 0.996 and the IPA dictionary in Shift_JIS, named by a mecabrc beside libmecab.dll holding dicdir = $(rcpath)\\ipadic. The codes of mecab_error and the messages of mecab_errormessage are in the table below.") \
  FAMILY(nkf_bridge, "文字コード変換 (NKF32.DLL)", "Character codes (NKF32.DLL)", \
    "64 ビット版の NKF32.DLL を別に用意し、lorimax.dll と同じフォルダーに置いてください (探す順序は「読み方」にあります)。NKF32.DLL のバージョンによって使える関数が変わります (nkf_getguess は最新版だけ)。nkf_error のコードとメッセージは下の表のとおりです。例は nkf 2.1.5 の NKF32.DLL で実行しました。", \
    "Get a 64-bit NKF32.DLL yourself and put it beside lorimax.dll (How to read gives the order of the search). What works depends on its version (nkf_getguess needs the newest). The codes of nkf_error and their messages are in the table below. The examples ran with the NKF32.DLL of nkf 2.1.5.") \
  FAMILY(editorconfig, "EditorConfig", "EditorConfig", \
    "EditorConfig core ライブラリと PCRE2 は lorimax.dll に組み込まれているので、用意するものはありません。EditorConfigExecute でパスのプロパティを調べ、番号で名前と値を取り出します (UTF-8)。失敗のメッセージは core ライブラリの英語のもの、または下の表のものです。", \
    "The EditorConfig core library and PCRE2 are linked into lorimax.dll: nothing to install. EditorConfigExecute finds a path's properties; their names and values are read by index (UTF-8). A failure's message is the core library's own (in English) or one of the table below.")

#endif
