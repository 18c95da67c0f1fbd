#include "RandomRun.h"

#include <climits>
#include <functional>
#include <map>
#include <random>
#include <vector>

#include "BoxDriver.h"
#include "MenuWatcher.h"
#include "PanelUser.h"
#include "SceneModel.h"
#include "SceneTools.h"

namespace {
constexpr FileEntry kContextEntries[] = {kToggleVisibility, kUngroup, kDeleteObject, kDeleteAnimation,
                                         kDeleteAnimationTree};
constexpr int kMaxObjects = 40;

Effect EffectOfEntry(int entry) {
  switch (entry) {
    case kToggleVisibility:
      return Effect::kVisibility;
    case kUngroup:
      return Effect::kHierarchy;
    case kDeleteObject:
      return Effect::kDelete;
    case kDeleteAnimation:
    case kDeleteAnimationTree:
      return Effect::kAnimation;
    default:
      return Effect::kNone;
  }
}

const int kTypes[] = {101, 102, 103, 104, 105, 106, 107, 201,   201,     201,    202,
                      203, 204, 205, 206, 207, 208, 209, 210,   211,     212,    213,
                      214, 215, 216, 0,   -1,  100, 217, 65536, INT_MIN, INT_MAX};
const char* const kNames[] = {
    "Alpha",       "alpha",        "ALPHA", "Beta",     "beta-1",    "beta1",  "Cube",   "cube",  "Cube",
    "Material #3", "Material #10", "Scene", "",         " ",         "Z",      "o'Neil", "co-op", "coop",
    "Light 2",     "Light 10",     "Group", "\xC4pfel", "\xE9t\xE9", "~tilde", "_under", "123"};

class Run {
 public:
  explicit Run(std::uint32_t seed) : FSeed(seed), FRandom(seed), FUser(FHost) {}
  ~Run() { simSetReentrant(0); }

  RunResult Go(int steps) {
    BuildScene();
    // Every third seed plays a host that calls the plug-in back from inside each change it makes.
    simSetReentrant(FSeed % 3 == 0);
    // Painting is where Wine spends its time: most seeds run with the host's main view hidden, so the
    // panel is never painted, and one in seventeen (a stride that falls in every block of seeds) keeps it
    // on screen so that painting, custom drawing included, runs between the steps too.
    if (FSeed % 17 != 0) ShowWindow(FHost.MainView(), SW_HIDE);
    FHost.Initialise();
    if (!Verify(0)) return Fail();
    for (int step = 1; step <= steps; ++step) {
      int actions = Pick(1, 3);
      for (int i = 0; i < actions && FFault.empty(); ++i) Act();
      if (!FFault.empty() || !Verify(step)) {
        FStep = step;
        return Fail();
      }
    }
    return {};
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(FRandom); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  template <class T, size_t N>
  const T& OneOf(const T (&table)[N]) {
    return table[Pick(0, N - 1)];
  }

  std::string RandomName() {
    switch (Pick(0, 9)) {
      case 0:
        return std::string(Pick(250, 300), static_cast<char>('a' + Pick(0, 25)));
      case 1:
      case 2: {
        std::string name;
        for (int i = Pick(1, 8); i > 0; --i) name += "aAbB-' 09zZ#"[Pick(0, 11)];
        return name;
      }
      default:
        return OneOf(kNames);
    }
  }

  std::vector<SobjHandle> Objects() {
    std::vector<SobjHandle> objects;
    for (const auto& [serial, state] : CaptureScene()) objects.push_back(simHandleFromSerial(serial));
    return objects;
  }
  SobjHandle AnyObject() {
    std::vector<SobjHandle> objects = Objects();
    return objects.empty() ? nullptr : objects[Pick(0, objects.size() - 1)];
  }
  // Mostly a live object, now and then null or a dead one: the host's side must cope with both too.
  SobjHandle AnyParent() { return Chance(30) ? nullptr : AnyObject(); }
  HTREEITEM AnyItem() {
    std::vector<HTREEITEM> items = FUser.Items();
    return items.empty() ? nullptr : items[Pick(0, items.size() - 1)];
  }
  std::string Describe(HTREEITEM item) {
    return item ? std::string("\"").append(FUser.Label(item).substr(0, 40)).append("\"") : "(none)";
  }

  void Decorate(SobjHandle object) {
    if (!object) return;
    if (Chance(25)) {
      std::vector<int> indices;
      for (int i = Pick(0, 4), next = Pick(0, 12); i > 0; --i, next += Pick(1, 9)) indices.push_back(next);
      simSetMaterials(object, indices.data(), static_cast<int>(indices.size()));
    }
    if (Chance(15)) simUserSetVisible(object, 0);
    if (Chance(10)) simSetModelNode(object, 0);
    if (Chance(10)) simSetSelectable(object, 0);
    if (Chance(30)) simSetAnimation(object, 1);
  }

  void BuildScene() {
    simResetScene();
    simClearFailures();
    simResetViolations();
    simLogEnable(0);
    for (int i = Pick(3, 16); i > 0; --i) {
      SobjHandle parent = Chance(40) ? nullptr : AnyObject();
      Decorate(simCreateObject(parent, RandomName().c_str(), OneOf(kTypes)));
    }
  }

  void Note(const std::string& action) { FActions.push_back(action); }

  // One random action, host or user, with the check of what it did to the scene.
  void Act() {
    SceneState before = CaptureScene();
    auto order = CaptureOrder();
    TErrorBoxCloser errorBoxes;  // nothing fails on purpose here: a fault of ours would show it
    Effect effect = Pick(0, 1) ? HostChange() : UserAction();
    if (FFault.empty() && errorBoxes.Count() != 0) FFault = "the error box showed: " + errorBoxes.LastText();
    if (FFault.empty()) FFault = UnexpectedChanges(effect, before, order);
    if (FFault.empty() && simViolationCount() != 0) {
      char text[256] = "";
      simLastViolation(text, sizeof text);
      FFault = "host violation: " + std::string(text);
    }
    if (FFault.empty() && FindOpenBox()) FFault = "the confirmation box is still open";
  }

  Effect HostChange() {
    SobjHandle object = AnyObject();
    switch (Pick(0, 10)) {
      case 0: {
        if (simObjectCount() >= kMaxObjects) break;
        SobjHandle parent = AnyParent();
        std::string name = RandomName();
        int type = OneOf(kTypes);
        Note("host create under " + Serial(parent) + " type " + std::to_string(type) + " \"" +
             name.substr(0, 40) + "\"");
        Decorate(simUserCreate(parent, name.c_str(), type));
        break;
      }
      case 1:
        Note("host delete " + Serial(object));
        simUserDelete(object);
        break;
      case 2: {
        std::string name = RandomName();
        Note("host rename " + Serial(object) + " \"" + name.substr(0, 40) + "\"");
        simUserRename(object, name.c_str());
        break;
      }
      case 3:
        HostSets("visible", simUserSetVisible, object);
        break;
      case 4: {
        SobjHandle parent = AnyParent();
        Note("host regroup " + Serial(object) + " into " + Serial(parent));
        simUserRegroup(object, parent);
        break;
      }
      case 5:
      case 6:
        Note("host select " + Serial(object));
        simUserSelect(object);
        break;
      case 7:
        HostSets("mark selected", simUserMarkSelected, object);
        break;
      case 8:
        Note("host deselect all");
        simUserDeselectAll();
        break;
      default:
        Storm();
        break;
    }
    return Effect::kAny;
  }

  // One of the host's own on-off settings of an object, at random.
  void HostSets(const char* setting, void(__cdecl* set)(SobjHandle, int), SobjHandle object) {
    int on = Pick(0, 1);
    Note("host " + std::string(setting) + " " + Serial(object) + " " + std::to_string(on));
    set(object, on);
  }

  void Storm() {
    int count = Pick(1, 12);
    Note("host notification storm of " + std::to_string(count));
    for (int i = 0; i < count; ++i) switch (Pick(0, 5)) {
        case 0:
        case 1:
          simFireSelectionChanged();
          break;
        case 2:
          simFireObjectDestroy(AnyObject());
          break;
        case 3:
          simFireActiveTimeChanged(static_cast<float>(Pick(0, 100)));
          break;
        case 4:
          simFireObjectMove(static_cast<short>(Pick(-5, 5)));
          break;
        default:
          simFireEvent(Pick(0, 3), Pick(0, 3));
          break;
      }
  }

  Effect UserAction() {
    HTREEITEM item = AnyItem();
    if (!item) {
      Note("user: the tree has no item");
      FFault = "the tree control holds no item";
      return Effect::kNone;
    }
    switch (Pick(0, 16)) {
      case 0:
      case 1:
      case 15:
      case 16:
        Note("user click " + Describe(item));
        FUser.Click(item);
        return Effect::kNone;
      case 2: {
        static const WORD keys[] = {VK_DOWN,  VK_UP,       VK_HOME,   VK_END,   VK_LEFT,   VK_RIGHT,
                                    VK_PRIOR, VK_NEXT,     VK_DELETE, VK_SPACE, VK_RETURN, VK_MULTIPLY,
                                    VK_ADD,   VK_SUBTRACT, 'A',       'C'};
        WORD key = OneOf(keys);
        Note("user key " + std::to_string(key));
        FUser.PressKey(key);
        return Effect::kNone;
      }
      case 3: {
        int downs = Pick(0, 6);
        Note("user right click " + Describe(item) + " menu downs " + std::to_string(downs));
        WithBox([&] { FUser.RightClick(item, downs); });
        return downs == 0 ? Effect::kNone : EffectOfEntry(kContextEntries[(downs - 1) % 5]);
      }
      case 4:
      case 5:
      case 6:
      case 7: {
        int button = Pick(0, kToolButtons - 1);
        Note("user tool button " + std::to_string(button));
        FUser.ClickToolButton(FUser.CommandBar(), button);
        return button == 2 ? Effect::kVisibility : button == 3 ? Effect::kDelete : Effect::kNone;
      }
      case 8: {
        int entry = Pick(kToggleVisibility, kRefresh);
        Note("user File menu entry " + std::to_string(entry));
        WithBox([&] { FUser.ChooseFileMenu(entry); });
        return EffectOfEntry(entry);
      }
      case 9: {
        std::string text = Chance(25) ? FUser.Label(item) : RandomName();
        bool commit = Chance(80);
        Note("user edits " + Describe(item) + " to \"" + text.substr(0, 40) + "\"" +
             (commit ? "" : " and cancels"));
        FUser.EditLabel(item, text, commit);
        return Effect::kRename;
      }
      case 10:
      case 11: {
        HTREEITEM target = AnyItem();
        Note("user drags " + Describe(item) + " onto " + Describe(target));
        FUser.Drag(item, target);
        return Effect::kHierarchy;
      }
      case 12:
        Note("user drags " + Describe(item) + " outside the tree");
        FUser.DragOutside(item);
        return Effect::kNone;
      case 13:
        Note("user double click " + Describe(item));
        FUser.DoubleClick(item);
        return Effect::kNone;
      default:
        switch (Pick(0, 2)) {
          case 0:
            Note("host deactivates the plug-in");
            FHost.Deactivate();
            break;
          case 1:
            Note("host right click on the plug-in's button");
            FHost.RightClick();
            break;
          default:
            Note("host left click on the plug-in's button");
            FHost.LeftClick();
            break;
        }
        return Effect::kNone;
    }
  }

  // Runs an action that may open the confirmation box, with an answer ready for it.
  void WithBox(const std::function<void()>& action) {
    static const char* const answers[] = {"yes", "no", "close", "tick and yes", "tick and no"};
    int answer = Pick(0, 4);
    FActions.back() += std::string(", box answer ") + answers[answer];
    std::vector<TBoxDriver::TStep> steps;
    if (answer >= 3) steps.push_back([](HWND box) { ClickWithMouse(FindCheckBox(box)); });
    if (answer == 0 || answer == 3) steps.push_back([](HWND box) { PressKey(box, VK_RETURN); });
    if (answer == 1 || answer == 4) steps.push_back([](HWND box) { TypeChar(box, 'n'); });
    if (answer == 2) steps.push_back([](HWND box) { CloseFromTitleBar(box); });
    TMenuWatchdog watchdog;
    {
      TBoxDriver driver(steps);
      action();
    }
    if (watchdog.Fired()) FFault = "a pop-up menu stayed open and had to be closed";
  }

  bool Verify(int step) {
    if (int result = FHost.LeftClick(); result != 1) {
      FFault = "left click answered " + std::to_string(result);
      return false;
    }
    ShownItem shown = ReadControlTree(FHost.Tree());
    std::string difference = CompareTrees(ExpectedTree(), shown);
    if (difference.empty()) difference = CheckSelection(shown);
    if (difference.empty() && simViolationCount() != 0) difference = "host violation after the rebuild";
    if (difference.empty() && FHost.StaleWrites() != 0) difference = "freed memory was written to";
    if (difference.empty()) return true;
    FFault = "after the rebuild of step " + std::to_string(step) + ": " + difference;
    return false;
  }

  RunResult Fail() {
    RunResult result;
    result.passed = false;
    result.report = "seed " + std::to_string(FSeed) + " failed at step " + std::to_string(FStep) + ": " +
                    FFault + "\nactions:\n";
    for (size_t i = 0; i < FActions.size(); ++i)
      result.report += "  " + std::to_string(i + 1) + ". " + FActions[i] + "\n";
    return result;
  }

  std::uint32_t FSeed;
  std::mt19937 FRandom;
  PluginHost FHost;
  PanelUser FUser;
  std::vector<std::string> FActions;
  std::string FFault;
  int FStep = 0;
};
}  // namespace

RunResult RunSeed(std::uint32_t seed, int steps) {
  Run run(seed);
  return run.Go(steps);
}
