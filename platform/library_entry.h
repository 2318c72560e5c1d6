#pragma once
// PLATFORM_LIBRARY_ENTRY(attach, detach) defines the one library entry of a
// shared library: DllMain on Windows, an ELF constructor and destructor pair
// elsewhere. Both call the same attach and detach functions, which must not
// throw and must not rely on other objects' dynamic initialisation.

#if defined(_WIN32)
#include <windows.h>
#define PLATFORM_LIBRARY_ENTRY(attach, detach)                                  \
  extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {             \
    if (reason == DLL_PROCESS_ATTACH) attach();                                 \
    else if (reason == DLL_PROCESS_DETACH) detach();                            \
    return TRUE;                                                                \
  }
#else
#define PLATFORM_LIBRARY_ENTRY(attach, detach)                                  \
  __attribute__((constructor)) static void platformLibraryAttach() { attach(); } \
  __attribute__((destructor)) static void platformLibraryDetach() { detach(); }
#endif
