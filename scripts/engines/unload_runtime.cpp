// Appended to one source file of each C++ engine the tests build, so that a
// load and a FreeLibrary of the engine leave the process as they found it
// (the same mend as lorimax's own, src/frame/runtime_win.cpp): the runtime's
// record of exceptions in flight without MinGW's emulated thread storage
// (a TLS slot, a lock and a block each load, never given back), and the
// runtime's emergency exception pool given back when the engine is unloaded.
// The tests call an engine from one thread at a time.
namespace __gnu_cxx {
void __freeres() noexcept;
}
namespace {
struct EngineExceptionGlobals {
  void* caught_exceptions;
  unsigned int uncaught_exceptions;
} engine_exception_globals;
}  // namespace
extern "C" void* __cxa_get_globals() noexcept { return &engine_exception_globals; }
extern "C" void* __cxa_get_globals_fast() noexcept { return &engine_exception_globals; }
#ifndef ENGINE_HAS_DLLMAIN
extern "C" int __stdcall DllMain(void*, unsigned long reason, void* reserved) {
  if (reason == 0 /* DLL_PROCESS_DETACH */ && !reserved) __gnu_cxx::__freeres();
  return 1;
}
#endif
