#include "HostWindow.h"

#include <commctrl.h>

#include "Console.h"
#include "Ui.h"

namespace {

const char kClassName[] = "QuillonHost.Main";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 200;
constexpr int kPaneWidth = 300;
constexpr int kLogHeight = 150;
constexpr int kGap = 8;
constexpr int kGeneratedDemoSize = 1000;

enum CommandId : int {
  kReloadPlugin = 1001,
  kExit,
  kDemoScene,
  kGeneratedScene,
  kDeselectAll,
  kCreate,
  kDelete,
  kRename,
  kHide,
  kShow,
  kGroupInto,
  kUngroup,
  kPluginButton,
  kPluginRightClick,
  kPluginDeactivate,
  kClearLog,
  kAbout,
  kSceneTreeId = 2000,
  kGroupTargetFirst = 5000,
};

struct ButtonDef {
  const char* caption;
  int id;
};
const ButtonDef kButtons[] = {{"Create", kCreate},
                              {"Rename", kRename},
                              {"Delete", kDelete},
                              {"Hide", kHide},
                              {"Show", kShow},
                              {"Deselect all", kDeselectAll},
                              {"Group into...", kGroupInto},
                              {"Ungroup", kUngroup}};

void CollectTargets(const std::vector<SceneObject>& objects, SobjHandle moving, int depth,
                    std::vector<std::pair<SobjHandle, std::string>>& out) {
  for (const SceneObject& object : objects) {
    if (object.handle == moving) continue;  // nor anything inside it: that would be a cycle
    out.emplace_back(object.handle, std::string(depth * 4, ' ') + object.name);
    CollectTargets(object.children, moving, depth + 1, out);
  }
}

}  // namespace

bool HostWindow::Create(const HostOptions& options) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterHostClass(kClassName, Proc, COLOR_BTNFACE);
  FWindow = CreateWindowExA(0, kClassName, "Quillon Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1120,
                            780, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (!FWindow) return false;
  CreateMenu();
  CreateControls();
  Layout();
  if (options.objects > 0)
    LoadGeneratedScene(options.objects);
  else
    LoadDemoScene();
  ShowWindow(FWindow, SW_SHOWNORMAL);
  UpdateWindow(FWindow);
  // The plug-in places its panel in the main view when it loads, so the view must exist and be known.
  simSetMainViewHwnd(FView.Handle());
  LoadPlugin(options.pluginPath);
  if (options.showPanel) PluginDoes(&PluginSlot::LeftClick);
  SetTimer(FWindow, kTimerId, kTimerMs, nullptr);
  return true;
}

void HostWindow::Close() {
  if (!FWindow || FClosing) return;
  FClosing = true;
  KillTimer(FWindow, kTimerId);
  FPlugin.Unload();
  simSetMainViewHwnd(nullptr);
  DestroyWindow(FWindow);
}

void HostWindow::CreateMenu() {
  HMENU bar = ::CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kReloadPlugin, "&Reload plug-in");
  AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(file, MF_STRING, kExit, "E&xit");
  HMENU scene = CreatePopupMenu();
  AppendMenuA(scene, MF_STRING, kDemoScene, "&Demo scene");
  AppendMenuA(scene, MF_STRING, kGeneratedScene, "&Generated scene (1,000 objects)");
  AppendMenuA(scene, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(scene, MF_STRING, kCreate, "&Create object");
  AppendMenuA(scene, MF_STRING, kRename, "&Rename");
  AppendMenuA(scene, MF_STRING, kDelete, "De&lete");
  AppendMenuA(scene, MF_STRING, kHide, "&Hide");
  AppendMenuA(scene, MF_STRING, kShow, "&Show");
  AppendMenuA(scene, MF_STRING, kGroupInto, "&Group into...");
  AppendMenuA(scene, MF_STRING, kUngroup, "&Ungroup");
  AppendMenuA(scene, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(scene, MF_STRING, kDeselectAll, "Dese&lect all");
  HMENU plugin = CreatePopupMenu();
  AppendMenuA(plugin, MF_STRING, kPluginButton, "&Left click (show or hide)");
  AppendMenuA(plugin, MF_STRING, kPluginRightClick, "&Right click");
  AppendMenuA(plugin, MF_STRING, kPluginDeactivate, "&Deactivate");
  AppendMenuA(plugin, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(plugin, MF_STRING, kClearLog, "&Clear call log");
  HMENU help = CreatePopupMenu();
  AppendMenuA(help, MF_STRING, kAbout, "&About Quillon Host");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(scene), "&Scene");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(plugin), "&Plug-in");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  SetMenu(FWindow, bar);
}

void HostWindow::CreateControls() {
  FBar.Create(FWindow);
  FBar.OnLeftClick = [this] { PluginDoes(&PluginSlot::ButtonClick); };
  FBar.OnRightClick = [this] { PluginDoes(&PluginSlot::RightClick); };
  FView.Create(FWindow);
  FSceneCaption = CreateChild("STATIC", "Scene", SS_LEFT, FWindow);
  SendMessageA(FSceneCaption, WM_SETFONT, reinterpret_cast<WPARAM>(UiBoldFont()), FALSE);
  FScene.Create(FWindow, kSceneTreeId);
  FScene.OnUserSelect = [this](SobjHandle object) { Select(object); };
  FNameLabel = CreateChild("STATIC", "Name", SS_LEFT, FWindow);
  FNameEdit = CreateChild("EDIT", "New Object", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, FWindow);
  FTypeCombo = CreateChild("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, FWindow);
  for (const ObjectType& type : ObjectTypes())
    SendMessageA(FTypeCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.word));
  SendMessageA(FTypeCombo, CB_SETCURSEL, 0, 0);
  for (const ButtonDef& button : kButtons)
    FButtons.push_back(CreateChild("BUTTON", button.caption, BS_PUSHBUTTON | WS_TABSTOP, FWindow, button.id));
  FLog.Create(FWindow);
  FStatus = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                            FWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(FStatus, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
}

void HostWindow::Layout() {
  if (!FStatus) return;  // WM_SIZE arrives while the window is still being created
  RECT client;
  GetClientRect(FWindow, &client);
  int width = client.right, height = client.bottom;
  SendMessageA(FStatus, WM_SIZE, 0, 0);
  RECT status;
  GetWindowRect(FStatus, &status);
  int bottom = height - (status.bottom - status.top) - kGap;
  int parts[] = {160, 420, -1};
  SendMessageA(FStatus, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  FBar.Layout(width);

  int top = PluginBar::kHeight + kGap;
  int paneLeft = width - kPaneWidth - kGap;
  int viewRight = paneLeft - kGap;
  int logTop = bottom - kLogHeight;
  MoveWindow(FView.Handle(), kGap, top, viewRight - kGap, logTop - 20 - top - kGap / 2, TRUE);
  MoveWindow(FLog.Caption(), kGap, logTop - 18, 300, 16, TRUE);
  MoveWindow(FLog.Handle(), kGap, logTop, viewRight - kGap, kLogHeight, TRUE);

  constexpr int kButtonHeight = 24, kColumns = 3;
  int rows = (static_cast<int>(FButtons.size()) + kColumns - 1) / kColumns;
  int buttonsTop = bottom - rows * (kButtonHeight + 4) + 4;
  int buttonWidth = (kPaneWidth - (kColumns - 1) * 4) / kColumns;
  for (size_t i = 0; i < FButtons.size(); ++i)
    MoveWindow(FButtons[i], paneLeft + static_cast<int>(i % kColumns) * (buttonWidth + 4),
               buttonsTop + static_cast<int>(i / kColumns) * (kButtonHeight + 4), buttonWidth, kButtonHeight,
               TRUE);
  int nameTop = buttonsTop - 30;
  MoveWindow(FNameLabel, paneLeft, nameTop + 4, 34, 16, TRUE);
  MoveWindow(FNameEdit, paneLeft + 36, nameTop, 150, 22, TRUE);
  MoveWindow(FTypeCombo, paneLeft + 192, nameTop, kPaneWidth - 192, 300, TRUE);
  MoveWindow(FSceneCaption, paneLeft, top, kPaneWidth, 16, TRUE);
  MoveWindow(FScene.Handle(), paneLeft, top + 18, kPaneWidth, nameTop - kGap - top - 18, TRUE);
}

void HostWindow::LoadPlugin(const std::string& path) {
  if (FPlugin.Load(path)) {
    Note("loaded the plug-in \"" + path + "\" (" + FPlugin.Data().title + ", version " +
         std::to_string(FPlugin.Version()) + ")");
  } else {
    WriteErr("quillon-host: " + FPlugin.Error() + "\n");
    Note(FPlugin.Error());
  }
  FBar.Show(FPlugin);
  Refresh();
}

void HostWindow::Note(const std::string& text) {
  FLog.AddNote(text);
}

void HostWindow::Refresh() {
  FScene.Refresh();
  FLog.Update();
  FActiveSeen = FPlugin.Active();
  FBar.SetActive(FActiveSeen);
  FLogSeen = simLogCount();
  UpdateStatus();
}

void HostWindow::UpdateStatus() {
  std::string objects = std::to_string(simObjectCount()) + " objects";
  std::string plugin = !FPlugin.Loaded()  ? "No plug-in"
                       : FPlugin.Active() ? "Plug-in active"
                                          : "Plug-in inactive";
  SobjHandle current = simGetCurrent();
  std::string selection = current ? "Current object: " + ObjectName(current) : "Nothing selected";
  SendMessageA(FStatus, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(objects.c_str()));
  SendMessageA(FStatus, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(selection.c_str()));
  SendMessageA(FStatus, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(plugin.c_str()));
}

// The plug-in may change the scene, the selection or its own state at any time (its panel is live): the
// log growing is the sign that it talked to the host.
void HostWindow::Tick() {
  FLog.Update();
  if (simLogCount() != FLogSeen || FPlugin.Active() != FActiveSeen) Refresh();
}

void HostWindow::LoadDemoScene() {
  simBuildDemoScene();
  FScene.ResetExpansion(true);
  Refresh();
}

void HostWindow::LoadGeneratedScene(int count) {
  simBuildGeneratedScene(count, 100);
  FScene.ResetExpansion(false);
  Refresh();
}

void HostWindow::Select(SobjHandle object) {
  simUserSelect(object);
  Refresh();
}

void HostWindow::DeselectAll() {
  simUserDeselectAll();
  Refresh();
}

SobjHandle HostWindow::CreateObject(const std::string& name, int type, SobjHandle parent) {
  SobjHandle object = simUserCreate(parent, name.c_str(), type);
  Refresh();
  return object;
}

void HostWindow::Delete(SobjHandle object) {
  simUserDelete(object);
  Refresh();
}

void HostWindow::Rename(SobjHandle object, const std::string& name) {
  simUserRename(object, name.c_str());
  Refresh();
}

void HostWindow::SetVisible(SobjHandle object, bool visible) {
  simUserSetVisible(object, visible ? 1 : 0);
  Refresh();
}

bool HostWindow::Regroup(SobjHandle object, SobjHandle parent) {
  bool done = simUserRegroup(object, parent) == 1;
  Refresh();
  return done;
}

std::string HostWindow::NameText() const {
  char text[256] = {};
  GetWindowTextA(FNameEdit, text, sizeof text);
  return text;
}

void HostWindow::ChooseGroupFor(SobjHandle object) {
  std::vector<std::pair<SobjHandle, std::string>> targets;
  CollectTargets(ReadScene(), object, 0, targets);
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kGroupTargetFirst, "(top level)");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  for (size_t i = 0; i < targets.size(); ++i)
    AppendMenuA(menu, MF_STRING, kGroupTargetFirst + 1 + i, targets[i].second.c_str());
  POINT at;
  GetCursorPos(&at);
  int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, at.x, at.y, 0, FWindow, nullptr);
  DestroyMenu(menu);
  if (chosen == kGroupTargetFirst) Regroup(object, nullptr);
  if (chosen > kGroupTargetFirst) Regroup(object, targets[chosen - kGroupTargetFirst - 1].first);
}

void HostWindow::Command(int id) {
  SobjHandle object = FScene.Selected();
  switch (id) {
    case kReloadPlugin: {
      std::string path = FPlugin.Path();
      FPlugin.Unload();
      LoadPlugin(path);
      return;
    }
    case kExit:
      PostMessageA(FWindow, WM_CLOSE, 0, 0);
      return;
    case kDemoScene:
      LoadDemoScene();
      return;
    case kGeneratedScene:
      LoadGeneratedScene(kGeneratedDemoSize);
      return;
    case kDeselectAll:
      DeselectAll();
      return;
    case kCreate: {
      auto index = static_cast<size_t>(SendMessageA(FTypeCombo, CB_GETCURSEL, 0, 0));
      int type = ObjectTypes()[index < ObjectTypes().size() ? index : 0].code;
      Select(CreateObject(NameText(), type, nullptr));
      return;
    }
    case kPluginButton:
      PluginDoes(&PluginSlot::ButtonClick);
      return;
    case kPluginRightClick:
      PluginDoes(&PluginSlot::RightClick);
      return;
    case kPluginDeactivate:
      PluginDoes(&PluginSlot::Deactivate);
      return;
    case kClearLog:
      FLog.Clear();
      return;
    case kAbout:
      MessageBoxA(
          FWindow,
          "Quillon Host\n\nA small stand-in for the trueSpace host: it loads the plug-in, keeps a scene in "
          "Tsxapi.dll and shows every host call the plug-in makes.",
          "About Quillon Host", MB_OK | MB_ICONINFORMATION);
      return;
  }
  if (!object) {
    Note("select an object in the scene list first");
    return;
  }
  switch (id) {
    case kDelete:
      Delete(object);
      break;
    case kRename:
      Rename(object, NameText());
      break;
    case kHide:
      SetVisible(object, false);
      break;
    case kShow:
      SetVisible(object, true);
      break;
    case kGroupInto:
      ChooseGroupFor(object);
      break;
    case kUngroup:
      Regroup(object, nullptr);
      break;
  }
}

LRESULT HostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {900, 640};
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED || lParam == 0) Command(LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->idFrom == kSceneTreeId) return FScene.Notify(header);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTimerId) Tick();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND window = FWindow;
      FWindow = nullptr;
      return DefWindowProcA(window, message, wParam, lParam);
    }
  }
  return DefWindowProcA(FWindow, message, wParam, lParam);
}

LRESULT CALLBACK HostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = AttachObject<HostWindow>(window, message, lParam);
  if (message == WM_NCCREATE && self) self->FWindow = window;
  if (!self || !self->FWindow) return DefWindowProcA(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}
