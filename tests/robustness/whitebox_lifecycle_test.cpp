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

namespace {
void OpenAndCloseContextMenu(TMainForm* form) {
  // The menu's own loop takes the Escape from the queue; the picture bitmaps go with the menu.
  PostMessageA(form->TreeView->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  form->ContextPopup->Popup(10, 10);
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
