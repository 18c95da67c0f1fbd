// The window classes this library registers. Classes registered by a DLL outlive it unless unregistered,
// and a later load would then find a class whose procedure points into unloaded code; so every class goes
// through here and UnregisterWindowClasses runs when the library unloads.
#pragma once

#include <windows.h>

#include <string>

// Registers (once) a class of our own named className. With a systemClass, the new class superclasses
// it: same look and behaviour, our procedure in front. Returns the class name to create windows with.
std::string EnsureWindowClass(const std::string& className, const std::string& systemClass, UINT style);
// The procedure a superclassed window falls back on (DefWindowProcA for classes of our own).
WNDPROC OriginalWindowProc(HWND window);
void UnregisterWindowClasses();
// For a class registered elsewhere (with a procedure of its own): how to unregister it at unload.
void UnregisterAtUnload(void (*unregister)());
int RegisteredWindowClassCount();
