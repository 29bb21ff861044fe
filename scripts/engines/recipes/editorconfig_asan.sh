# The EditorConfig core again, as the MinGW recipe mends it, built for this
# machine under AddressSanitizer and LeakSanitizer (against Debian's PCRE2),
# so that hostile .editorconfig files can be run through it natively.
source "$ENGINE_SCRIPTS/recipes/editorconfig.sh"
DEPENDS=editorconfig

build_engine() {
  local prefix=$2 flags="-fsanitize=address -fno-omit-frame-pointer -g -O1"
  utf8_fopen
  harden_glob
  nice cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_DOCUMENTATION=OFF \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_C_FLAGS="$flags" -DCMAKE_C_FLAGS_RELEASE=
  nice cmake --build build -j "$ENGINE_JOBS" --target editorconfig_static
  cp build/lib/libeditorconfig_static.a "$prefix/lib/"
  cp -r include/editorconfig "$prefix/include/"
}
