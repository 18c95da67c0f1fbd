// quillon-host.exe started as a separate process from the test's folder (the build's bin folder, where the
// plug-in and Tsxapi.dll lie beside it).
#pragma once

#include <windows.h>

#include <string>

struct HostRun {
  DWORD exitCode = 0;
  bool timedOut = false;
  std::string out;
  std::string err;
};

// Runs the host on a script (written to a file of its own) with the extra arguments, to its end.
HostRun RunScript(const std::string& script, const std::string& arguments = "", DWORD timeoutMs = 60000);

// A host left running with its window, for tests that act on it as a user would.
class RunningHost {
 public:
  explicit RunningHost(const std::string& arguments);
  ~RunningHost();
  RunningHost(const RunningHost&) = delete;
  RunningHost& operator=(const RunningHost&) = delete;

  // The main window once it is up (null after the timeout).
  HWND WaitForWindow(DWORD timeoutMs = 30000);
  bool Alive() const;
  // Closes the main window as the user does and waits for the exit code (STILL_ACTIVE on timeout).
  DWORD CloseAndWait(DWORD timeoutMs = 30000);
  std::string Err() const;

 private:
  PROCESS_INFORMATION FProcess{};
  std::string FErrPath;
  HANDLE FErrFile = INVALID_HANDLE_VALUE;
  HWND FWindow = nullptr;
};

HWND FindChildOfClass(HWND parent, const char* className);
std::string WindowText(HWND window);
