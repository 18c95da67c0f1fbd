#include <windows.h>

#include "tsxPlug.h"

// Nothing is made here: windows are created at the first export call. On FreeLibrary the library tears its
// windows and classes down so that it can be loaded again in the same process; at process exit
// (reserved non-null) Windows is already tearing everything down and nothing is touched.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) ShutDownLibrary();
  return TRUE;
}
