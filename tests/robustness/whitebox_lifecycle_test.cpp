// The module's own objects counted from inside: the plug-in's code linked with the simulator in one
// executable, so the class library's live image lists and menus can be counted across forms made, shown,
// rebuilt and destroyed, and across the library's shut-down.
#include <gtest/gtest.h>

#include "Application.h"
#include "ImgList.h"
#include "Main.h"
#include "Menus.h"
#include "PluginHost.h"
#include "SimControl.h"
#include "WindowClasses.h"
#include "tsxPlug.h"

namespace {
void OpenAndCloseContextMenu(TMainForm* form) {
  // The menu's own loop takes the Escape from the queue; the picture bitmaps go with the menu.
  PostMessageA(form->TreeView->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  form->ContextPopup->Popup(10, 10);
}

// A class name held by another window class with a window alive cannot be taken over: the panel cannot be
// made, which the default error handling says, and the next export call tries again.
TEST(WhiteBoxLifeCycleTest, AWindowClassThatCannotBeRegisteredIsReportedAndTheFormIsMadeAtTheNextCall) {
  WNDCLASSA taken{};
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = ModuleInstance();
  taken.lpszClassName = "Quillon.TreeView";
  ASSERT_TRUE(RegisterClassA(&taken));
  HWND holder =
      CreateWindowA("Quillon.TreeView", "", 0, 0, 0, 1, 1, nullptr, nullptr, ModuleInstance(), nullptr);
  // The plug-in component finds the host's main view through the Tsxapi.dll it loads by name, and makes
  // the panel's windows at once when there is one.
  HWND view = CreateWindowA("STATIC", "Host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr, nullptr,
                            nullptr);
  auto setView = reinterpret_cast<void(__cdecl*)(HWND)>(
      reinterpret_cast<void (*)()>(GetProcAddress(LoadLibraryA("Tsxapi.dll"), "simSetMainViewHwnd")));
  ASSERT_NE(setView, nullptr);
  setView(view);
  int windowsBefore = CountThreadWindows();
  std::string reported;
  Application().OnException = [&](const std::string& message) { reported = message; };

  tsxGetVersion();
  EXPECT_NE(reported.find("Quillon.TreeView"), std::string::npos) << reported;
  EXPECT_EQ(MainForm, nullptr);
  EXPECT_EQ(Application().MainForm, nullptr);
  EXPECT_EQ(CountThreadWindows(), windowsBefore) << "the half-made form is gone";

  DestroyWindow(holder);
  UnregisterClassA("Quillon.TreeView", ModuleInstance());
  reported.clear();
  EXPECT_EQ(tsxGetVersion(), 500);
  EXPECT_EQ(reported, "");
  ASSERT_NE(MainForm, nullptr);
  EXPECT_EQ(Application().MainForm, MainForm);
  Application().OnException = nullptr;
  delete MainForm;
  EXPECT_EQ(Application().MainForm, nullptr);
  setView(nullptr);
  DestroyWindow(view);
}

TEST(WhiteBoxLifeCycleTest, FormsMadeAndDestroyedTwoHundredTimesLeaveNoImageListOrMenu) {
  simResetScene();
  simBuildDemoScene();
  HWND view = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  simSetMainViewHwnd(view);
  int windowsBefore = CountThreadWindows();
  int listsBefore = LiveImageListCount();
  for (int life = 0; life < 200; ++life) {
    auto* form = CreateForm<TMainForm>(&Application());
    form->HandleNeeded();
    ASSERT_EQ(form->Tsx1LeftClick(), 1);
    ASSERT_GT(form->TreeView->Items().Count(), 1);
    ASSERT_GT(LiveImageListCount(), listsBefore);
    if (life % 20 == 0) OpenAndCloseContextMenu(form);
    ASSERT_EQ(LiveMenuCount(), 0) << "a shown menu outlived its loop, life " << life;
    delete form;
    ASSERT_EQ(LiveImageListCount(), listsBefore) << "life " << life;
    ASSERT_EQ(CountThreadWindows(), windowsBefore) << "life " << life;
  }
  EnsureMainForm();
  ASSERT_NE(MainForm, nullptr);
  MainForm->HandleNeeded();
  MainForm->Tsx1LeftClick();
  ShutDownLibrary();
  EXPECT_EQ(LiveImageListCount(), 0);
  EXPECT_EQ(LiveMenuCount(), 0);
  EXPECT_EQ(CountThreadWindows(), windowsBefore);
  WNDCLASSA probe;
  for (const char* name : {"Quillon.Form", "Quillon.TreeView", "Quillon.Panel", "Quillon.ToolBar"})
    EXPECT_FALSE(GetClassInfoA(ModuleInstance(), name, &probe)) << name;
  DestroyWindow(view);
  simSetMainViewHwnd(nullptr);
}
}  // namespace
