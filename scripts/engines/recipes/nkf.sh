# NKF32.DLL from the DLL sources of nkf's upstream tarball (nkf32.c includes
# nkf.c, which includes nkf32dll.c), with its export list and version resource.
SOURCE_PACKAGE=nkf
SOURCE_VERSION=1:2.1.5-1
DEPENDS=

build_engine() {
  local prefix=$2
  # nkf.c calls dllprintf (its fprintf in the DLL) before nkf32dll.c defines it.
  printf '#include <stdio.h>\nint dllprintf(FILE *fp, char *fmt, ...);\n' >dllprintf.h
  nice $TARGET_CC -O2 -include dllprintf.h -DWIN32DLL -DTOMIME -DGETKANJICODE \
    -DFILECONVERT1 -DFILECONVERT2 -DUNICODESUPPORT -c nkf32.c -o nkf32.o
  nice $TARGET_CC -O2 -c utf8tbl.c -o utf8tbl.o
  $TARGET-windres dll.rc -O coff -o dll.res.o
  $TARGET_CC -shared -static-libgcc -static -o NKF32.DLL nkf32.o utf8tbl.o dll.res.o dll.def \
    -Wl,--out-implib,libnkf32.dll.a -luser32 -lkernel32
  cp NKF32.DLL "$prefix/bin/"
  cp libnkf32.dll.a "$prefix/lib/"
  cp nkf32.h "$prefix/include/"
}
