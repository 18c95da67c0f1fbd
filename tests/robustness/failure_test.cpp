// A host call that fails at every position of a rebuild and of every command, each way a host fails: it
// answers 0, null or -1 and does nothing, or it raises an access violation or a foreign exception. The
// panel must come back, stay usable, leave the scene as the command meant it, and show the default error
// box exactly where a raised failure is meant to reach it (Refresh and Ungroup) and nowhere else.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "BoxDriver.h"
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
                 "  Other\n"
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
        {"drag onto a material", Effect::kHierarchy, [](PanelUser& u) { u.Drag("Member", "Material #1"); }},
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
}  // namespace
