# EditorConfig core, as a static library against the static PCRE2. Only the
# library is built: its tool and shared library are not needed.
SOURCE_PACKAGE=editorconfig-core
SOURCE_VERSION=0.12.6-0.1
DEPENDS=pcre2

# Paths reach the library as UTF-8 (lorimax converts them so); its one fopen,
# in ini.c, opens them as UTF-8 instead of through the ANSI code page.
utf8_fopen() {
  cat >utf8_fopen.c <<'C'
#ifdef _WIN32
#include <stdlib.h>
#include <windows.h>
/* Paths reach the library as UTF-8. The C runtime's fopen would read them in
   the ANSI code page and miss every folder whose name is not ASCII. */
static FILE* fopen_utf8(const char* name, const char* mode)
{
    wchar_t wmode[8];
    wchar_t* wname;
    FILE* file;
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, NULL, 0);
    if (length == 0 || !MultiByteToWideChar(CP_UTF8, 0, mode, -1, wmode, 8))
        return NULL;
    wname = (wchar_t*)malloc(length * sizeof(wchar_t));
    if (!wname)
        return NULL;
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, wname, length);
    file = _wfopen(wname, wmode);
    free(wname);
    return file;
}
#define fopen fopen_utf8
#endif
C
  sed -i '/^#include "ini.h"$/r utf8_fopen.c' src/lib/ini.c
  grep -q '^#define fopen fopen_utf8$' src/lib/ini.c
}

build_engine() {
  local prefix=$2 pcre2
  pcre2=$(engine_prefix pcre2)
  utf8_fopen
  # The library by full path: a search would pick an import library if one existed.
  cmake_target_configure "$prefix" -DBUILD_DOCUMENTATION=OFF -DPCRE2_STATIC=ON \
    -DPCRE2_INCLUDE_DIR="$pcre2/include" -DPCRE2_LIBRARY="$pcre2/lib/libpcre2-8.a" \
    -DPCRE2_LIBRARY_RELEASE="$pcre2/lib/libpcre2-8.a"
  nice cmake --build build -j "$ENGINE_JOBS" --target editorconfig_static
  cp build/lib/libeditorconfig_static.a "$prefix/lib/"
  cp -r include/editorconfig "$prefix/include/"
}
