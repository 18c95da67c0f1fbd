// The confirmation box driven as a user drives it: real key and mouse messages, posted while the box's own
// modal loop runs, against the real window.
#include "lmdmsg.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Application.h"
#include "BoxDriver.h"
#include "WindowClasses.h"

namespace {

const std::string kMessage = "\rAre you sure you want to delete all animation tracks from this object?\r";

// The box as the scene panel's form sets it up.
class ConfirmationBox : public ::testing::Test {
 protected:
  ConfirmationBox() : FOwner(nullptr), FBox(new TLMDMessageBoxDlg(&FOwner)) {
    Box().CaptionTitle = "Quillon - Confirm Delete";
    Box().Buttons = {mbYes, mbNo};
    Box().DlgType = mtConfirmation;
    Box().ShowAgainBox = true;
  }

  TLMDMessageBoxDlg& Box() { return *FBox; }

  int Ask(const std::string& message = kMessage, int defaultButton = 0) {
    return Box().ShowMessageBox(Box().CaptionTitle, message, {}, Box().Buttons, Box().DlgType, defaultButton);
  }

  // Runs the script against the box that ask opens; the script must close the box itself.
  template <typename Ask>
  int Drive(std::vector<TBoxDriver::TStep> steps, Ask ask) {
    TBoxDriver driver(std::move(steps));
    const int result = ask();
    EXPECT_FALSE(driver.ForcedClose()) << "the script left the box open";
    return result;
  }
  int AskDriven(std::vector<TBoxDriver::TStep> steps, const std::string& message = kMessage) {
    return Drive(std::move(steps), [&] { return Ask(message); });
  }

  TComponent FOwner;
  TLMDMessageBoxDlg* FBox;  // owned by FOwner
};

const auto kEnter = [](HWND) { PressKey(GetFocus(), VK_RETURN); };
const auto kClickNo = [](HWND box) { SendMessageA(FindButton(box, "&No"), BM_CLICK, 0, 0); };
const auto kClickYes = [](HWND box) { SendMessageA(FindButton(box, "&Yes"), BM_CLICK, 0, 0); };
const auto kTick = [](HWND box) { ClickWithMouse(FindCheckBox(box)); };

TEST_F(ConfirmationBox, KeyboardAnswers) {
  EXPECT_EQ(AskDriven({kEnter}), mrYes) << "Enter at once presses the default button, Yes";
  EXPECT_EQ(AskDriven({[](HWND) { TypeChar(GetFocus(), 'n'); }}), mrNo);
  EXPECT_EQ(AskDriven({[](HWND) { TypeChar(GetFocus(), 'y'); }}), mrYes);
  EXPECT_EQ(Drive({kEnter}, [&] { return Ask(kMessage, 1); }), mrNo) << "default button 1 is No";
  EXPECT_TRUE(Box().ShowAgain) << "no answer touches ShowAgain";
}

TEST_F(ConfirmationBox, EscapeDoesNothing) {
  bool stillOpen = false;
  EXPECT_EQ(AskDriven({[](HWND) { PressKey(GetFocus(), VK_ESCAPE); },
                       [&](HWND box) {
                         stillOpen = IsWindowVisible(box);
                         TypeChar(GetFocus(), 'n');
                       }}),
            mrNo);
  EXPECT_TRUE(stillOpen);
}

// Windows moves the default look with the focus between push buttons and gives it back to the default
// button when the focus leaves them; Wine leaves it on the last push button, so only the effect of Enter is
// checked, which is the same on both.
TEST_F(ConfirmationBox, TabGoesYesNoCheckBoxAndEnterFollows) {
  std::string focusAfterOneTab, focusAfterTwoTabs;
  const auto focusCaption = [] {
    char caption[64] = "";
    GetWindowTextA(GetFocus(), caption, sizeof(caption));
    return std::string(caption);
  };
  EXPECT_EQ(AskDriven({[](HWND) { PressKey(GetFocus(), VK_TAB); },
                       [&](HWND) {
                         focusAfterOneTab = focusCaption();
                         PressKey(GetFocus(), VK_RETURN);
                       }}),
            mrNo);
  EXPECT_EQ(focusAfterOneTab, "&No");

  EXPECT_EQ(AskDriven({[](HWND) { PressKey(GetFocus(), VK_TAB); }, [](HWND) { PressKey(GetFocus(), VK_TAB); },
                       [&](HWND) {
                         focusAfterTwoTabs = focusCaption();
                         PressKey(GetFocus(), VK_RETURN);
                       }}),
            mrYes)
      << "Enter on the check box presses the default button";
  EXPECT_EQ(focusAfterTwoTabs, kDontShowAgainCaption);
  EXPECT_TRUE(Box().ShowAgain) << "Enter does not tick the check box";
}

TEST_F(ConfirmationBox, TickSetsShowAgainAtOnceWhicheverWayTheBoxCloses) {
  bool showAgainWhileOpen = true;
  EXPECT_EQ(AskDriven({kTick,
                       [&](HWND box) {
                         showAgainWhileOpen = Box().ShowAgain;
                         kClickNo(box);
                       }}),
            mrNo);
  EXPECT_FALSE(showAgainWhileOpen) << "the tick writes ShowAgain before the box closes";
  EXPECT_FALSE(Box().ShowAgain);

  Box().ShowAgain = true;
  EXPECT_EQ(AskDriven({kTick, kClickYes}), mrYes);
  EXPECT_FALSE(Box().ShowAgain);

  Box().ShowAgain = true;
  EXPECT_EQ(AskDriven({kTick, [](HWND box) { CloseFromTitleBar(box); }}), mrCancel);
  EXPECT_FALSE(Box().ShowAgain);
}

TEST_F(ConfirmationBox, TickAndUntickLeavesShowAgainOn) {
  EXPECT_EQ(AskDriven({kTick, kTick, kClickNo}), mrNo);
  EXPECT_TRUE(Box().ShowAgain);
}

TEST_F(ConfirmationBox, SpaceTogglesTheCheckBoxLikeAClick) {
  const auto tabToCheckBox = [](HWND) { PressKey(GetFocus(), VK_TAB); };
  const auto space = [](HWND) { PressKey(GetFocus(), VK_SPACE); };
  EXPECT_EQ(AskDriven({tabToCheckBox, tabToCheckBox, space, kClickNo}), mrNo);
  EXPECT_FALSE(Box().ShowAgain);

  Box().ShowAgain = true;
  EXPECT_EQ(AskDriven({tabToCheckBox, tabToCheckBox, space, space, kClickNo}), mrNo);
  EXPECT_TRUE(Box().ShowAgain);
}

TEST_F(ConfirmationBox, CheckBoxStartsFromShowAgain) {
  LRESULT checkedWhenOff = BST_UNCHECKED, checkedWhenOn = BST_CHECKED;
  Box().ShowAgain = false;
  AskDriven({[&](HWND box) {
    checkedWhenOff = SendMessageA(FindCheckBox(box), BM_GETCHECK, 0, 0);
    CloseFromTitleBar(box);
  }});
  EXPECT_EQ(checkedWhenOff, BST_CHECKED);
  EXPECT_FALSE(Box().ShowAgain) << "closing without touching the tick changes nothing";

  Box().ShowAgain = true;
  AskDriven({[&](HWND box) {
    checkedWhenOn = SendMessageA(FindCheckBox(box), BM_GETCHECK, 0, 0);
    CloseFromTitleBar(box);
  }});
  EXPECT_EQ(checkedWhenOn, BST_UNCHECKED);
  EXPECT_TRUE(Box().ShowAgain);
}

TEST_F(ConfirmationBox, CloseBoxAndAltF4Give2) {
  EXPECT_EQ(AskDriven({[](HWND box) { CloseFromTitleBar(box); }}), mrCancel);
  EXPECT_EQ(AskDriven({[](HWND) { PressAltF4(GetFocus()); }}), mrCancel);
  EXPECT_EQ(AskDriven({[](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); }}), mrCancel);
  EXPECT_TRUE(Box().ShowAgain);
}

// A quit arriving while the box is open ends the box as a close would, and the loop that owns the thread
// still gets to see it.
TEST_F(ConfirmationBox, QuitClosesTheBoxAndIsPassedOn) {
  EXPECT_EQ(AskDriven({[](HWND) { PostQuitMessage(3); }}), mrCancel);
  MSG quit{};
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 3u);
  EXPECT_EQ(CountBoxWindows(), 0);
}

TEST_F(ConfirmationBox, CaptionFallsBackToCaptionTitleThenApplicationTitle) {
  const std::string savedTitle = Application().Title;
  Application().Title = "Quillon test application";
  std::string shown;
  const auto readCaption = [&](HWND box) {
    char caption[128] = "";
    GetWindowTextA(box, caption, sizeof(caption));
    shown = caption;
    CloseFromTitleBar(box);
  };
  const auto askWithCaption = [&](const std::string& caption) {
    return Drive({readCaption}, [&] { return Box().ShowMessageBox(caption, "Sure?", {}, {}, -1, 0); });
  };

  askWithCaption("Explicit");
  EXPECT_EQ(shown, "Explicit");
  askWithCaption("");
  EXPECT_EQ(shown, "Quillon - Confirm Delete");
  Box().CaptionTitle.clear();
  askWithCaption("");
  EXPECT_EQ(shown, "Quillon test application");
  Application().Title = savedTitle;
}

std::vector<HWND> ButtonsLeftToRight(HWND box) {
  std::vector<HWND> buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) != BS_AUTOCHECKBOX) buttons.push_back(child);
  std::sort(buttons.begin(), buttons.end(),
            [&](HWND a, HWND b) { return RectInClient(box, a).left < RectInClient(box, b).left; });
  return buttons;
}

std::string Caption(HWND window) {
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof(caption));
  return caption;
}

TEST_F(ConfirmationBox, EveryButtonKindInTableOrderWithItsResult) {
  const TMsgDlgButtons all{mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                           mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};
  std::vector<std::string> captions;
  const int result =
      Drive({[&](HWND box) {
              for (HWND button : ButtonsLeftToRight(box)) captions.push_back(Caption(button));
              SendMessageA(FindButton(box, "Cancel"), BM_CLICK, 0, 0);
            }},
            [&] { return Box().ShowMessageBox("", "All of them", {}, all, mtInformation, 0); });
  EXPECT_EQ(result, mrCancel);
  const std::vector<std::string> expected{"OK",  "Cancel",  "Abort", "&Retry", "&Yes",
                                          "&No", "&Ignore", "&All",  "&Help"};
  EXPECT_EQ(captions, expected);

  const auto clickGives = [&](const char* caption, TMsgDlgBtn kind) {
    return Drive({[&](HWND box) { SendMessageA(FindButton(box, caption), BM_CLICK, 0, 0); }},
                 [&] { return Box().ShowMessageBox("", "One", {}, {kind}, mtWarning, 0); });
  };
  EXPECT_EQ(clickGives("OK", mbOK), 1);
  EXPECT_EQ(clickGives("Abort", mbAbort), 3);
  EXPECT_EQ(clickGives("&Retry", mbRetry), 4);
  EXPECT_EQ(clickGives("&Ignore", mbIgnore), 5);
  EXPECT_EQ(clickGives("&All", mbAll), 8);
}

TEST_F(ConfirmationBox, EmptyButtonSetMeansTheComponentsButtons) {
  std::vector<std::string> captions;
  Drive({[&](HWND box) {
          for (HWND button : ButtonsLeftToRight(box)) captions.push_back(Caption(button));
          CloseFromTitleBar(box);
        }},
        [&] { return Box().ShowMessageBox("", "Sure?", {}, {}, -1, 0); });
  EXPECT_EQ(captions, (std::vector<std::string>{"&Yes", "&No"}));
}

TEST_F(ConfirmationBox, HelpRaisesOnHelpClickAndKeepsTheBoxOpen) {
  int helpClicks = 0;
  TComponent* sender = nullptr;
  Box().OnHelpClick = [&](TComponent* from) {
    ++helpClicks;
    sender = from;
  };
  bool openAfterHelp = false;
  const int result = Drive({[](HWND box) { SendMessageA(FindButton(box, "&Help"), BM_CLICK, 0, 0); },
                            [&](HWND box) {
                              openAfterHelp = IsWindowVisible(box);
                              SendMessageA(FindButton(box, "OK"), BM_CLICK, 0, 0);
                            }},
                           [&] {
                             return Box().ShowMessageBox("", "Help?", {}, {mbOK, mbHelp}, -1, 0);
                           });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(openAfterHelp);
  EXPECT_EQ(helpClicks, 1);
  EXPECT_EQ(sender, &Box());
}

TEST_F(ConfirmationBox, FailingHelpHandlerReachesDefaultErrorHandlingAndTheBoxStaysUsable) {
  std::string reported;
  Application().OnException = [&](const std::string& message) { reported = message; };
  Box().OnHelpClick = [](TComponent*) { throw std::runtime_error("help is broken"); };
  const int result = Drive({[](HWND box) { SendMessageA(FindButton(box, "&Help"), BM_CLICK, 0, 0); },
                            [](HWND box) { SendMessageA(FindButton(box, "OK"), BM_CLICK, 0, 0); }},
                           [&] {
                             return Box().ShowMessageBox("", "Help?", {}, {mbOK, mbHelp}, -1, 0);
                           });
  Application().OnException = nullptr;
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(reported, "help is broken");
}

int WindowsCreated = 0;
LRESULT CALLBACK CountCreations(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) ++WindowsCreated;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ConfirmationBox, BadRequestsFailBeforeAnyWindowIsMade) {
  WindowsCreated = 0;
  TThreadHook hook = HookThread(WH_CBT, CountCreations);
  ASSERT_NE(hook, nullptr);
  const int windowsBefore = CountBoxWindows();
  EXPECT_THROW(Box().ShowMessageBox("", "%d objects", {}, {}, -1, 0), EFormatError) << "missing argument";
  EXPECT_THROW(Box().ShowMessageBox("", "%d objects", {FormatArg{"three"}}, {}, -1, 0), EFormatError)
      << "wrong kind";
  EXPECT_THROW(Box().ShowMessageBox("", "50%", {}, {}, -1, 0), EFormatError) << "lone per-cent sign";
  EXPECT_THROW(Box().ShowMessageBox("", "Sure?", {}, {}, 17, 0), EMessageBoxError) << "no such dialog type";
  hook.reset();
  EXPECT_EQ(WindowsCreated, 0);
  EXPECT_EQ(CountBoxWindows(), windowsBefore);
}

TEST_F(ConfirmationBox, OtherWindowsOfTheThreadRefuseInputWhileItIsOpen) {
  HWND panel = CreateWindowExA(0, "STATIC", "panel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 200,
                               nullptr, nullptr, nullptr, nullptr);
  HWND disabledBefore = CreateWindowExA(0, "STATIC", "disabled", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                        200, 200, nullptr, nullptr, nullptr, nullptr);
  EnableWindow(disabledBefore, FALSE);
  SetActiveWindow(panel);
  ASSERT_EQ(GetActiveWindow(), panel);

  bool panelEnabledMeanwhile = true;
  HWND activeMeanwhile = nullptr;
  EXPECT_EQ(AskDriven({[&](HWND box) {
              panelEnabledMeanwhile = IsWindowEnabled(panel);
              activeMeanwhile = GetActiveWindow();
              kClickNo(box);
            }}),
            mrNo);
  EXPECT_FALSE(panelEnabledMeanwhile);
  EXPECT_NE(activeMeanwhile, panel);
  EXPECT_TRUE(IsWindowEnabled(panel));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore)) << "a window disabled before stays disabled";
  EXPECT_EQ(GetActiveWindow(), panel);
  DestroyWindow(disabledBefore);
  DestroyWindow(panel);
}

TEST_F(ConfirmationBox, NoWindowOutlivesTheCallAndTheClassCanBeUnregistered) {
  AskDriven({kClickNo});
  EXPECT_EQ(CountBoxWindows(), 0);

  UnregisterWindowClasses();
  WNDCLASSEXA info{};
  info.cbSize = sizeof(info);
  EXPECT_FALSE(GetClassInfoExA(ModuleInstance(), kMessageBoxClassName, &info));
  EXPECT_EQ(AskDriven({kClickYes}), mrYes) << "the next box registers the class again";
  EXPECT_TRUE(GetClassInfoExA(ModuleInstance(), kMessageBoxClassName, &info));
  EXPECT_EQ(CountBoxWindows(), 0);
}

}  // namespace
