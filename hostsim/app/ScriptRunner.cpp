#include "ScriptRunner.h"

#include <cstdlib>
#include <fstream>

#include "Console.h"
#include "Screenshot.h"
#include "ScriptInput.h"
#include "TreeReader.h"

namespace {

constexpr UINT kTickMs = 10;
constexpr DWORD kInputTimeoutMs = 10000;
ScriptRunner* Running = nullptr;  // the thread timer's procedure has no room for its runner

bool IsNumber(const std::string& word) {
  return !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
}

// The object a script names; the message when there is none.
std::string Lookup(const std::string& name, SobjHandle& object) {
  object = FindObject(name);
  return object ? "" : "no object named \"" + name + "\"";
}

}  // namespace

bool SplitWords(const std::string& line, std::vector<std::string>& words) {
  words.clear();
  size_t at = 0;
  while (true) {
    at = line.find_first_not_of(" \t\r", at);
    if (at == std::string::npos) return true;
    if (line[at] == '"') {
      size_t end = line.find('"', at + 1);
      if (end == std::string::npos) return false;
      words.push_back(line.substr(at + 1, end - at - 1));
      at = end + 1;
    } else {
      size_t end = line.find_first_of(" \t\r", at);
      words.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
      at = end;
    }
  }
}

void ScriptRunner::Pump() {
  // A window that keeps invalidating itself must not hold the script forever.
  MSG msg;
  for (int i = 0; i < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int ScriptRunner::Run(const std::string& path) {
  std::ifstream file(path);
  if (!file) {
    WriteErr("quillon-host: cannot read the script \"" + path + "\"\n");
    return 2;
  }
  FPath = path;
  for (std::string line; std::getline(file, line);) FLines.push_back(line);
  Running = this;
  UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
  Advance();
  MSG msg;
  while (!FDone && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  KillTimer(nullptr, timer);
  Running = nullptr;
  return FDone ? FResult : 2;
}

void CALLBACK ScriptRunner::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (Running) Running->Advance();
}

void ScriptRunner::Advance() {
  if (FBusy || FDone || !Ready()) return;
  FBusy = true;
  while (!FDone) {
    if (FNext == FLines.size()) {
      Finish(0);
      break;
    }
    const size_t line = FNext++;
    std::vector<std::string> words;
    std::string error;
    if (!SplitWords(FLines[line], words))
      error = "unterminated quote";
    else if (!words.empty() && words[0][0] != '#')
      error = Step(words);
    if (!error.empty()) {
      Complain(line, error);
      break;
    }
    // Input is left to whichever loop takes it (the control's, a menu's, a box's): pumped here, inside
    // this tick, a loop it starts would hold the script.
    if (FReady) break;
    Pump();
    FHost.Refresh();
  }
  FBusy = false;
}

// Once what the line waited for holds, this tick ends all the same: what it started (a command posted by
// a menu entry, say) runs before the next tick.
bool ScriptRunner::Ready() {
  if (!FReady) return true;
  if (FReady()) {
    FReady = nullptr;
    FHost.Refresh();
  } else if (static_cast<LONG>(GetTickCount() - FDeadline) > 0) {
    FReady = nullptr;
    Complain(FNext - 1, FAwaited);
  }
  return false;
}

void ScriptRunner::Await(std::function<bool()> ready, const std::string& what, DWORD timeoutMs) {
  FReady = std::move(ready);
  FAwaited = what;
  FDeadline = GetTickCount() + timeoutMs;
}

void ScriptRunner::Complain(size_t line, const std::string& error) {
  WriteErr(FPath + ":" + std::to_string(line + 1) + ": " + error + ": " + FLines[line] + "\n");
  Finish(2);
}

// A menu or a box still open would keep its loop, and with it the script's, running.
void ScriptRunner::Finish(int result) {
  FResult = result;
  FDone = true;
  CloseWhatIsOpen(FHost.Handle());
}

HWND ScriptRunner::PanelWindow() const {
  return FindDescendant(FHost.MainView(), "Quillon.Form");
}
HWND ScriptRunner::PanelTree() const {
  return FindDescendant(FHost.MainView(), "Quillon.TreeView");
}

std::string ScriptRunner::Step(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  size_t count = words.size();
  if (command == "leftclick" && count == 1) return FHost.PluginDoes(&PluginSlot::LeftClick), "";
  if (command == "rightclick" && count == 1) return FHost.PluginDoes(&PluginSlot::RightClick), "";
  if (command == "deactivate" && count == 1) return FHost.PluginDoes(&PluginSlot::Deactivate), "";
  if (command == "button" && count == 1) return FHost.PluginDoes(&PluginSlot::ButtonClick), "";
  if (command == "deselect" && count == 1) return FHost.DeselectAll(), "";
  if (command == "demo" && count == 1) return FHost.LoadDemoScene(), "";
  if (command == "objects" && count == 2 && IsNumber(words[1]))
    return FHost.LoadGeneratedScene(std::atoi(words[1].c_str())), "";
  if (command == "screenshot" && count == 2) return SaveWindowBitmap(FHost.Handle(), words[1]);
  if (command == "log" && count == 1) return WriteOut(LogPane::TakeNewCalls()), "";
  if (command == "printhost" && count == 1) return WriteOut(DumpTree(FHost.SceneTree(), TreeMarks::Host)), "";
  // The host's list labels an object "Name  (type)".
  if (command == "pick" && count == 2)
    return ClickItem(FHost.SceneTree(), words[1] + "  (", true)
               ? ""
               : "no object \"" + words[1] + "\" in the host's list";
  if (command == "click" && count == 2)
    return ClickItem(PanelTree(), words[1], false) ? "" : "no item \"" + words[1] + "\" in the panel";
  std::string error = Panel(words);
  if (error == "unknown") error = Input(words);
  return error != "unknown" ? error : Scene(words);
}

std::string ScriptRunner::Input(const std::vector<std::string>& words) {
  if (words.size() != 2) return "unknown";
  const std::string& command = words[0];
  std::string error = "unknown";
  if (command == "wait" && IsNumber(words[1])) {
    const DWORD until = GetTickCount() + std::atoi(words[1].c_str());
    Await([until] { return static_cast<LONG>(GetTickCount() - until) >= 0; }, "", INFINITE / 2);
    return "";
  }
  if (command == "menu" && (error = RightClickItem(PanelTree(), words[1])).empty())
    Await([] { return OpenMenu() != nullptr; }, "no menu opened", kInputTimeoutMs);
  if (command == "choose" && (error = ChooseMenuEntry(words[1])).empty())
    Await([] { return OpenMenu() == nullptr; }, "the menu did not close", kInputTimeoutMs);
  if (command == "answer" && (error = PressBoxButton(FHost.Handle(), words[1])).empty())
    Await([] { return true; }, "", kInputTimeoutMs);
  return error;
}

std::string ScriptRunner::Panel(const std::vector<std::string>& words) {
  if (words.size() != 1) return "unknown";
  if (words[0] == "expandall") {
    ExpandAll(PanelTree());
    return "";
  }
  if (words[0] == "print") {
    HWND tree = PanelTree();
    WriteOut(tree ? DumpTree(tree, TreeMarks::Panel) : "(no panel)\n");
    return "";
  }
  if (words[0] == "status") {
    PluginSlot& plugin = FHost.Plugin();
    HWND panel = PanelWindow();
    std::string state = !plugin.Loaded() ? "not loaded" : plugin.Active() ? "active" : "inactive";
    std::string shown = !panel ? "absent" : IsWindowVisible(panel) ? "shown" : "hidden";
    WriteOut("plug-in " + state + ", panel " + shown + "\n");
    return "";
  }
  return "unknown";
}

std::string ScriptRunner::Scene(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  size_t count = words.size();
  SobjHandle object = nullptr, other = nullptr;
  std::string error;
  if (command == "create" && (count == 3 || (count == 5 && words[3] == "in"))) {
    int type = TypeFromWord(words[2]);
    if (!type) return "unknown object type \"" + words[2] + "\"";
    if (count == 5 && !(error = Lookup(words[4], other)).empty()) return error;
    FHost.CreateObject(words[1], type, other);
    return "";
  }
  bool oneName = count == 2;
  if (!(oneName || count == 3 || count == 4) ||
      !(command == "select" || command == "mark" || command == "delete" || command == "rename" ||
        command == "hide" || command == "show" || command == "group" || command == "ungroup"))
    return "unknown command or wrong arguments";
  if (!(error = Lookup(words[1], object)).empty()) return error;
  if (command == "select" && oneName) return FHost.Select(object), "";
  if (command == "mark" && oneName) {
    simUserMarkSelected(object, 1);
    FHost.Refresh();
    return "";
  }
  if (command == "delete" && oneName) return FHost.Delete(object), "";
  if (command == "hide" && oneName) return FHost.SetVisible(object, false), "";
  if (command == "show" && oneName) return FHost.SetVisible(object, true), "";
  if (command == "ungroup" && oneName) return FHost.Regroup(object, nullptr), "";
  if (command == "rename" && count == 3) return FHost.Rename(object, words[2]), "";
  if (command == "group" && count == 4 && words[2] == "in") {
    if (!(error = Lookup(words[3], other)).empty()) return error;
    return FHost.Regroup(object, other)
               ? ""
               : "the host refused to put \"" + words[1] + "\" in \"" + words[3] + "\"";
  }
  return "wrong arguments";
}
