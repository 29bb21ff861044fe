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

# A glob read from any folder's .editorconfig is hostile input:
# - ec_glob copied it into fixed stack buffers unchecked (strcpy into
#   l_pattern, strcat/strncat for a bracket holding '/'): such a glob is now
#   refused as PCRE2 refuses one it cannot compile (the section is skipped),
#   and the '$' at the end is checked like every other character;
# - its early returns leaked the compiled range pattern and the range list;
# - a backtracking glob ("**a" many times, then "**b") ran to PCRE2's default
#   match limit of ten million, once for every property line of its section:
#   the match now gives up after EC_GLOB_MATCH_LIMIT steps (as no match), and
#   a section's verdict is kept for its following lines;
# - a file that failed to parse leaked the properties read before the failure.
harden_glob() {
  patch -p1 --no-backup-if-mismatch <<'DIFF'
--- a/src/lib/ec_glob.c
+++ b/src/lib/ec_glob.c
@@ -31,7 +31,9 @@
 #include <string.h>
 #include <pcre2.h>
 
-#define utarray_oom() { return -2; }
+/* Every way out after the first allocation goes through cleanup. */
+#define EC_GLOB_FAIL(code) do { ret = (code); goto cleanup; } while (0)
+#define utarray_oom() EC_GLOB_FAIL(-2)
 #include "utarray.h"
 #include "misc.h"
 #include "util.h"
@@ -52,7 +54,7 @@
 #define STRING_CAT(p, string, end)  do {    \
     size_t string_len = strlen(string); \
     if (p + string_len >= end) \
-        return -1; \
+        EC_GLOB_FAIL(-1); \
     strcat(p, string); \
     p += string_len; \
 } while(0)
@@ -60,11 +62,15 @@
 /* safely add a char to a string then move the pointer to the end */
 #define ADD_CHAR(string, new_chr, end)  do {    \
     if (string + 1 >= end) \
-        return -1; \
+        EC_GLOB_FAIL(-1); \
     *(string ++) = new_chr; \
 } while(0)
 
 #define PATTERN_MAX  4097
+/* A hostile glob must not stall the caller: the match gives up (as no match)
+   after this much backtracking. Globs of paths need a small part of it. */
+#define EC_GLOB_MATCH_LIMIT 20000
+#define EC_GLOB_DEPTH_LIMIT  1000
 /*
  * Whether the string matches the given glob pattern. Return 0 if successful, return -1 if a PCRE
  * error or other regex error occurs, and return -2 if an OOM outside PCRE occurs.
@@ -82,15 +88,26 @@
     _Bool                     is_in_bracket = 0;
     int                       error_code;
     size_t                    erroffset;
-    pcre2_code *              re;
+    pcre2_code *              re = NULL;
     int                       rc;
     size_t *                  pcre_result;
-    pcre2_match_data *        pcre_match_data;
+    pcre2_match_data *        pcre_match_data = NULL;
+    pcre2_match_context *     match_context = NULL;
     char                      l_pattern[2 * PATTERN_MAX];
     _Bool                     are_braces_paired = 1;
-    UT_array *                nums;     /* number ranges */
+    UT_array *                nums = NULL;     /* number ranges */
     int                       ret = 0;
 
+    /* Each escaped {single} adds one byte to l_pattern: a pattern that could
+       outgrow it is refused like a pattern PCRE2 refuses. */
+    {
+        size_t length = strlen(pattern);
+        for (c = (char *) pattern; *c; ++ c)
+            if (*c == '{')
+                ++ length;
+        if (length >= sizeof(l_pattern))
+            return -1;
+    }
     strcpy(l_pattern, pattern);
     p_pcre = pcre_str + 1;
     pcre_str_end = pcre_str + 2 * PATTERN_MAX;
@@ -192,11 +209,19 @@
                     if (!right_bracket)  /* The right bracket may not exist */
                         right_bracket = c + strlen(c);
 
-                    strcat(p_pcre, "\\");
-                    strncat(p_pcre, c, right_bracket - c);
+                    /* "\", the bracket's text and "\]", with the terminator */
+                    if ((size_t) (pcre_str_end - p_pcre) <=
+                            1 + (size_t) (right_bracket - c) + (*right_bracket ? 2 : 0))
+                        EC_GLOB_FAIL(-1);
+                    *(p_pcre ++) = '\\';
+                    memcpy(p_pcre, c, right_bracket - c);
+                    p_pcre += right_bracket - c;
                     if (*right_bracket)  /* right_bracket is a bracket */
-                        strcat(p_pcre, "\\]");
-                    p_pcre += strlen(p_pcre);
+                    {
+                        *(p_pcre ++) = '\\';
+                        *(p_pcre ++) = ']';
+                    }
+                    *p_pcre = '\0';
                     c = right_bracket;
                     if (!*c)
                         /* end of string, meaning that right_bracket is not a
@@ -339,20 +364,23 @@
         }
     }
 
-    *(p_pcre ++) = '$';
+    ADD_CHAR(p_pcre, '$', pcre_str_end);
+    *p_pcre = '\0';
 
     pcre2_code_free(re); /* ^\\d+\\.\\.\\d+$ */
 
     re = pcre2_compile(pcre_str, PCRE2_ZERO_TERMINATED, 0, &error_code, &erroffset, NULL);
 
     if (!re)        /* failed to compile */
-    {
-        utarray_free(nums);
-        return -1;
-    }
+        EC_GLOB_FAIL(-1);
 
     pcre_match_data = pcre2_match_data_create_from_pattern(re, NULL);
-    rc = pcre2_match(re, string, strlen(string), 0, 0, pcre_match_data, NULL);
+    match_context = pcre2_match_context_create(NULL);
+    if (!pcre_match_data || !match_context)
+        EC_GLOB_FAIL(-2);
+    pcre2_set_match_limit(match_context, EC_GLOB_MATCH_LIMIT);
+    pcre2_set_depth_limit(match_context, EC_GLOB_DEPTH_LIMIT);
+    rc = pcre2_match(re, string, strlen(string), 0, 0, pcre_match_data, match_context);
 
     if (rc < 0)     /* failed to match */
     {
@@ -397,7 +425,9 @@
 
     pcre2_code_free(re);
     pcre2_match_data_free(pcre_match_data);
-    utarray_free(nums);
+    pcre2_match_context_free(match_context);
+    if (nums)
+        utarray_free(nums);
 
     return ret;
 }
--- a/src/lib/editorconfig.c
+++ b/src/lib/editorconfig.c
@@ -52,6 +52,11 @@
     char*                           full_filename;
     char*                           editorconfig_file_dir;
     array_editorconfig_name_value   array_name_value;
+    /* The glob verdict of the section last seen in this file: every property
+       line of a section would otherwise match its glob again. */
+    _Bool                           section_known;
+    _Bool                           section_matches;
+    char                            section[MAX_SECTION_NAME + 1];
 } handler_first_param;
 
 /*
@@ -228,6 +233,13 @@
         return 1;
     }
 
+    if (hfparam->section_known && !strcmp(hfparam->section, section)) {
+        if (hfparam->section_matches &&
+                array_editorconfig_name_value_add(&hfparam->array_name_value, name, value))
+            return 0;
+        return 1;
+    }
+
     /* Pattern would be: /dir/of/editorconfig/file[double_star]/[section] if
      * section does not contain '/', or /dir/of/editorconfig/file[section]
      * if section starts with a '/', or /dir/of/editorconfig/file/[section] if
@@ -265,15 +277,14 @@
 
     strcat(pattern, section);
 
-    if (ec_glob(pattern, hfparam->full_filename) == 0) {
-        if (array_editorconfig_name_value_add(&hfparam->array_name_value, name,
-                value)) {
-            free(pattern);
-            return 0;
-        }
-    }
-
+    hfparam->section_matches = ec_glob(pattern, hfparam->full_filename) == 0;
     free(pattern);
+    hfparam->section_known = strlen(section) <= MAX_SECTION_NAME;
+    if (hfparam->section_known)
+        strcpy(hfparam->section, section);
+    if (hfparam->section_matches &&
+            array_editorconfig_name_value_add(&hfparam->array_name_value, name, value))
+        return 0;
     return 1;
 }
 
@@ -523,6 +534,7 @@
     for (config_file = config_files; *config_file != NULL; config_file++) {
         int ini_err_num;
         err_num = split_file_path(&hfp.editorconfig_file_dir, NULL, *config_file);
+        hfp.section_known = 0;
         if (err_num == -1) {
           err_num = EDITORCONFIG_PARSE_MEMORY_ERROR;
           goto cleanup;
@@ -592,6 +604,8 @@
     }
 
  cleanup:
+    if (err_num != 0)  /* the values gathered before the failure */
+        array_editorconfig_name_value_clear(&hfp.array_name_value);
     free_filenames(config_files);
     free(hfp.full_filename);
     free(hfp.editorconfig_file_dir);
DIFF
}

build_engine() {
  local prefix=$2 pcre2
  pcre2=$(engine_prefix pcre2)
  utf8_fopen
  harden_glob
  # The library by full path: a search would pick an import library if one existed.
  cmake_target_configure "$prefix" -DBUILD_DOCUMENTATION=OFF -DPCRE2_STATIC=ON \
    -DPCRE2_INCLUDE_DIR="$pcre2/include" -DPCRE2_LIBRARY="$pcre2/lib/libpcre2-8.a" \
    -DPCRE2_LIBRARY_RELEASE="$pcre2/lib/libpcre2-8.a"
  nice cmake --build build -j "$ENGINE_JOBS" --target editorconfig_static
  cp build/lib/libeditorconfig_static.a "$prefix/lib/"
  cp -r include/editorconfig "$prefix/include/"
}
