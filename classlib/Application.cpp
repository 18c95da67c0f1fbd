#include "Application.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "SehGuard.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
TApplication* TheApplication = nullptr;

// The thread's top-level windows and whether each took input, noted before a system box is shown.
class TThreadWindowsNoted {
 public:
  TThreadWindowsNoted() { FWindows = Note(); }
  // After the box's loop was cut short: the box never enabled again the windows it disabled, nor
  // destroyed itself. Windows that took input do so again; a new dialog window with the box's caption
  // is the box.
  void Restore(const std::string& caption) const {
    for (const auto& [window, enabled] : Note()) {
      auto before =
          std::find_if(FWindows.begin(), FWindows.end(), [w = window](auto& n) { return n.first == w; });
      if (before == FWindows.end() && IsBox(window, caption))
        DestroyWindow(window);
      else if (before != FWindows.end() && before->second && !enabled)
        EnableWindow(window, TRUE);
    }
  }

 private:
  using TNoted = std::vector<std::pair<HWND, bool>>;
  static TNoted Note() {
    TNoted noted;
    EnumThreadWindows(GetCurrentThreadId(), Add, reinterpret_cast<LPARAM>(&noted));
    return noted;
  }
  static BOOL CALLBACK Add(HWND window, LPARAM noted) {
    reinterpret_cast<TNoted*>(noted)->emplace_back(window, IsWindowEnabled(window) != 0);
    return TRUE;
  }
  static bool IsBox(HWND window, const std::string& caption) {
    char name[16] = "", text[256] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, text, sizeof text);
    return std::string(name) == "#32770" && caption == text;
  }

  TNoted FWindows;
};

// The system's box runs a loop of its own, which dispatches to the host's windows too. A fault in there
// has nowhere left to be reported: the box is put away and the failure dropped.
void ShowErrorBox(const std::string& message, const std::string& title) {
  TThreadWindowsNoted windows;
  try {
    CallGuarded("the error message box", MessageBoxA, GetActiveWindow(), message.c_str(), title.c_str(),
                UINT{MB_OK | MB_ICONSTOP | MB_TASKMODAL});
  } catch (const EStructuredException&) {
    windows.Restore(title);
  }
}
}  // namespace

HINSTANCE ModuleInstance() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

TApplication& Application() {
  if (!TheApplication) TheApplication = new TApplication();
  return *TheApplication;
}

bool ApplicationExists() {
  return TheApplication != nullptr;
}

void DestroyApplication() {
  delete TheApplication;
  TheApplication = nullptr;
}

void TApplication::HandleException() {
  std::string message = "Unknown failure.";
  try {
    throw;
  } catch (const std::exception& failure) {
    message = failure.what();
  } catch (...) {
  }
  if (OnException) {
    OnException(message);
    return;
  }
  ShowErrorBox(message, Title);
}

void TApplication::HandleStructuredException(DWORD code) {
  try {
    throw EStructuredException(code);
  } catch (...) {
    HandleException();
  }
}
