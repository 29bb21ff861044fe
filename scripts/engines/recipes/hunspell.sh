# Hunspell's library as libhunspell-1.7-0.dll (with its import library and
# headers); the tools are not built.
SOURCE_PACKAGE=hunspell
SOURCE_VERSION=1.7.1-1
DEPENDS=

# Counts in the files sized memory before a line of what they count was read:
# a dictionary's first line (268000000 in a small file made Hunspell allocate
# 2 GB) is held to what the file can hold, and the tables of the affix file
# (REP, MAP, BREAK, PFX, SFX, CHECKCOMPOUNDPATTERN, COMPOUNDRULE: 2000000000
# made it throw std::bad_alloc, or commit 16 GB) grow with the lines read
# instead of being reserved whole. A user's own Hunspell has no mend: the
# bridge refuses such files itself (src/bridges/engine_refusals.h), and the
# tests hold that against hunspell_stock.sh's build too.
trust_no_count() {
  patch -p1 --no-backup-if-mismatch <<'DIFF'
--- a/src/hunspell/affixmgr.cxx
+++ b/src/hunspell/affixmgr.cxx
@@ -3982,7 +3982,7 @@
                            af->getlinenum());
           return false;
         }
-        checkcpdtable.reserve(numcheckcpd);
+        checkcpdtable.reserve(std::min(numcheckcpd, 1024));  // grows with the lines read
         np++;
         break;
       }
@@ -4079,7 +4079,7 @@
                            af->getlinenum());
           return false;
         }
-        defcpdtable.reserve(numdefcpd);
+        defcpdtable.reserve(std::min(numdefcpd, 1024));  // grows with the lines read
         np++;
         break;
       }
@@ -4182,7 +4182,7 @@
                            af->getlinenum());
           return false;
         }
-        maptable.reserve(nummap);
+        maptable.reserve(std::min(nummap, 1024));  // grows with the lines read
         np++;
         break;
       }
@@ -4286,7 +4286,7 @@
         }
         if (numbreak == 0)
           return true;
-        breaktable.reserve(numbreak);
+        breaktable.reserve(std::min(numbreak, 1024));  // grows with the lines read
         np++;
         break;
       }
@@ -4393,7 +4393,7 @@
   }
   void initialize(int numents,
                   char opts, unsigned short aflag) {
-    entries.reserve(numents);
+    entries.reserve(std::min(numents, 1024));  // grows with the lines read
 
     if (m_at == 'P') {
       entries.push_back(new PfxEntry(m_mgr));
--- a/src/hunspell/hashmgr.cxx
+++ b/src/hunspell/hashmgr.cxx
@@ -73,6 +73,8 @@
 #include <stdio.h>
 #include <ctype.h>
 #include <limits>
+#include <sys/stat.h>
+#include <algorithm>
 #include <sstream>
 
 #include "hashmgr.hxx"
@@ -599,6 +601,20 @@
     delete dict;
     return 4;
   }
+  // The count sizes the table before a word is read: a word takes at least
+  // a character and a line end, so the file cannot hold more than half its
+  // size in words (a compressed .hz file at most eight times that).
+  {
+    struct stat st;
+    std::string hz = std::string(tpath) + ".hz";
+    long long most = -1;
+    if (stat(tpath, &st) == 0)
+      most = (long long)st.st_size / 2;
+    else if (stat(hz.c_str(), &st) == 0)
+      most = (long long)st.st_size * 8;
+    if (most >= 0 && tablesize > most)
+      tablesize = (int)most;
+  }
   tablesize += nExtra;
   if ((tablesize % 2) == 0)
     tablesize++;
@@ -1311,7 +1327,7 @@
                            af->getlinenum());
           return false;
         }
-        reptable.reserve(numrep);
+        reptable.reserve(std::min(numrep, 1024));  // grows with the lines read
         np++;
         break;
       }
DIFF
}

# What loading and freeing it needs to stay flat (the tests measure it).
release_at_unload() { cat "$UNLOAD_RUNTIME" >>src/hunspell/hunspell.cxx; }

# The mends, in order; a stock build (hunspell_stock.sh) applies none.
MENDS=(trust_no_count release_at_unload)

build_engine() {
  local prefix=$2 mend
  for mend in "${MENDS[@]}"; do "$mend"; done
  nice ./configure --host="$TARGET" --prefix="$prefix" --disable-nls --without-ui \
    --without-readline --disable-static --enable-shared \
    CC="$TARGET_CC $STATIC_RUNTIME" CXX="$TARGET_CXX $STATIC_RUNTIME" CXXFLAGS="-O2 $UNLOAD_CXXFLAGS"
  nice make -C src/hunspell -j "$ENGINE_JOBS"
  make -C src/hunspell install
}
