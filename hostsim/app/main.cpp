// quillon-host: a small 3D host around the simulator's scene, for people (a window) and for tests and the
// demo (a script run headless, then the window closes).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "Console.h"
#include "HostWindow.h"
#include "Screenshot.h"
#include "ScriptRunner.h"

namespace {

const char kUsage[] =
    "usage: quillon-host [--plugin PATH] [--objects N] [--show-panel]\n"
    "                    [--script FILE [--screenshot OUT.bmp]]\n";

struct Arguments {
  HostOptions host;
  std::string script;
  std::string screenshot;
  std::string error;
};

std::string BesideProgram(const char* file) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  size_t slash = folder.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : folder.substr(0, slash + 1)) + file;
}

Arguments Parse(int argc, char** argv) {
  Arguments arguments;
  arguments.host.pluginPath = BesideProgram("Quillon_ts4.tsx");
  for (int i = 1; i < argc && arguments.error.empty(); ++i) {
    std::string option = argv[i];
    bool hasValue = i + 1 < argc;
    if (option == "--show-panel")
      arguments.host.showPanel = true;
    else if (option == "--plugin" && hasValue)
      arguments.host.pluginPath = argv[++i];
    else if (option == "--script" && hasValue)
      arguments.script = argv[++i];
    else if (option == "--screenshot" && hasValue)
      arguments.screenshot = argv[++i];
    else if (option == "--objects" && hasValue && std::atoi(argv[i + 1]) > 0)
      arguments.host.objects = std::atoi(argv[++i]);
    else
      arguments.error = "quillon-host: bad option \"" + option + "\"\n" + kUsage;
  }
  return arguments;
}

int RunScript(HostWindow& host, const Arguments& arguments) {
  ScriptRunner::Pump();
  int result = ScriptRunner(host).Run(arguments.script);
  ScriptRunner::Pump();
  if (result == 0 && !arguments.screenshot.empty()) {
    std::string error = SaveWindowBitmap(host.Handle(), arguments.screenshot);
    if (!error.empty()) {
      WriteErr("quillon-host: " + error + "\n");
      result = 1;
    }
  }
  host.Close();
  ScriptRunner::Pump();
  return result;
}

int RunInteractive() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Arguments arguments = Parse(__argc, __argv);
  if (!arguments.error.empty()) {
    WriteErr(arguments.error);
    if (arguments.script.empty())
      MessageBoxA(nullptr, arguments.error.c_str(), "Quillon Host", MB_OK | MB_ICONERROR);
    return 2;
  }
  HostWindow host;
  if (!host.Create(arguments.host)) {
    WriteErr("quillon-host: cannot create the main window\n");
    return 1;
  }
  return arguments.script.empty() ? RunInteractive() : RunScript(host, arguments);
}
