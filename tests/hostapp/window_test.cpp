// The host as a user starts it: a window that stays up until closed, with the plug-in's panel inside its
// main view, a plug-in button that toggles the panel, and a plain message when the plug-in cannot load.
#include <gtest/gtest.h>

#include "HostProcess.h"

namespace {

HWND MainView(HWND host) {
  return FindChildOfClass(host, "QuillonHost.MainView");
}

HWND PluginButton(HWND host) {
  return FindChildOfClass(FindChildOfClass(host, "QuillonHost.PluginBar"), "Button");
}

// The panel is a window of the plug-in's, made a child of the host's main view; it may take a moment.
bool PanelShown(HWND host, bool shown) {
  for (int i = 0; i < 100; ++i, Sleep(100)) {
    HWND panel = FindChildOfClass(MainView(host), "Quillon.Form");
    if (panel && (IsWindowVisible(panel) != FALSE) == shown) return true;
  }
  return false;
}

TEST(HostWindow, ShowPanelStartsWithThePanelInTheMainViewAndTheButtonTogglesIt) {
  RunningHost host("--show-panel");
  HWND window = host.WaitForWindow();
  ASSERT_NE(window, nullptr) << host.Err();
  EXPECT_EQ(WindowText(window), "Quillon Host");
  ASSERT_NE(MainView(window), nullptr);
  EXPECT_TRUE(PanelShown(window, true));
  HWND button = PluginButton(window);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(PanelShown(window, false));
  EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(PanelShown(window, true));
  EXPECT_EQ(host.CloseAndWait(), 0u);
  EXPECT_EQ(host.Err(), "");
}

TEST(HostWindow, MissingPluginLeavesTheHostRunningWithTheReasonOnScreen) {
  RunningHost host("--plugin Nowhere.tsx");
  HWND window = host.WaitForWindow();
  ASSERT_NE(window, nullptr) << host.Err();
  HWND bar = FindChildOfClass(window, "QuillonHost.PluginBar");
  bool shown = false;
  for (int tries = 0; tries < 50 && !shown; ++tries, Sleep(100))
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      shown = shown || WindowText(child).find("does not exist") != std::string::npos;
  EXPECT_TRUE(shown) << "the plug-in bar does not say why";
  EXPECT_TRUE(host.Alive());
  EXPECT_NE(host.Err().find("\"Nowhere.tsx\" does not exist"), std::string::npos) << host.Err();
  EXPECT_FALSE(IsWindowEnabled(PluginButton(window)));
  EXPECT_EQ(host.CloseAndWait(), 0u);
}

}  // namespace
