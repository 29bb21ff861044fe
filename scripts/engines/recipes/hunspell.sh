# Hunspell's library as libhunspell-1.7-0.dll (with its import library and
# headers); the tools are not built.
SOURCE_PACKAGE=hunspell
SOURCE_VERSION=1.7.1-1
DEPENDS=

build_engine() {
  local prefix=$2
  nice ./configure --host="$TARGET" --prefix="$prefix" --disable-nls --without-ui \
    --without-readline --disable-static --enable-shared \
    CC="$TARGET_CC $STATIC_RUNTIME" CXX="$TARGET_CXX $STATIC_RUNTIME" CXXFLAGS=-O2
  nice make -C src/hunspell -j "$ENGINE_JOBS"
  make -C src/hunspell install
}
