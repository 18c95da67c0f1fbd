#include "WindowClasses.h"

#include <map>
#include <vector>

#include "Application.h"

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {
struct RegisteredClass {
  std::string name;
  ATOM atom;
  WNDPROC original;
};
std::vector<RegisteredClass>& Classes() {
  static std::vector<RegisteredClass> classes;
  return classes;
}
std::vector<void (*)()>& OtherClasses() {
  static std::vector<void (*)()> unregisters;
  return unregisters;
}
}  // namespace

std::string EnsureWindowClass(const std::string& className, const std::string& systemClass, UINT style) {
  std::string name = "Quillon." + className;
  for (const RegisteredClass& known : Classes())
    if (known.name == name) return name;

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  WNDPROC original = DefWindowProcA;
  if (!systemClass.empty()) {
    if (!GetClassInfoExA(nullptr, systemClass.c_str(), &wc)) return systemClass;
    original = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
  } else {
    wc.style = style;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  }
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ControlWindowProc;
  wc.hInstance = ModuleInstance();
  wc.lpszClassName = name.c_str();
  wc.hIconSm = nullptr;
  ATOM atom = RegisterClassExA(&wc);
  Classes().push_back({name, atom, original});
  return name;
}

WNDPROC OriginalWindowProc(HWND window) {
  ATOM atom = static_cast<ATOM>(GetClassLongA(window, GCW_ATOM));
  for (const RegisteredClass& known : Classes())
    if (known.atom == atom) return known.original;
  return DefWindowProcA;
}

void UnregisterWindowClasses() {
  for (const RegisteredClass& known : Classes()) UnregisterClassA(known.name.c_str(), ModuleInstance());
  Classes().clear();
  for (auto unregister : OtherClasses()) unregister();
  OtherClasses().clear();
}

void UnregisterAtUnload(void (*unregister)()) {
  for (auto known : OtherClasses())
    if (known == unregister) return;
  OtherClasses().push_back(unregister);
}

int RegisteredWindowClassCount() { return static_cast<int>(Classes().size()); }
