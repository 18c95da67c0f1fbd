// A host call that fails at every position of a rebuild and of every command, each way a host fails: it
// answers 0, null or -1 and does nothing, or it raises an access violation or a foreign exception. The
// panel must come back, stay usable, leave the scene as the command meant it, and show the default error
// box exactly where a raised failure is meant to reach it (Refresh and Ungroup) and nowhere else.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "BoxDriver.h"
#include "HostWindowFault.h"
#include "MenuWatcher.h"
#include "PluginFixture.h"
#include "SceneModel.h"

namespace {

// Whether a raised failure of the nth call of this host function reaches the default error handling.
using Reports = bool (*)(const std::string& function, int nth);
bool Never(const std::string&, int) {
  return false;
}
bool Always(const std::string&, int) {
  return true;
}
// The one call Ungroup makes outside its own code: the selection handler's, when the host announces the
// new current object, and that handler swallows its failures.
bool UnlessInNotification(const std::string& function, int) {
  return function != "tsxGetCurrentSelection";
}
// From the context menu, the menu's own handler first checks the object and passes it to the host, and
// swallows its failures too.
bool UnlessInMenuOrNotification(const std::string& function, int nth) {
  bool menuHandler = nth == 1 && (function == "tsxIsGNodeInScene" || function == "tsxSelectSobj");
  return !menuHandler && UnlessInNotification(function, nth);
}

// The toggle flips the marks of material items with their object's (no rebuild marks them): the same
// tree otherwise.
void ForgetMaterialMarks(ShownItem& item) {
  if (item.label.rfind("Material #", 0) == 0) item.hidden = false;
  for (ShownItem& child : item.children) ForgetMaterialMarks(child);
}

struct Command {
  const char* name;
  Effect effect;
  std::function<void(PanelUser&)> run;
  Reports reports = Never;
};

// Each position fails once answering nothing and once raising, the raised kinds taking turns.
constexpr int kFailModes[] = {SIM_FAIL_RESULT, SIM_FAIL_ACCESS_VIOLATION, SIM_FAIL_FOREIGN};
int RaisedMode(int position) {
  return position % 2 ? SIM_FAIL_FOREIGN : SIM_FAIL_ACCESS_VIOLATION;
}

// Which call of its function each logged call is: "tsxSobjGetType" 3 is the third call of that function.
std::vector<std::pair<std::string, int>> CallPositions(int from) {
  std::vector<std::pair<std::string, int>> positions;
  std::map<std::string, int> seen;
  for (const std::string& entry : CallLog(from)) {
    std::string function = entry.substr(0, entry.find('('));
    positions.push_back({function, ++seen[function]});
  }
  return positions;
}

class FailureTest : public PluginFixture {
 protected:
  void SetUp() override {
    PluginFixture::SetUp();
    HideMainView();
  }
  void TearDown() override {
    PluginFixture::TearDown();
    EXPECT_EQ(host.StaleWrites(), 0) << "freed memory written to";
  }

  // A scene in which every command has something to act on, shown with every branch open.
  void FreshScene() {
    simUserDeselectAll();
    simResetScene();
    member = BuildScene(
                 "Group group\n"
                 "  Member animated materials 0 1\n"
                 "  Other materials 2 3\n"
                 "  Third light\n"
                 "Camera camera animated\n"
                 "Light light\n")
                 .at("Member");
    ASSERT_EQ(host.LeftClick(), 1);
    ReadControlTree(host.Tree());  // every branch open, so every item can be pointed at
  }
  // The scene is back, the panel rebuilds completely and the host saw no bad handle.
  void ExpectRecovered(const std::string& where) {
    simClearFailures();
    EXPECT_EQ(simViolationCount(), 0) << where;
    EXPECT_EQ(FindOpenBox(), nullptr) << where;
    ASSERT_EQ(host.LeftClick(), 1) << where;
    EXPECT_EQ(CompareTrees(ExpectedTree(), ReadControlTree(host.Tree())), "") << where;
  }
  // Runs the command once to learn its host calls, then once per call with that call failing.
  void FailEveryCall(const Command& command, const std::string& selected) {
    FreshScene();
    user.Click(selected);
    int from = simLogCount();
    command.run(user);
    std::vector<std::pair<std::string, int>> positions = CallPositions(from);
    ASSERT_FALSE(positions.empty()) << command.name;
    for (size_t position = 0; position < positions.size(); ++position) {
      const auto& [function, nth] = positions[position];
      for (int mode : {int{SIM_FAIL_RESULT}, RaisedMode(position)}) {
        std::string where = std::string(command.name) + " with call " + std::to_string(nth) + " of " +
                            function + " failing in mode " + std::to_string(mode);
        FreshScene();
        user.Click(selected);
        SceneState before = CaptureScene();
        auto order = CaptureOrder();
        int subject = simHandleSerial(simGetCurrent());
        simFailCall(function.c_str(), nth, mode);
        TErrorBoxCloser errorBoxes;
        command.run(user);
        bool reported = mode != SIM_FAIL_RESULT && command.reports(function, nth);
        EXPECT_EQ(errorBoxes.Count(), reported ? 1 : 0) << where << ": " << errorBoxes.LastText();
        EXPECT_EQ(UnexpectedChanges(command.effect, before, order, subject), "") << where;
        ExpectRecovered(where);
      }
    }
  }

  // Every command a user can give, each from where a user gives it.
  std::vector<Command> Commands() {
    auto yes = [](std::function<void()> action) {
      TBoxDriver driver({[](HWND box) { PressKey(box, VK_RETURN); }});
      action();
    };
    return {
        {"click", Effect::kNone, [](PanelUser& u) { u.Click("Camera"); }},
        {"toggle visibility", Effect::kVisibility,
         [](PanelUser& u) { u.ClickToolButton(u.CommandBar(), kVisibilityButton); }},
        {"delete", Effect::kDelete, [](PanelUser& u) { u.ClickToolButton(u.CommandBar(), kDeleteButton); }},
        {"refresh", Effect::kNone, [](PanelUser& u) { u.ClickToolButton(u.CommandBar(), kRefreshButton); },
         Always},
        {"ungroup", Effect::kHierarchy, [](PanelUser& u) { u.ChooseFileMenu(kUngroup); },
         UnlessInNotification},
        {"delete animation", Effect::kAnimation,
         [yes](PanelUser& u) { yes([&] { u.ChooseFileMenu(kDeleteAnimation); }); }},
        {"delete animation tree", Effect::kAnimation,
         [yes](PanelUser& u) { yes([&] { u.ChooseFileMenu(kDeleteAnimationTree); }); }},
        {"context menu delete", Effect::kDelete, [](PanelUser& u) { u.RightClick(u.Item("Member"), 3); }},
        {"context menu ungroup", Effect::kHierarchy, [](PanelUser& u) { u.RightClick(u.Item("Member"), 2); },
         UnlessInMenuOrNotification},
        {"rename", Effect::kRename, [](PanelUser& u) { u.EditLabel("Member", "Renamed", true); }},
        {"drag onto another object", Effect::kHierarchy, [](PanelUser& u) { u.Drag("Member", "Camera"); }},
        {"drag onto the root", Effect::kHierarchy, [](PanelUser& u) { u.Drag("Member", "Scene"); }},
        {"drag onto a material", Effect::kHierarchy, [](PanelUser& u) { u.Drag("Member", "Material #2"); }},
    };
  }

  SobjHandle member = nullptr;
};

TEST_F(FailureTest, ARebuildSurvivesAFailureAtEveryCallAndChangesNothing) {
  FreshScene();
  simUserSelect(member);
  int from = simLogCount();
  ASSERT_EQ(host.LeftClick(), 1);
  std::vector<std::pair<std::string, int>> positions = CallPositions(from);
  ASSERT_GT(positions.size(), 20u);
  for (const auto& [function, nth] : positions) {
    for (int mode : kFailModes) {
      std::string where = "rebuild with call " + std::to_string(nth) + " of " + function +
                          " failing in mode " + std::to_string(mode);
      SceneState before = CaptureScene();
      auto order = CaptureOrder();
      simFailCall(function.c_str(), nth, mode);
      TErrorBoxCloser errorBoxes;
      EXPECT_EQ(host.LeftClick(), 1) << where;
      EXPECT_EQ(errorBoxes.Count(), 0) << where << ": the left click swallows its failures";
      EXPECT_EQ(UnexpectedChanges(Effect::kNone, before, order), "") << where;
      ExpectRecovered(where);
    }
  }
}

TEST_F(FailureTest, EveryCommandSurvivesAFailureAtEveryCallAndDoesNoMoreThanItMeans) {
  for (const Command& command : Commands()) FailEveryCall(command, "Member");
}

// A host that calls the selection callbacks from inside every change it makes, whether its current
// object is the one the tree shows selected, another one or none: the panel must touch no item that a
// rebuild freed, make no call on a dead handle, hit no fault of its own (it would show the error box),
// and show the scene as it is once the command is over.
TEST_F(FailureTest, EveryCommandLeavesTheTreeShowingTheSceneWhenTheHostCallsBackInsideItsChanges) {
  for (const char* current : {"Member", "Camera", ""}) {
    for (const Command& command : Commands()) {
      std::string where = std::string(command.name) + " with the host's current object '" + current + "'";
      FreshScene();
      simSetReentrant(1);
      if (*current)
        user.Click(current);
      else
        simUserDeselectAll();
      // The tree is pointed at the item without a word to the host.
      SendMessageA(host.Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(user.Item("Member")));
      TErrorBoxCloser errorBoxes;
      command.run(user);
      simSetReentrant(0);
      EXPECT_EQ(errorBoxes.Count(), 0) << where << ": " << errorBoxes.LastText();
      EXPECT_EQ(simViolationCount(), 0) << where;
      ShownItem shown = ReadControlTree(host.Tree());
      if (command.effect == Effect::kVisibility) ForgetMaterialMarks(shown);
      // Delete rebuilds nothing itself: with another object current, the host's notification finds that
      // object's item and the deleted object's item stays until the next rebuild, as without a callback.
      bool staleItemKept = command.effect == Effect::kDelete && std::string(current) == "Camera";
      if (!staleItemKept) {
        EXPECT_EQ(CompareTrees(ExpectedTree(), shown), "") << where;
      }
    }
  }
}

// One of the host's windows faults while a loop of ours runs: the confirmation box's, a pop-up menu's, the
// tree control's own while it tells a press from a drag. The loop ends with our own failure at the call
// that ran it, so every scope between the fault and the entry barrier ends as on any other failure, and
// the failure goes where the failure rules send it. Each case runs in a host of its own, so that the unload
// after the fault is part of it.
class ForeignLoopFaultTest : public SceneFixture {
 protected:
  ForeignLoopFaultTest()
      : SceneFixture("Group group\n  Member animated\nCamera camera animated\nLight light\n") {}

  void Start(int mode, std::function<bool()> when = nullptr) {
    windowsBefore = CountThreadWindows();
    fault = std::make_unique<THostWindowFault>(mode, std::move(when));
    host = std::make_unique<PluginHost>();
    host->Initialise();
    ASSERT_EQ(host->LeftClick(), 1);
    user = std::make_unique<PanelUser>(*host);
    ReadControlTree(host->Tree());  // every branch open
    windowsShown = CountThreadWindows();
  }
  // Nothing of the fault is left: the host's windows take input and the mouse is free, the thread has the
  // windows it had, no posted call keeps posting itself, the panel rebuilds to show a changed scene, and
  // the module unloads leaving no window and no window class behind.
  void ExpectNothingLeft(const std::string& where) {
    EXPECT_TRUE(fault->Raised()) << where;
    EXPECT_TRUE(IsWindowEnabled(host->MainView())) << where;
    EXPECT_TRUE(IsWindowEnabled(fault->Window())) << where;
    EXPECT_EQ(GetCapture(), nullptr) << where;
    EXPECT_EQ(FindVisibleThreadWindow("#32768"), nullptr) << where << ": a menu is still open";
    EXPECT_EQ(CountThreadWindows(), windowsShown) << where;
    EXPECT_TRUE(QueueSettles()) << where;
    simCreateObject(nullptr, "Added", e_tsxPOLYH);
    ASSERT_EQ(host->LeftClick(), 1) << where;
    EXPECT_TRUE(QueueSettles()) << where << ": the rebuild keeps deferring itself";
    EXPECT_EQ(CompareTrees(ExpectedTree(), ReadControlTree(host->Tree())), "") << where;
    HMODULE module = host->Module();
    user.reset();
    host.reset();
    fault.reset();
    EXPECT_EQ(CountThreadWindows(), windowsBefore) << where;
    WNDCLASSA probe;
    for (const char* name : {"Quillon.Form", "Quillon.TreeView", "Quillon.MessageBox"})
      EXPECT_FALSE(GetClassInfoA(module, name, &probe)) << where << ": " << name << " still registered";
  }
  // The thread's queue empties within a bounded number of messages.
  static bool QueueSettles() {
    MSG message;
    for (int i = 0; i < 1000; ++i) {
      if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return true;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return false;
  }
  static std::string Where(const char* loop, int mode) {
    return std::string(loop) +
           (mode == SIM_FAIL_ACCESS_VIOLATION ? ", access violation" : ", foreign exception");
  }

  int windowsBefore = 0, windowsShown = 0;
  std::unique_ptr<THostWindowFault> fault;
  std::unique_ptr<PluginHost> host;
  std::unique_ptr<PanelUser> user;
};

// Delete Animation swallows its failures: no error box, no deletion, and the box is gone with its object.
TEST_F(ForeignLoopFaultTest, AHostWindowFaultingWhileTheBoxIsOpenEndsTheBoxAndTheCommand) {
  for (int mode : {SIM_FAIL_ACCESS_VIOLATION, SIM_FAIL_FOREIGN}) {
    const std::string where = Where("confirmation box", mode);
    Start(mode, [] { return FindOpenBox() != nullptr; });
    user->Click("Camera");
    TErrorBoxCloser errorBoxes;
    user->ChooseFileMenu(kDeleteAnimation);
    EXPECT_EQ(CountBoxWindows(), 0) << where;
    EXPECT_EQ(errorBoxes.Count(), 0) << where << ": " << errorBoxes.LastText();
    EXPECT_NE(simHasAnimation(Object("Camera")), 0) << where;
    ExpectNothingLeft(where);
  }
}

// The control catches nothing around the menu it shows for an item. Where the system passes a fault in a
// procedure it calls from the menu's loop up through that loop (32-bit Windows), the menu ends and the
// failure reaches the default error handling. Where it runs the loop itself and swallows faults in the
// procedures it calls back (64-bit Windows, a 32-bit program on it, and Wine), the menu stays open for the
// user to close (the watchdog's Escape). Either way the menu built for it is destroyed and nothing is left.
TEST_F(ForeignLoopFaultTest, AHostWindowFaultingWhileAPopUpMenuIsOpenLeavesNothingBehind) {
  for (int mode : {SIM_FAIL_ACCESS_VIOLATION, SIM_FAIL_FOREIGN}) {
    const std::string where = Where("pop-up menu", mode);
    HMENU shown = nullptr;
    Start(mode, [&shown] {
      HWND menu = FindVisibleThreadWindow("#32768");
      if (menu) shown = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
      return menu != nullptr;
    });
    TErrorBoxCloser errorBoxes;
    TMenuWatchdog watchdog;
    user->RightClick("Camera");
    const bool passedUp = errorBoxes.Count() == 1 && !watchdog.Fired();
    const bool swallowed = errorBoxes.Count() == 0 && watchdog.Fired();
    EXPECT_TRUE(passedUp || swallowed) << where << ": " << errorBoxes.Count() << " error boxes, the menu "
                                       << (watchdog.Fired() ? "stayed open" : "ended");
    EXPECT_NE(shown, nullptr) << where;
    EXPECT_FALSE(IsMenu(shown)) << where << ": the menu outlived its loop";
    ExpectNothingLeft(where);
  }
}

// A press is reported through the default error handling like any failure of the control's own handling;
// the control's capture of the mouse for the press ends with it, and nothing is regrouped.
TEST_F(ForeignLoopFaultTest, AHostWindowFaultingWhileThePressIsTrackedEndsThePressAndFreesTheMouse) {
  for (int mode : {SIM_FAIL_ACCESS_VIOLATION, SIM_FAIL_FOREIGN}) {
    const std::string where = Where("drag detection", mode);
    Start(mode);
    TErrorBoxCloser errorBoxes;
    fault->PostNow();
    user->Drag("Camera", "Light");
    EXPECT_EQ(errorBoxes.Count(), 1) << where;
    EXPECT_EQ(simGetParent(Object("Camera")), nullptr) << where;
    ExpectNothingLeft(where);
  }
}

// Refresh reports a host failure in the default error box. A fault of the host's while that box is open
// has nowhere left to go: the box is put away, the host's windows take input again, nothing more shows.
TEST_F(ForeignLoopFaultTest, AHostWindowFaultingWhileTheErrorBoxIsOpenPutsTheBoxAway) {
  for (int mode : {SIM_FAIL_ACCESS_VIOLATION, SIM_FAIL_FOREIGN}) {
    const std::string where = Where("error box", mode);
    Start(mode, [] { return FindVisibleThreadWindow("#32770") != nullptr; });
    TErrorBoxCloser laterBoxes([this] { return fault->Raised(); });
    simFailCall("tsxSceneGetFirstNode", 1, SIM_FAIL_ACCESS_VIOLATION);
    user->ClickToolButton(user->CommandBar(), kRefreshButton);
    EXPECT_EQ(laterBoxes.Count(), 0) << where << ": " << laterBoxes.LastText();
    EXPECT_EQ(FindVisibleThreadWindow("#32770"), nullptr) << where;
    ExpectNothingLeft(where);
  }
}
}  // namespace
