// What the panel ought to show, computed from the simulator's own record of the scene, and what the tree
// control really shows, read back item by item with every branch opened. Both come out as the same kind
// of tree so that one comparison serves every suite.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "SimControl.h"

struct ShownItem {
  std::string label;
  int glyph = -1;
  int selectedGlyph = -1;
  bool hidden = false;
  bool selected = false;
  SobjHandle object = nullptr;  // expected trees only: the object the item stands for, null for the rest
  std::vector<ShownItem> children;
};

// The tree the panel builds from the current scene: root "Scene", objects by the type glyph table, the
// hidden mark, material items, siblings in label order as lstrcmpA sorts them.
ShownItem ExpectedTree();
// Opens every branch of the control (children are put into the control only when a branch opens) and
// reads every item back.
ShownItem ReadControlTree(HWND tree);
// Empty when the control shows the expected tree. Siblings whose labels compare equal may stand in any
// order; anything else is reported with both trees.
std::string CompareTrees(const ShownItem& expected, const ShownItem& shown);
// The tree's selected item must be the item of the first object, in the host's walk order, that the host
// reports as selected, or one of that item's ancestors (a branch closed over it). Empty when it is.
std::string CheckSelection(const ShownItem& shown);
std::string Render(const ShownItem& tree);

// Every live object's state, keyed by serial, for telling what an action changed in the scene.
struct ObjectState {
  std::string name;
  int parent = 0;
  int type = 0;
  bool visible = true;
  bool animated = false;
  std::vector<int> materials;
  bool operator==(const ObjectState&) const = default;
};
using SceneState = std::map<int, ObjectState>;
SceneState CaptureScene();
// The host's first-level order of children per parent serial (0: the top level).
std::map<int, std::vector<int>> CaptureOrder();

// What an action may change in the scene; anything beyond is a fault.
enum class Effect { kNone, kVisibility, kDelete, kAnimation, kHierarchy, kRename, kAny };
// Empty when the change from before to now stays within the effect: one object's visibility or name,
// one object's subtree deleted, animation removed, objects moved (for kHierarchy only subject, when given
// by its serial), nothing at all for kNone. Otherwise what went beyond.
std::string UnexpectedChanges(Effect effect, const SceneState& before,
                              const std::map<int, std::vector<int>>& order, int subject = 0);
