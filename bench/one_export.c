/* The floor of the load row of make bench-wine: a plain C DLL with one export,
   loaded, called once and freed as lorimax.dll is on every macro run. */
__declspec(dllexport) int one_export(int n) { return n * 2; }
