// Tsxapi.dll's own start: the only thing the DLL build does differently from the linked-in simulator.
#include "Host.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) hostsim::Host::Get().throwAllowed = false;
  return TRUE;
}
