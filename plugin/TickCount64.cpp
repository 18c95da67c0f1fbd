// The threading runtime linked into the module times its waits with GetTickCount64, which kernel32 has
// only since Vista: importing it keeps the module from loading on XP, where the host also runs. The
// runtime calls it through its import slot, so the module fills that slot itself with a count of its own;
// the linker then finds the slot defined and takes nothing from kernel32 for it.
#include <windows.h>

#if defined(__i386__)

namespace {
// Milliseconds from the performance counter, which never wraps and which XP has (the call cannot fail
// there). Whole seconds and the remainder apart, so that no product overflows.
ULONGLONG WINAPI MillisecondsSinceStart() {
  LARGE_INTEGER frequency{}, counter{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  const ULONGLONG ticks = counter.QuadPart, perSecond = frequency.QuadPart;
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}
}  // namespace

// Named as the import library names the slot: stdcall, no arguments.
extern "C" ULONGLONG(WINAPI* const TickCount64Slot)() asm("__imp__GetTickCount64@0") = MillisecondsSinceStart;
#endif
