#include "WindowClasses.h"

#include <commctrl.h>

#include <stdexcept>
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

// The common-control classes exist only once a process has asked for them (comctl32 version 6 registers
// nothing before). The host may never have: every class this library builds on is asked for here.
void InitCommonControlClasses() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  done = InitCommonControlsEx(&classes);
}

[[noreturn]] void ClassFailure(const std::string& what, const std::string& name) {
  throw std::runtime_error("Quillon could not " + what + " the window class " + name + " (error " +
                           std::to_string(GetLastError()) + "); its panel cannot be shown.");
}

// A class of ours may be left from an earlier load of the library, its procedure pointing into code that
// is gone: it is replaced.
ATOM RegisterOrReplace(const WNDCLASSEXA& wc) {
  ATOM atom = RegisterClassExA(&wc);
  if (!atom && GetLastError() == ERROR_CLASS_ALREADY_EXISTS &&
      UnregisterClassA(wc.lpszClassName, wc.hInstance))
    atom = RegisterClassExA(&wc);
  return atom;
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
    InitCommonControlClasses();
    if (!GetClassInfoExA(nullptr, systemClass.c_str(), &wc)) ClassFailure("find", systemClass);
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
  ATOM atom = RegisterOrReplace(wc);
  if (!atom) ClassFailure("register", name);
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

int RegisteredWindowClassCount() {
  return static_cast<int>(Classes().size());
}
