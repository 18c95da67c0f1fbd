// Loading, showing, rebuilding and unloading the real module again and again in one process: nothing of it
// may outlive an unload, neither windows nor window classes, image lists' bitmaps, menus or their pictures.
// GetGuiResources counts nothing under Wine, so every handle is taken from the controls and menus while
// they are alive and asked about afterwards.
#include <gtest/gtest.h>

#include "PanelUser.h"
#include "SceneModel.h"

namespace {
const char* const kPanelClasses[] = {"Quillon.Form", "Quillon.TreeView", "Quillon.Panel", "Quillon.ToolBar",
                                     "Quillon.MessageBox"};

struct MenuCapture {
  HMENU menu = nullptr;
  std::vector<HBITMAP> pictures;
};
MenuCapture* Capturing = nullptr;  // a TIMERPROC has no context

BOOL CALLBACK CaptureMenuWindow(HWND window, LPARAM) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  Capturing->menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
  return FALSE;
}

// Runs inside the menu's own loop: notes the menu and its pictures, then closes it.
void CALLBACK CaptureOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
  if (!Capturing || Capturing->menu) return;
  EnumWindows(CaptureMenuWindow, 0);
  if (!Capturing->menu) return;
  for (int i = 0; i < GetMenuItemCount(Capturing->menu); ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    if (GetMenuItemInfoA(Capturing->menu, i, TRUE, &info) && info.hbmpItem &&
        reinterpret_cast<ULONG_PTR>(info.hbmpItem) > 11)  // above the predefined HBMMENU_* values
      Capturing->pictures.push_back(info.hbmpItem);
  }
  EndMenu();
}

MenuCapture OpenAndCapture(const std::function<void()>& open) {
  MenuCapture capture;
  Capturing = &capture;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, CaptureOpenMenu);
  open();
  KillTimer(nullptr, timer);
  Capturing = nullptr;
  return capture;
}

// Bitmaps behind an image list, read while it is alive.
void AddImageListBitmaps(HIMAGELIST list, std::vector<HGDIOBJ>& out) {
  if (!list || ImageList_GetImageCount(list) == 0) return;
  IMAGEINFO info{};
  if (!ImageList_GetImageInfo(list, 0, &info)) return;
  if (info.hbmImage) out.push_back(info.hbmImage);
  if (info.hbmMask) out.push_back(info.hbmMask);
}

// One life of the module: loaded, shown, rebuilt, both menus opened; what it made is handed back.
struct Remains {
  HMODULE module = nullptr;
  std::vector<HGDIOBJ> gdi;
  std::vector<HMENU> menus;
};

Remains OneLife(bool openMenus) {
  Remains remains;
  PluginHost host;
  EXPECT_TRUE(host.Loaded());
  remains.module = host.Module();
  host.Initialise();
  EXPECT_EQ(host.LeftClick(), 1);
  PanelUser user(host);
  EXPECT_EQ(CompareTrees(ExpectedTree(), ReadControlTree(host.Tree())), "");
  HWND tree = host.Tree();
  AddImageListBitmaps(reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
                      remains.gdi);
  AddImageListBitmaps(reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_STATE, 0)),
                      remains.gdi);
  for (HWND bar : user.Driver().ToolBars())
    AddImageListBitmaps(reinterpret_cast<HIMAGELIST>(SendMessageA(bar, TB_GETIMAGELIST, 0, 0)), remains.gdi);
  if (openMenus) {
    // The item below the topmost one shown: the topmost item never gets the tree's menu.
    HTREEITEM top = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    HTREEITEM object = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(top)));
    EXPECT_NE(object, nullptr);
    for (const MenuCapture& capture : {OpenAndCapture([&] {
                                         user.Click(object);
                                         user.Driver().ClickToolButton(user.Driver().ToolBars().at(0), 0);
                                       }),
                                       OpenAndCapture([&] {
                                         // The menu key opens the tree's menu on its selected item.
                                         SetFocus(tree);
                                         SendMessageA(tree, WM_KEYDOWN, VK_APPS, 1);
                                         PluginHost::Pump();
                                       })}) {
      EXPECT_NE(capture.menu, nullptr) << "a menu did not open";
      remains.menus.push_back(capture.menu);
      remains.gdi.insert(remains.gdi.end(), capture.pictures.begin(), capture.pictures.end());
    }
  }
  EXPECT_FALSE(remains.gdi.empty());
  return remains;
}

class LifeCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    simResetScene();
    simResetViolations();
    simBuildDemoScene();
  }
  void TearDown() override { EXPECT_EQ(simViolationCount(), 0); }
};

TEST_F(LifeCycleTest, TwoHundredLivesLeaveNoWindowClassImageOrMenuBehind) {
  int windowsBefore = CountThreadWindows();
  for (int life = 0; life < 200; ++life) {
    Remains remains = OneLife(life % 10 == 0);
    ASSERT_FALSE(HasFailure()) << "life " << life;
    ASSERT_EQ(CountThreadWindows(), windowsBefore) << "life " << life;
    WNDCLASSA probe;
    for (const char* name : kPanelClasses)
      ASSERT_FALSE(GetClassInfoA(reinterpret_cast<HINSTANCE>(remains.module), name, &probe))
          << name << ", life " << life;
    for (HGDIOBJ object : remains.gdi)
      ASSERT_EQ(GetObjectType(object), 0u) << "a bitmap outlived life " << life;
    for (HMENU menu : remains.menus) ASSERT_FALSE(IsMenu(menu)) << "a menu outlived life " << life;
  }
}

TEST_F(LifeCycleTest, LoadingAloneMakesNoWindowAndNoHostCall) {
  int windowsBefore = CountThreadWindows();
  simLogClear();
  simSetLoaderSpan(1);
  HMODULE module = LoadLibraryA("Quillon_ts4.tsx");
  simSetLoaderSpan(0);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(CountThreadWindows(), windowsBefore);
  EXPECT_EQ(simLogCount(), 0) << PluginHost::Log();
  simSetLoaderSpan(1);
  FreeLibrary(module);
  simSetLoaderSpan(0);
  EXPECT_EQ(CountThreadWindows(), windowsBefore);
  EXPECT_EQ(simLogCount(), 0) << PluginHost::Log();
}

TEST_F(LifeCycleTest, UnloadingWithTheBoxTheMenusAndAnEditNeverOpenedOrStillPendingIsClean) {
  int windowsBefore = CountThreadWindows();
  {
    PluginHost host;
    host.Initialise();
    ASSERT_EQ(host.LeftClick(), 1);
    PanelUser user(host);
    ReadControlTree(host.Tree());
    // A label edit left open when the host unloads the module.
    SetFocus(host.Tree());
    SendMessageA(host.Tree(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(user.Items().at(1)));
  }
  EXPECT_EQ(CountThreadWindows(), windowsBefore);
}
}  // namespace
