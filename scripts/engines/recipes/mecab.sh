# MeCab's library as libmecab-2.dll (with its import library and mecab.h).
# It reads dictionaries in any of MeCab's encodings, as the Windows builds that
# users install do: a macro's narrow calls need a Shift_JIS dictionary, the
# tests' analyses a UTF-8 one. Its tools are not built: they do not link as
# wide-entry programs.
SOURCE_PACKAGE=mecab
SOURCE_VERSION=0.996-14
DEPENDS=

# What a caller's options or text could do to the process that loads MeCab:
# - a failed CHECK_DIE called exit(-1); one is reachable from the tagger (the
#   tokenizer's check in partial mode, -p or "partial" in a dicrc, on texts of
#   the partial shape): it throws instead, for the caller to catch;
# - mecab_new2 splits its option text into an array of 64 words but compared
#   the count with the array's size in bytes, so more words wrote past it:
#   options of more than 63 words are refused instead.
# A user's own MeCab has neither mend: the bridge refuses both itself
# (src/bridges/engine_refusals.h), and the tests hold that against
# mecab_stock.sh's build too.
mend_exits() {
  patch -p1 --no-backup-if-mismatch <<'DIFF'
--- a/src/common.h
+++ b/src/common.h
@@ -13,6 +13,7 @@
 #include <cstring>
 #include <string>
 #include <iostream>
+#include <stdexcept>
 #include <sstream>
 
 #ifdef __CYGWIN__
@@ -88,12 +89,16 @@
 #endif
 
 namespace MeCab {
+// A failed check reachable from a library call (a partial-mode text can reach
+// one in the tokenizer) must not end the process that loaded the library:
+// it throws instead of calling exit(), and the C interface reports it as a
+// failure of the call.
 class die {
  public:
   die() {}
-  ~die() {
+  ~die() noexcept(false) {
     std::cerr << std::endl;
-    exit(-1);
+    throw std::runtime_error("MeCab stopped at a failed internal check");
   }
   int operator&(std::ostream&) { return 0; }
 };
--- a/src/param.cpp
+++ b/src/param.cpp
@@ -199,8 +199,13 @@
   for (char *p = str.get(); *p;) {
     while (isspace(*p)) *p++ = '\0';
     if (*p == '\0') break;
+    // Compared with the array's size in bytes, words past 64 overran it.
+    if (size == sizeof(ptr) / sizeof(ptr[0])) {
+      WHAT << "too many words in the options (at most "
+           << sizeof(ptr) / sizeof(ptr[0]) - 1 << ")";
+      return false;
+    }
     ptr[size++] = p;
-    if (size == sizeof(ptr)) break;
     while (*p && !isspace(*p)) p++;
   }
 
DIFF
}

# Its own DllMain gives the runtime's emergency pool back when the library is
# unloaded (not while the process exits), with unload_runtime.cpp's globals.
release_at_unload() {
  patch -p1 --no-backup-if-mismatch <<'DIFF'
--- a/src/libmecab.cpp
+++ b/src/libmecab.cpp
@@ -42,7 +42,7 @@
 HINSTANCE DllInstance = 0;
 
 extern "C" {
-  BOOL WINAPI DllMain(HINSTANCE hinst, DWORD dwReason, LPVOID) {
+  BOOL WINAPI DllMain(HINSTANCE hinst, DWORD dwReason, LPVOID reserved) {
     LPVOID data = 0;
     if (!DllInstance) {
       DllInstance = hinst;
@@ -71,6 +71,7 @@
         }
         ::TlsFree(g_tls_index);
         g_tls_index = TLS_OUT_OF_INDEXES;
+        if (!reserved) __gnu_cxx::__freeres();
         break;
       default:
         break;
DIFF
  { echo '#define ENGINE_HAS_DLLMAIN'; cat "$UNLOAD_RUNTIME"; } >>src/libmecab.cpp
  sed -i '0,/^#include/s//namespace __gnu_cxx { void __freeres() noexcept; }\n#include/' src/libmecab.cpp
}

# The mends, in order; a stock build (mecab_stock.sh) applies none.
MENDS=(mend_exits release_at_unload)

build_engine() {
  local prefix=$2 mend
  for mend in "${MENDS[@]}"; do "$mend"; done
  # MeCab's Win32 threads and locks, not winpthread's, which would be a DLL
  # dependency: pthread looks absent, and the GCC atomics it would pair them
  # with are switched off.
  nice ./configure --host="$TARGET" --prefix="$prefix" --with-charset=utf8 \
    --disable-static --enable-shared \
    CC="$TARGET_CC $STATIC_RUNTIME" CXX="$TARGET_CXX -std=gnu++14 $STATIC_RUNTIME" \
    CXXFLAGS="-O2 $UNLOAD_CXXFLAGS" ac_cv_header_pthread_h=no \
    ac_cv_lib_pthread_pthread_create=no ac_cv_lib_pthread_pthread_join=no
  sed -i 's/^#define HAVE_GCC_ATOMIC_OPS.*/\/* #undef HAVE_GCC_ATOMIC_OPS *\//' config.h
  LTCFLAGS=-O2 nice make -C src -j "$ENGINE_JOBS" libmecab.la
  cp src/.libs/libmecab-2.dll "$prefix/bin/"
  cp src/.libs/libmecab.dll.a "$prefix/lib/"
  cp src/mecab.h "$prefix/include/"
}
