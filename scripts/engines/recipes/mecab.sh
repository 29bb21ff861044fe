# MeCab's library as libmecab-2.dll (with its import library and mecab.h),
# UTF-8 only. Its tools are not built: they do not link as wide-entry programs.
SOURCE_PACKAGE=mecab
SOURCE_VERSION=0.996-14
DEPENDS=

build_engine() {
  local prefix=$2
  # MeCab's Win32 threads and locks, not winpthread's, which would be a DLL
  # dependency: pthread looks absent, and the GCC atomics it would pair them
  # with are switched off.
  nice ./configure --host="$TARGET" --prefix="$prefix" --with-charset=utf8 \
    --enable-utf8-only --disable-static --enable-shared \
    CC="$TARGET_CC $STATIC_RUNTIME" CXX="$TARGET_CXX -std=gnu++14 $STATIC_RUNTIME" \
    CXXFLAGS=-O2 ac_cv_header_pthread_h=no \
    ac_cv_lib_pthread_pthread_create=no ac_cv_lib_pthread_pthread_join=no
  sed -i 's/^#define HAVE_GCC_ATOMIC_OPS.*/\/* #undef HAVE_GCC_ATOMIC_OPS *\//' config.h
  LTCFLAGS=-O2 nice make -C src -j "$ENGINE_JOBS" libmecab.la
  cp src/.libs/libmecab-2.dll "$prefix/bin/"
  cp src/.libs/libmecab.dll.a "$prefix/lib/"
  cp src/mecab.h "$prefix/include/"
}
