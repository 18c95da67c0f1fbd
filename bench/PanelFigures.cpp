#include "PanelFigures.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "FloorTree.h"
#include "HostWalk.h"
#include "Stopwatch.h"
#include "TreeMessages.h"
#include "TreeReader.h"

namespace {
std::string LabelOf(HWND tree, HTREEITEM item) {
  return ReadTreeItem(tree, item).label;
}

bool IsExpanded(HWND tree, HTREEITEM item) {
  return ReadTreeItem(tree, item).expanded;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Items below the top level whose children the control holds: the ones a rebuild asks the control about.
int CountBranches(HWND tree, HTREEITEM first) {
  int count = 0;
  for (HTREEITEM item = first; item; item = NextItem(tree, item, TVGN_NEXT))
    if (HTREEITEM child = NextItem(tree, item, TVGN_CHILD)) count += 1 + CountBranches(tree, child);
  return count;
}

// Items the control shows expanded (with children), walking only the branches it holds.
int CountExpanded(HWND tree, HTREEITEM first) {
  int count = 0;
  for (HTREEITEM item = first; item; item = NextItem(tree, item, TVGN_NEXT)) {
    HTREEITEM child = NextItem(tree, item, TVGN_CHILD);
    if (child && IsExpanded(tree, item)) ++count;
    if (child) count += CountExpanded(tree, child);
  }
  return count;
}

std::string LabelOfObject(const SceneShape& shape, SobjHandle object) {
  for (const ShapeItem& item : shape.items)
    if (item.object == object) return item.label;
  return {};
}
}  // namespace

void PrintFigure(const std::string& name, const std::string& fields) {
  printf("%s%s\n", name.c_str(), fields.c_str());
  fflush(stdout);
}

std::string Field(const char* key, double value) {
  char text[64];
  snprintf(text, sizeof text, " %s=%.3f", key, value);
  return text;
}

std::string Field(const char* key, int value) {
  return std::string(" ") + key + "=" + std::to_string(value);
}

std::string Field(const char* key, const std::string& value) {
  return std::string(" ") + key + "=" + value;
}

std::string Field(const std::string& key, const Timing& timing) {
  return Field(key.c_str(), timing.median) + Field((key + "_min").c_str(), timing.min) +
         Field((key + "_max").c_str(), timing.max);
}

void PanelFigures::LeftClick() {
  FHost.LeftClick();
  PluginHost::Pump();
}

// The plain control's fill of every item is set beside the panel's first show of a scene it has not seen,
// the nearest the panel comes to the same work: a warm rebuild of an unchanged scene sends the control
// almost nothing.
bool PanelFigures::Rebuild(const Timing& coldShow) {
  simLogEnable(0);  // a host keeps no log: its bookkeeping must not be timed as the panel's
  PluginHost::Pump();
  int items = static_cast<int>(FShape.items.size());
  int floorCount = 0;
  std::vector<double> fills;
  for (int i = 0; i < FOptions.repetitions; ++i) {
    FloorTree floorTree;  // a fresh control every time; making and destroying it is not timed
    fills.push_back(OnceMs([&] { floorCount = floorTree.Fill(FShape); }));
  }
  Timing floor = TimingOf(fills);
  bool ok = floorCount == items;
  PrintFigure("rebuild", Field("objects", FShape.objects) + Field("items", items) +
                             Field("cold_show_ms", coldShow) + Field("floor_ms", floor) +
                             Field("floor_over_cold_show", floor.median / coldShow.median) +
                             Field("ok", ok ? 1 : 0));
  return ok;
}

std::map<std::string, int> PanelFigures::CallCounts(const std::function<void()>& action) {
  static const char* const kWalkFunctions[] = {"tsxSceneGetFirstNode",      "tsxSobjGetType",
                                               "tsxGNodeGetName",           "tsxIsMNode",
                                               "tsxMNodeIsVisible",         "tsxIsSelected",
                                               "tsxGNodeGetFirstChild",     "tsxGNodeGetNext",
                                               "tsxPolyhGetNbrMaterials",   "tsxPolyhGetFirstMaterialIdx",
                                               "tsxPolyhGetNextMaterialIdx"};
  simLogClear();
  action();
  std::map<std::string, int> counts;
  for (const char* function : kWalkFunctions) counts[function] = simLogCountOf(function);
  return counts;
}

// The rebuild against the bare host walk in the same process, on the same scene: how close the panel
// comes to the host's own pace. The walk must make exactly the rebuild's calls, or the ratio means nothing.
bool PanelFigures::HostWalk() {
  simLogEnable(0);
  PluginHost::Pump();
  std::map<std::string, int> walkCalls = CallCounts([] { BareHostWalk(); });
  std::map<std::string, int> rebuildCalls = CallCounts([this] { FHost.LeftClick(); });
  bool sameCalls = walkCalls == rebuildCalls;
  // Walk, rebuild and show take turns, so that a busy moment of the machine weighs on all three alike.
  int calls = 0;
  for (const auto& [function, count] : rebuildCalls) calls += count;
  std::vector<double> walks, guardedWalks, guardCosts, rebuilds, shows;
  for (int i = 0; i < FOptions.repetitions; ++i) {
    walks.push_back(OnceMs([] { BareHostWalk(); }));
    guardedWalks.push_back(OnceMs([] { GuardedHostWalk(); }));
    // The guard's price per call from one turn's pair of walks: two walks far apart in time would
    // mostly measure how the machine's load changed between them.
    guardCosts.push_back(calls ? (guardedWalks.back() - walks.back()) * 1e6 / calls : 0.0);
    PluginHost::Pump();
    rebuilds.push_back(OnceMs([this] { FHost.LeftClick(); }));
    // Shown again after being hidden: the window comes back and paints besides the rebuild.
    FHost.Deactivate();
    PluginHost::Pump();
    shows.push_back(OnceMs([this] {
      FHost.LeftClick();
      UpdateWindow(FHost.Panel());
    }));
  }
  Timing walk = TimingOf(walks), rebuild = TimingOf(rebuilds), show = TimingOf(shows);
  FWarmRebuild = rebuild;
  PluginHost::Pump();
  PrintFigure("guard", Field("objects", FShape.objects) + Field("calls", calls) +
                           Field("guarded_walk_ms", TimingOf(guardedWalks)) +
                           Field("ns_per_call", TimingOf(guardCosts)) + Field("ok", 1));
  PrintFigure("walk", Field("objects", FShape.objects) + Field("calls", calls) +
                          Field("same_calls", sameCalls ? 1 : 0) + Field("walk_ms", walk) +
                          Field("rebuild_ms", rebuild) + Field("show_ms", show) +
                          Field("rebuild_over_walk", rebuild.median / walk.median) +
                          Field("show_over_walk", show.median / walk.median) +
                          Field("ok", sameCalls ? 1 : 0));
  return sameCalls;
}

bool PanelFigures::HostCalls() {
  // What the walk needs for this scene with nothing selected in the host: one scene query, seven calls per
  // object (tsxMNodeIsVisible only for model nodes), the material count of every polyhedron, and the
  // material walk (first index, then one "next" per material item, the last answering -1) of those
  // that list materials.
  const int n = FShape.objects;
  const struct {
    const char* function;
    int needed;
  } calls[] = {
      {"tsxSceneGetFirstNode", 1},
      {"tsxSobjGetType", n},
      {"tsxGNodeGetName", n},
      {"tsxIsMNode", n},
      {"tsxMNodeIsVisible", FShape.modelNodes},
      {"tsxIsSelected", n},
      {"tsxGNodeGetFirstChild", n},
      {"tsxGNodeGetNext", n},
      {"tsxPolyhGetNbrMaterials", FShape.polyhedra},
      {"tsxPolyhGetFirstMaterialIdx", FShape.listedPolyhedra},
      {"tsxPolyhGetNextMaterialIdx", FShape.materials},
      {"tsxIsSelectable", 0},
      {"tsxIsGNodeInScene", 0},
      {"tsxGetCurrentSelection", 0},
      {"tsxSelectSobj", 0},
      {"tsxAViewRefresh", 0},
      {"tsxAllViewsRefresh", 0},
      {"tsxAnimGetActiveTime", 0},
      {"tsxGNodeSetName", 0},
      {"tsxMNodeSetVisible", 0},
      {"tsxMNodeSetInvisible", 0},
  };
  simUserDeselectAll();  // rebuilds once more, untimed, with nothing selected
  PluginHost::Pump();
  simLogEnable(0);
  simLogClear();  // counts start again from zero
  LeftClick();
  int total = 0, needed = 0, extra = 0;
  std::string detail;
  for (const auto& call : calls) {
    int count = simLogCountOf(call.function);
    total += count;
    needed += call.needed;
    extra += count > call.needed ? count - call.needed : 0;
    if (count || call.needed) {
      detail += Field(call.function, static_cast<double>(count) / n);
      if (count != call.needed) detail += "(needed:" + std::to_string(call.needed) + ")";
    }
  }
  bool ok = total == needed;
  PrintFigure("host_calls", Field("objects", n) + Field("calls", total) + Field("needed", needed) +
                                Field("extra", extra) + Field("per_object", static_cast<double>(total) / n) +
                                Field("needed_per_object", static_cast<double>(needed) / n) + detail +
                                Field("ok", ok ? 1 : 0));
  return ok;
}

std::map<UINT, int> PanelFigures::MessagesOfLeftClick() {
  HTREEITEM root = NextItem(FHost.Tree(), nullptr, TVGN_ROOT);
  HTREEITEM top = root ? NextItem(FHost.Tree(), root, TVGN_CHILD) : nullptr;
  FBranchesBefore = top ? CountBranches(FHost.Tree(), top) : 0;
  TreeMessageCounter counter(FHost.Tree());
  if (!counter.Hooked()) return {};
  FHost.LeftClick();
  return counter.Counts();
}

bool PanelFigures::ReportMessages(const char* name, const std::map<UINT, int>& counts) {
  PluginHost::Pump();
  HWND tree = FHost.Tree();
  int held = ControlItemCount(tree);
  int expanded = CountExpanded(tree, NextItem(tree, nullptr, TVGN_ROOT));
  auto countOf = [&](UINT message) {
    auto found = counts.find(message);
    return found == counts.end() ? 0 : found->second;
  };
  int inserts = countOf(TVM_INSERTITEMA) + countOf(TVM_INSERTITEMW);
  int expands = countOf(TVM_EXPAND);
  int queries = countOf(TVM_GETITEMSTATE);
  int total = 0;
  std::string detail;
  for (const auto& [message, count] : counts) {
    total += count;
    detail += Field(TreeMessageName(message).c_str(), count);
  }
  int other = total - inserts - expands - queries;
  // The target: at most one message per item the control holds (an insert for a new one, a change for one
  // kept whose label, state or button changed), at most one expand per item it shows expanded, at most one
  // state query per branch the control held before (another program may have opened or closed it) and one
  // for the first item; besides, the query for the first visible item, and a scroll or a selection.
  bool ok = !counts.empty() && inserts <= held && expands <= expanded && queries <= FBranchesBefore + 1 &&
            inserts + other <= held + 3;
  PrintFigure(
      name,
      Field("objects", FShape.objects) + Field("panel_items", static_cast<int>(FShape.items.size())) +
          Field("control_items", held) + Field("expanded_items", expanded) + Field("messages", total) +
          Field("inserts", inserts) + Field("expands", expands) + Field("queries", queries) +
          Field("branches_before", FBranchesBefore) + Field("other", other) +
          Field("per_control_item", held ? static_cast<double>(total) / held : 0.0) +
          Field("per_panel_item", static_cast<double>(total) / static_cast<double>(FShape.items.size())) +
          detail + Field("ok", ok ? 1 : 0));
  return ok;
}

bool PanelFigures::ControlMessages() {
  return ReportMessages("messages", MessagesOfLeftClick());
}

bool PanelFigures::SelectAndCheck(SobjHandle object, const std::string& label, double& ms) {
  PluginHost::Pump();
  Stopwatch watch;
  simUserSelect(object);  // the panel's handler runs inside, as the host's notification
  ms = watch.ElapsedMs();
  HWND tree = FHost.Tree();
  HTREEITEM caret = NextItem(tree, nullptr, TVGN_CARET);
  return caret && LabelOf(tree, caret) == label;
}

// One host selection of object, timed, and the same selection made again: the tree is then on the object
// already and the panel only asks the host for its selection, so the second time is the host's own part
// (its selection, its notification), which is taken off the first.
bool PanelFigures::SelectSample(SobjHandle object, double& total, double& own) {
  double again = 0;
  bool ok = SelectAndCheck(object, LabelOfObject(FShape, object), total);
  ok = SelectAndCheck(object, LabelOfObject(FShape, object), again) && ok;
  own = total - again;
  return ok;
}

// The group whose member is selected was revealed: close it again as a user would, so that the next sample
// selects inside a collapsed group.
bool PanelFigures::CloseRevealedGroup() {
  HWND tree = FHost.Tree();
  HTREEITEM parent = NextItem(tree, NextItem(tree, nullptr, TVGN_CARET), TVGN_PARENT);
  bool ok = parent && IsExpanded(tree, parent);
  if (parent) SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent));
  PluginHost::Pump();
  return ok;
}

void PanelFigures::PrintSelection(const char* kind, const std::vector<double>& times,
                                  const std::vector<double>& own, bool ok) {
  PrintFigure("selection", Field("objects", FShape.objects) + Field("kind", std::string(kind)) +
                               Field("samples", static_cast<int>(times.size())) +
                               Field("select_ms", TimingOf(times)) + Field("own_ms", TimingOf(own)) +
                               Field("ok", ok ? 1 : 0));
}

bool PanelFigures::Selection() {
  simLogEnable(0);
  const int groups = static_cast<int>(FShape.topLevel.size());
  const int samples = std::min(FOptions.selectionSamples, groups);
  bool allOk = true;
  for (const char* kind : {"collapsed_group", "last_group", "top_level"}) {
    std::vector<double> times, own;
    bool ok = samples > 0;
    bool inGroup = kind[0] != 't';
    bool last = kind[0] == 'l';
    for (int i = 0; i < samples && ok; ++i) {
      // Spread over the scene, or always the last group: its members are the last items in tree order.
      int group = last ? groups - 1
                       : static_cast<int>((static_cast<long long>(i) * groups) / samples +
                                          (i * 7) % std::max(1, groups / samples));
      SobjHandle object = inGroup ? FShape.middleChild[group] : FShape.topLevel[group];
      if (!object) continue;
      if (last) LeftClick();  // untimed: a new control, which holds none of the group's members
      double ms = 0, ownMs = 0;
      ok = SelectSample(object, ms, ownMs);
      times.push_back(ms);
      own.push_back(ownMs);
      if (inGroup) ok = CloseRevealedGroup() && ok;
    }
    PrintSelection(kind, times, own, ok);
    allOk = allOk && ok;
  }
  simUserDeselectAll();  // the panel rebuilds with nothing selected; the groups stay closed
  PluginHost::Pump();
  return allOk;
}

// Expands (TVE_EXPAND) or collapses (TVE_COLLAPSE) every top-level object's item through the control, as a
// user clicking each button; returns how many items had children.
int PanelFigures::ExpandTopLevel(UINT action) {
  HWND tree = FHost.Tree();
  int done = 0;
  HTREEITEM root = NextItem(tree, nullptr, TVGN_ROOT);
  for (HTREEITEM item = NextItem(tree, root, TVGN_CHILD); item; item = NextItem(tree, item, TVGN_NEXT)) {
    TVITEMA info{};
    info.mask = TVIF_HANDLE | TVIF_CHILDREN;
    info.hItem = item;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    if (!info.cChildren) continue;
    SendMessageA(tree, TVM_EXPAND, action, reinterpret_cast<LPARAM>(item));
    ++done;
  }
  PluginHost::Pump();
  return done;
}

bool PanelFigures::ExpandedRebuild() {
  simLogEnable(0);
  ExpandTopLevel(TVE_COLLAPSE);
  LeftClick();
  // Opening the same branches by hand after a rebuild that does not remember them: what the memory saves
  // the user, and the same items put into the control.
  int groups = 0;
  Timing byHand = TimeMs(
      FOptions.repetitions,
      [this] {
        ExpandTopLevel(TVE_COLLAPSE);
        LeftClick();
      },
      [&] { groups = ExpandTopLevel(TVE_EXPAND); });
  Timing expanded = TimeMs(FOptions.repetitions, PluginHost::Pump, [this] { FHost.LeftClick(); });
  std::map<UINT, int> counts = MessagesOfLeftClick();
  bool messagesOk = ReportMessages("messages_expanded", counts);
  int held = ControlItemCount(FHost.Tree());
  // The plain rebuild is the warm rebuild the walk's figures measured: one figure, one measurement.
  const double plain = FWarmRebuild.median;
  PrintFigure("expanded_rebuild",
              Field("objects", FShape.objects) + Field("expanded_groups", groups) +
                  Field("control_items", held) + Field("expanded_rebuild_ms", expanded) +
                  Field("expand_by_hand_ms", byHand) + Field("expanded_over_plain", expanded.median / plain) +
                  Field("expanded_over_plain_then_by_hand", expanded.median / (plain + byHand.median)) +
                  Field("ok", messagesOk ? 1 : 0));
  ExpandTopLevel(TVE_COLLAPSE);
  LeftClick();
  return messagesOk;
}
