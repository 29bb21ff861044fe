# EditorConfig core, as a static library against the static PCRE2. Only the
# library is built: its tool and shared library are not needed.
SOURCE_PACKAGE=editorconfig-core
SOURCE_VERSION=0.12.6-0.1
DEPENDS=pcre2

build_engine() {
  local prefix=$2 pcre2
  pcre2=$(engine_prefix pcre2)
  # The library by full path: a search would pick an import library if one existed.
  cmake_target_configure "$prefix" -DBUILD_DOCUMENTATION=OFF -DPCRE2_STATIC=ON \
    -DPCRE2_INCLUDE_DIR="$pcre2/include" -DPCRE2_LIBRARY="$pcre2/lib/libpcre2-8.a" \
    -DPCRE2_LIBRARY_RELEASE="$pcre2/lib/libpcre2-8.a"
  nice cmake --build build -j "$ENGINE_JOBS" --target editorconfig_static
  cp build/lib/libeditorconfig_static.a "$prefix/lib/"
  cp -r include/editorconfig "$prefix/include/"
}
