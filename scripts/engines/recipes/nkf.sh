# NKF32.DLL from the DLL sources of nkf's upstream tarball (nkf32.c includes
# nkf.c, which includes nkf32dll.c), with its export list and version resource.
SOURCE_PACKAGE=nkf
SOURCE_VERSION=1:2.1.5-1
DEPENDS=

# What the DLL keeps between calls (its converter state, the last guess, the
# last options) is allocated once and never freed: each load that is used and
# freed again loses about a kilobyte. It goes back when the DLL is unloaded
# (not while the process exits), so that the tests that load and free lorimax
# with NKF in use see lorimax's own footprint.
release_at_unload() {
  cat >>nkf32.c <<'C'

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    if (reason == DLL_PROCESS_DETACH && !reserved) {
        if (nkf_state) {
            nkf_buf_t *bufs[] = {nkf_state->std_gc_buf, nkf_state->broken_buf, nkf_state->nfc_buf};
            int i;
            for (i = 0; i < 3; i++) {
                nkf_xfree(bufs[i]->ptr);
                nkf_xfree(bufs[i]);
            }
            nkf_xfree(nkf_state);
            nkf_state = NULL;
        }
        free(guessbuffA);
        free(guessbuffW);
        free(optStr0);
        guessbuffA = NULL;
        guessbuffW = NULL;
        optStr0 = NULL;
    }
    return TRUE;
}
C
}

build_engine() {
  local prefix=$2
  release_at_unload
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
