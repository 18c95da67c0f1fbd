#include "HostProcess.h"

#include <fstream>
#include <sstream>

namespace {

int Counter() {
  static int counter = 0;
  return ++counter;
}

std::string UniqueName(const char* what) {
  return "hostapp_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(Counter()) + what;
}

HANDLE OpenForChild(const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Starts quillon-host.exe with stdout and stderr going to the given files.
PROCESS_INFORMATION Start(const std::string& arguments, HANDLE out, HANDLE err) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  std::string command = "quillon-host.exe " + arguments;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process))
    process = {};
  return process;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchHostWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner != search->processId || lstrcmpA(name, "QuillonHost.Main") != 0 || !IsWindowVisible(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

struct ClassSearch {
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ClassSearch*>(data);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HostRun RunScript(const std::string& script, const std::string& arguments, DWORD timeoutMs) {
  std::string scriptPath = UniqueName(".script"), outPath = UniqueName(".out"), errPath = UniqueName(".err");
  std::ofstream(scriptPath, std::ios::binary) << script;
  HANDLE out = OpenForChild(outPath), err = OpenForChild(errPath);
  PROCESS_INFORMATION process = Start("--script " + scriptPath + " " + arguments, out, err);
  CloseHandle(out);
  CloseHandle(err);
  HostRun run;
  if (!process.hProcess) {
    run.exitCode = static_cast<DWORD>(-1);
    run.err = "cannot start quillon-host.exe";
    return run;
  }
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_TIMEOUT) {
    run.timedOut = true;
    TerminateProcess(process.hProcess, 3);
    WaitForSingleObject(process.hProcess, 5000);
  }
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  DeleteFileA(scriptPath.c_str());
  DeleteFileA(outPath.c_str());
  DeleteFileA(errPath.c_str());
  return run;
}

RunningHost::RunningHost(const std::string& arguments) : FErrPath(UniqueName(".err")) {
  FErrFile = OpenForChild(FErrPath);
  FProcess = Start(arguments, FErrFile, FErrFile);
}

RunningHost::~RunningHost() {
  if (FProcess.hProcess) {
    if (Alive()) {
      TerminateProcess(FProcess.hProcess, 3);
      WaitForSingleObject(FProcess.hProcess, 5000);
    }
    CloseHandle(FProcess.hThread);
    CloseHandle(FProcess.hProcess);
  }
  CloseHandle(FErrFile);
  DeleteFileA(FErrPath.c_str());
}

HWND RunningHost::WaitForWindow(DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); !FWindow && GetTickCount() - start < timeoutMs && Alive(); Sleep(100)) {
    WindowSearch search{FProcess.dwProcessId, nullptr};
    EnumWindows(MatchHostWindow, reinterpret_cast<LPARAM>(&search));
    FWindow = search.found;
  }
  return FWindow;
}

bool RunningHost::Alive() const {
  return FProcess.hProcess && WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD RunningHost::CloseAndWait(DWORD timeoutMs) {
  if (FWindow) PostMessageA(FWindow, WM_CLOSE, 0, 0);
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(FProcess.hProcess, timeoutMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(FProcess.hProcess, &code);
  return code;
}

std::string RunningHost::Err() const {
  return ReadAll(FErrPath);
}

HWND FindChildOfClass(HWND parent, const char* className) {
  ClassSearch search{className, nullptr};
  if (parent) EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}
