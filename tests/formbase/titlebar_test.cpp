// The tool window's own title bar on the real module: where its parts are, how it looks, dragging the
// window by it, and the window states its buttons and a double click set.
#include <string>

#include "PanelFixture.h"
#include "RealInput.h"

namespace {
bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != 0;
}

class TitleBarTest : public PanelFixture {
 protected:
  void SetUp() override {
    PanelFixture::SetUp();
    ShowPanel();
  }
  RECT PanelRect() const { return RectInParent(panel); }
  // The hand clicks the middle of a window as it shows on the screen, once or twice in a row.
  static void HandClickOn(HWND window, int clicks) {
    RECT r;
    GetWindowRect(window, &r);
    PointerMoveTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    PluginHost::Pump();
    for (int i = 0; i < clicks; ++i) ClickButtonHere(false);
    PluginHost::Pump();
  }
  // A point on the drag area: right of the left close button, left of the glyph panel.
  static constexpr int kGrabX = 60, kGrabY = 6;
};

TEST_F(TitleBarTest, BarRunsAlongTheTopWithItsButtonsWhereTheDefinitionPutsThem) {
  RECT client;
  GetClientRect(panel, &client);
  RECT bar = RectInParent(parts.bar);
  EXPECT_EQ(bar.left, 0);
  EXPECT_EQ(bar.top, 0);
  EXPECT_EQ(bar.right, client.right);
  EXPECT_EQ(bar.bottom, 13);

  RECT close = RectInParent(parts.closeButton);
  EXPECT_EQ(close.left, -1);
  EXPECT_EQ(close.top, -1);
  EXPECT_EQ(close.right - close.left, 14);
  EXPECT_EQ(close.bottom - close.top, 14);

  RECT glyphs = RectInParent(parts.glyphPanel);
  EXPECT_EQ(glyphs.right, bar.right);
  EXPECT_EQ(glyphs.right - glyphs.left, 52);
  EXPECT_EQ(glyphs.top, 0);
  EXPECT_EQ(glyphs.bottom, 13);

  const int lefts[] = {10, 24, 38};
  for (int i = 0; i < 3; ++i) {
    RECT button = RectInParent(parts.glyphButtons[i]);
    EXPECT_EQ(button.left, lefts[i]) << i;
    EXPECT_EQ(button.top, -1) << i;
    EXPECT_EQ(button.right - button.left, 14) << i;
    EXPECT_EQ(button.bottom - button.top, 14) << i;
  }
}

TEST_F(TitleBarTest, BarStaysAboveThePanelsOwnControlsWhenTheWindowIsResized) {
  auto below = [&] {
    for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (child != parts.bar && IsWindowVisible(child) && RectInParent(child).top < 13) return false;
    return true;
  };
  EXPECT_TRUE(below());
  RECT r = PanelRect();
  MoveWindow(panel, r.left, r.top, 400, 350, TRUE);
  EXPECT_TRUE(below());
  RECT client;
  GetClientRect(panel, &client);
  EXPECT_EQ(RectInParent(parts.bar).right, client.right);
  EXPECT_EQ(RectInParent(parts.glyphPanel).left, client.right - 52) << "the glyph panel keeps to the right";
}

TEST_F(TitleBarTest, WindowIsACaptionlessPopupWithASizingFrame) {
  LONG style = GetWindowLongA(panel, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_BORDER);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_NE(style & WS_CAPTION, WS_CAPTION) << "WS_BORDER without WS_DLGFRAME: no system caption";
  EXPECT_FALSE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_FALSE(GetWindowLongA(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(TitleBarTest, BarShowsTheCaptionInCaptionColoursAndButtonsWithoutTheirBackground) {
  char text[64] = {};
  GetWindowTextA(parts.bar, text, sizeof text);
  EXPECT_STREQ(text, "      Quillon 1.1");

  UpdateWindow(panel);
  HDC dc = GetDC(parts.bar);
  RECT glyphs = RectInParent(parts.glyphPanel);
  const COLORREF caption = GetNearestColor(dc, GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(GetPixel(dc, glyphs.left - 2, 1), caption) << "plain bar between the caption and the buttons";
  EXPECT_EQ(GetPixel(dc, 16, 12), caption) << "no bevel along the bottom edge";
  ReleaseDC(parts.bar, dc);

  for (HWND button : {parts.closeButton, MinimizeButton(), MaximizeButton(), CloseButton2()}) {
    HDC buttonDc = GetDC(button);
    int black = 0, fuchsia = 0;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) {
        COLORREF c = GetPixel(buttonDc, x, y);
        black += c == RGB(0, 0, 0);
        fuchsia += c == RGB(255, 0, 255);
      }
    ReleaseDC(button, buttonDc);
    EXPECT_GT(black, 4) << "the glyph is drawn";
    EXPECT_EQ(fuchsia, 0) << "the glyph's background colour is transparent";
  }
}

TEST_F(TitleBarTest, DraggingTheBarMovesTheWindowByThePointersTravel) {
  RECT before = PanelRect();
  PressLeft(parts.bar, kGrabX, kGrabY);
  EXPECT_EQ(GetCapture(), parts.bar) << "the window must follow a pointer that leaves the bar";
  MoveTo(parts.bar, kGrabX + 30, kGrabY + 10, true);
  RECT moved = PanelRect();
  EXPECT_EQ(moved.left, before.left + 30);
  EXPECT_EQ(moved.top, before.top + 10);
  // The bar went with the window, so the pointer is over the grabbed point again.
  MoveTo(parts.bar, kGrabX, kGrabY, true);
  EXPECT_TRUE(SameRect(PanelRect(), moved));
  MoveTo(parts.bar, kGrabX - 70, kGrabY + 200, true);
  ReleaseLeft(parts.bar, kGrabX - 70, kGrabY + 200);
  EXPECT_NE(GetCapture(), parts.bar);
  RECT after = PanelRect();
  EXPECT_EQ(after.left, moved.left - 70);
  EXPECT_EQ(after.top, moved.top + 200);
  EXPECT_EQ(after.right - after.left, before.right - before.left) << "a drag keeps the size";
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(TitleBarTest, OnlyAPressOnTheDragAreaFollowedByMovementMovesTheWindow) {
  RECT before = PanelRect();
  ClickLeft(parts.bar, kGrabX, kGrabY);
  EXPECT_TRUE(SameRect(PanelRect(), before)) << "press and release without movement";
  MoveTo(parts.bar, kGrabX + 40, kGrabY + 3, false);
  EXPECT_TRUE(SameRect(PanelRect(), before)) << "movement after the release";

  PressLeft(parts.glyphPanel, 3, 6);
  MoveTo(parts.glyphPanel, 30, 20, true);
  ReleaseLeft(parts.glyphPanel, 30, 20);
  EXPECT_TRUE(SameRect(PanelRect(), before)) << "the glyph panel is no drag area";

  // Pressed, dragged off and released outside: neither a drag nor a click of the close button.
  PressLeft(parts.closeButton, 6, 6);
  MoveTo(parts.closeButton, 60, 30, true);
  ReleaseLeft(parts.closeButton, 60, 30);
  EXPECT_TRUE(SameRect(PanelRect(), before));
  EXPECT_TRUE(IsWindowVisible(panel));
  MoveTo(parts.bar, kGrabX + 40, kGrabY + 3, false);
  EXPECT_TRUE(SameRect(PanelRect(), before)) << "a press elsewhere does not arm the bar";
}

// The double click on the bar and the maximise button toggle the same state, each undoing the other.
TEST_F(TitleBarTest, DoubleClickOnTheBarAndTheMaximiseButtonMaximiseAndRestore) {
  RECT before = PanelRect();
  const struct {
    const char* toggle;
    bool zoomed;
  } steps[] = {{"bar", true},  {"bar", false}, {"button", true},
               {"bar", false}, {"bar", true},  {"button", false}};
  for (const auto& step : steps) {
    if (std::string(step.toggle) == "bar")
      DoubleClickLeft(parts.bar, kGrabX, kGrabY);
    else
      ClickLeft(MaximizeButton(), 7, 7);
    EXPECT_EQ(IsZoomed(panel) != 0, step.zoomed) << "after a toggle by the " << step.toggle;
  }
  EXPECT_TRUE(SameRect(PanelRect(), before));
}

TEST_F(TitleBarTest, MinimiseButtonMinimisesAndTheNextLeftClickRestores) {
  RECT before = PanelRect();
  ClickLeft(MinimizeButton(), 7, 7);
  EXPECT_TRUE(IsIconic(panel));
  EXPECT_EQ(host.LeftClick(), 1);
  EXPECT_FALSE(IsIconic(panel));
  EXPECT_TRUE(SameRect(PanelRect(), before));
}

// The title bar is gone with the client area, so the minimised window itself is what a person reaches for.
TEST_F(TitleBarTest, DoubleClickOnTheMinimisedWindowRestoresIt) {
  RECT before = PanelRect();
  HandClickOn(MinimizeButton(), 1);
  ASSERT_TRUE(IsIconic(panel));
  HandClickOn(panel, 1);
  EXPECT_TRUE(IsIconic(panel)) << "a single click leaves it minimised";
  Sleep(GetDoubleClickTime() + 50);
  HandClickOn(panel, 2);
  EXPECT_FALSE(IsIconic(panel));
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_TRUE(SameRect(PanelRect(), before));
}

// Shrunk by its sizing frame as far as it goes, the window still shows the whole tool strip and three rows
// of the tree.
TEST_F(TitleBarTest, SizingFrameStopsWhereTheToolStripAndThreeRowsStillShow) {
  RECT before;
  GetWindowRect(panel, &before);
  // The sizing loop reads the queue itself: the whole gesture is queued before the press is handled.
  PointerMoveTo(POINT{before.right - 2, before.bottom - 2});
  PluginHost::Pump();
  ButtonHere(false, true);
  PointerMoveTo(POINT{before.left + 20, before.bottom - 60});
  PointerMoveTo(POINT{before.left + 5, before.top + 5});
  ButtonHere(false, false);
  PluginHost::Pump();

  RECT after;
  GetWindowRect(panel, &after);
  ASSERT_LT(after.bottom - after.top, before.bottom - before.top) << "the frame sized the window";
  HWND bar = user.CommandBar();
  RECT barClient, refresh{};
  GetClientRect(bar, &barClient);
  SendMessageA(bar, TB_GETITEMRECT, kRefreshButton, reinterpret_cast<LPARAM>(&refresh));
  EXPECT_LE(refresh.right, barClient.right) << "the last button of the tool strip shows whole";
  EXPECT_EQ(barClient.bottom, 22);
  RECT treeClient;
  GetClientRect(host.Tree(), &treeClient);
  const int row = static_cast<int>(SendMessageA(host.Tree(), TVM_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(treeClient.bottom, 3 * row) << "three rows of the tree";
}

TEST_F(TitleBarTest, ButtonClicksOnReleaseInsideOnly) {
  PressLeft(MinimizeButton(), 7, 7);
  EXPECT_FALSE(IsIconic(panel)) << "nothing happens on the press";
  MoveTo(MinimizeButton(), 30, 7, true);
  ReleaseLeft(MinimizeButton(), 30, 7);
  EXPECT_FALSE(IsIconic(panel)) << "released outside";
  PressLeft(MinimizeButton(), 7, 7);
  MoveTo(MinimizeButton(), 30, 7, true);
  MoveTo(MinimizeButton(), 8, 8, true);
  ReleaseLeft(MinimizeButton(), 8, 8);
  EXPECT_TRUE(IsIconic(panel)) << "dragged off and back before the release";
}
}  // namespace
