// Loading, showing, rebuilding and unloading the real module again and again in one process: nothing of it
// may outlive an unload, neither windows nor window classes, image lists' bitmaps, menus or their pictures.
// GetGuiResources counts nothing under Wine, so every handle is taken from the controls and menus while
// they are alive and asked about afterwards.
#include <gtest/gtest.h>

#include "MenuWatcher.h"
#include "PanelUser.h"
#include "SceneFixture.h"
#include "SceneModel.h"

namespace {
const char* const kPanelClasses[] = {"Quillon.Form", "Quillon.TreeView", "Quillon.Panel", "Quillon.ToolBar",
                                     "Quillon.MessageBox"};

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

// Painting is where Wine spends its time: only the lives that open the menus keep the host's main view, and
// with it the panel, on screen.
Remains OneLife(bool openMenus) {
  Remains remains;
  PluginHost host;
  EXPECT_TRUE(host.Loaded());
  remains.module = host.Module();
  if (!openMenus) ShowWindow(host.MainView(), SW_HIDE);
  host.Initialise();
  EXPECT_EQ(host.LeftClick(), 1);
  PanelUser user(host);
  EXPECT_EQ(CompareTrees(ExpectedTree(), ReadControlTree(host.Tree())), "");
  HWND tree = host.Tree();
  AddImageListBitmaps(reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)),
                      remains.gdi);
  AddImageListBitmaps(reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_STATE, 0)),
                      remains.gdi);
  for (HWND bar : user.ToolBars())
    AddImageListBitmaps(reinterpret_cast<HIMAGELIST>(SendMessageA(bar, TB_GETIMAGELIST, 0, 0)), remains.gdi);
  if (openMenus) {
    // The item below the topmost one shown (the topmost item never gets the tree's menu), then the File
    // menu, then the menu key, which opens the tree's menu on its selected item.
    HTREEITEM top = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    TMenuWatcher menus;
    user.Click(reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(top))));
    user.ClickToolButton(user.ToolBars().at(0), 0);
    SetFocus(tree);
    SendMessageA(tree, WM_KEYDOWN, VK_APPS, 1);
    PluginHost::Pump();
    EXPECT_EQ(menus.Shown().size(), 2u) << "a menu did not open";
    for (const TShownMenu& shown : menus.Shown()) {
      remains.menus.push_back(shown.menu);
      remains.gdi.insert(remains.gdi.end(), shown.pictures.begin(), shown.pictures.end());
    }
  }
  EXPECT_FALSE(remains.gdi.empty());
  return remains;
}

class LifeCycleTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    simBuildDemoScene();
  }
};

TEST_F(LifeCycleTest, TwoHundredLivesLeaveNoWindowClassImageOrMenuBehind) {
  int windowsBefore = CountThreadWindows();
  for (int life = 0; life < 200; ++life) {
    Remains remains = OneLife(life % 10 == 0);
    ASSERT_FALSE(HasFailure()) << "life " << life;
    ASSERT_EQ(CountThreadWindows(), windowsBefore) << "life " << life;
    WNDCLASSA probe;
    // Registered with the module's own instance, as they must be, or by mistake with the host's.
    for (HMODULE instance : {remains.module, GetModuleHandleA(nullptr)})
      for (const char* name : kPanelClasses)
        ASSERT_FALSE(GetClassInfoA(instance, name, &probe)) << name << ", life " << life;
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
