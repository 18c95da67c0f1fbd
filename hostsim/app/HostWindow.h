// The host's main window: menu, plug-in bar, main view with the plug-in's panel inside, the host's object
// list with its actions, the log of the plug-in's host calls and a status bar. Every action of the host's
// user goes through here, from the window's own controls or from a script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "LogPane.h"
#include "PluginBar.h"
#include "PluginSlot.h"
#include "SceneList.h"
#include "ViewportWindow.h"

struct HostOptions {
  std::string pluginPath;
  int objects = 0;  // 0: the demo scene
  bool showPanel = false;
};

class HostWindow {
 public:
  HostWindow() = default;
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Shows the window on its first scene, then loads the plug-in into it. False only when Windows refuses
  // the window; a plug-in that fails to load leaves the host running and says why.
  bool Create(const HostOptions& options);
  // Unloads the plug-in before the windows it lives in go away.
  void Close();

  HWND Handle() const { return FWindow; }
  HWND MainView() const { return FView.Handle(); }
  HWND SceneTree() const { return FScene.Handle(); }
  PluginSlot& Plugin() { return FPlugin; }
  void Note(const std::string& text);

  // The host's user.
  void LoadDemoScene();
  void LoadGeneratedScene(int count);
  void Select(SobjHandle object);
  void DeselectAll();
  SobjHandle CreateObject(const std::string& name, int type, SobjHandle parent);
  void Delete(SobjHandle object);
  void Rename(SobjHandle object, const std::string& name);
  void SetVisible(SobjHandle object, bool visible);
  bool Regroup(SobjHandle object, SobjHandle parent);
  // What the plug-in bar does to the plug-in (&PluginSlot::LeftClick, say), then Refresh.
  template <class Result>
  void PluginDoes(Result (PluginSlot::*action)()) {
    (FPlugin.*action)();
    Refresh();
  }

  // Brings the object list, the log, the button and the status bar up to date.
  void Refresh();

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void CreateMenu();
  void LoadPlugin(const std::string& path);
  void Layout();
  void Command(int id);
  void Tick();
  void UpdateStatus();
  std::string NameText() const;
  void ChooseGroupFor(SobjHandle object);

  HWND FWindow = nullptr;
  HWND FStatus = nullptr;
  HWND FSceneCaption = nullptr;
  HWND FNameLabel = nullptr;
  HWND FNameEdit = nullptr;
  HWND FTypeCombo = nullptr;
  std::vector<HWND> FButtons;
  PluginBar FBar;
  ViewportWindow FView;
  SceneList FScene;
  LogPane FLog;
  PluginSlot FPlugin;
  int FLogSeen = -1;
  bool FActiveSeen = false;
  bool FClosing = false;
};
