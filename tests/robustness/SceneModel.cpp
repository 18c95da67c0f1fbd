#include "SceneModel.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "TreeReader.h"

namespace {
constexpr int kRootGlyph = 9;
constexpr int kMaterialGlyph = 2;
constexpr int kPolyhedron = 201;
constexpr int kNameLimit = 255;

int GlyphOfType(int type) {
  switch (type) {
    case 101:
      return 5;
    case 102:
      return 6;
    case 103:
      return 15;
    case 104:
      return 10;
    case 106:
      return 11;
    case 107:
      return 3;
    case 201:
      return 1;
    case 202:
      return 0;
    case 204:
      return 7;
    case 206:
      return 16;
    case 207:
      return 4;
    case 208:
      return 8;
    case 210:
      return 0;
    case 213:
      return 14;
    case 214:
      return 13;
    case 215:
      return 12;
    case 216:
      return 11;
    default:
      return 1;
  }
}

std::string NameOf(SobjHandle object) {
  int length = simGetName(object, nullptr, 0);
  std::string name(std::max(length, 0) + 1, '\0');
  simGetName(object, name.data(), static_cast<int>(name.size()));
  name.resize(std::max(length, 0));
  return name.substr(0, kNameLimit);
}

std::vector<int> MaterialsOf(SobjHandle object) {
  std::vector<int> indices(std::max(simGetMaterials(object, nullptr, 0), 0));
  simGetMaterials(object, indices.data(), static_cast<int>(indices.size()));
  return indices;
}

bool LabelBefore(const ShownItem& a, const ShownItem& b) {
  return lstrcmpA(a.label.c_str(), b.label.c_str()) < 0;
}

void SortSiblings(std::vector<ShownItem>& items) {
  std::stable_sort(items.begin(), items.end(), LabelBefore);
  for (ShownItem& item : items) SortSiblings(item.children);
}

// Iterative, like the walk it predicts: a deep chain of groups must not exhaust the test's stack.
void AddObjects(ShownItem& root, SobjHandle first) {
  struct Pending {
    ShownItem* parent;
    SobjHandle object;
  };
  std::vector<Pending> stack;
  for (SobjHandle o = first; o; o = simGetNextSibling(o)) stack.push_back({&root, o});
  std::reverse(stack.begin(), stack.end());
  root.children.reserve(stack.size());
  while (!stack.empty()) {
    Pending next = stack.back();
    stack.pop_back();
    ShownItem item;
    item.label = NameOf(next.object);
    int type = simGetType(next.object);
    item.glyph = item.selectedGlyph = GlyphOfType(type);
    item.hidden = simIsModelNode(next.object) && !simIsVisible(next.object);
    item.object = next.object;
    std::vector<SobjHandle> children;
    for (SobjHandle c = simGetFirstChild(next.object); c; c = simGetNextSibling(c)) children.push_back(c);
    std::vector<int> materials = type == kPolyhedron ? MaterialsOf(next.object) : std::vector<int>{};
    item.children.reserve(children.size() + materials.size());
    next.parent->children.push_back(std::move(item));
    ShownItem& added = next.parent->children.back();
    if (materials.size() >= 2)
      for (int index : materials) {
        ShownItem material;
        material.label = "Material #" + std::to_string(index);
        material.glyph = material.selectedGlyph = kMaterialGlyph;
        added.children.push_back(material);
      }
    for (auto c = children.rbegin(); c != children.rend(); ++c) stack.push_back({&added, *c});
  }
}

// Sorted canonically (label order, equal labels by their whole rendering) so two trees compare by text.
std::string Canonical(const ShownItem& item, int depth) {
  std::string line = std::string(depth * 2, ' ') + item.label + " g" + std::to_string(item.glyph) + "/" +
                     std::to_string(item.selectedGlyph) + (item.hidden ? " hidden" : "") + "\n";
  std::vector<std::pair<const ShownItem*, std::string>> children;
  for (const ShownItem& child : item.children) children.push_back({&child, Canonical(child, depth + 1)});
  std::stable_sort(children.begin(), children.end(), [](const auto& a, const auto& b) {
    int order = lstrcmpA(a.first->label.c_str(), b.first->label.c_str());
    return order != 0 ? order < 0 : a.second < b.second;
  });
  for (const auto& child : children) line += child.second;
  return line;
}

// The first sibling pair the tree shows out of label order, with its parent's label.
std::string FirstMisorder(const ShownItem& item) {
  for (size_t i = 1; i < item.children.size(); ++i)
    if (LabelBefore(item.children[i], item.children[i - 1]))
      return "under \"" + item.label + "\": \"" + item.children[i - 1].label + "\" before \"" +
             item.children[i].label + "\"";
  for (const ShownItem& child : item.children)
    if (std::string found = FirstMisorder(child); !found.empty()) return found;
  return "";
}

void RenderInto(const ShownItem& item, int depth, std::string& out) {
  out += std::string(depth * 2, ' ') + item.label + " g" + std::to_string(item.glyph) +
         (item.hidden ? " hidden" : "") + (item.selected ? " selected" : "") + "\n";
  for (const ShownItem& child : item.children) RenderInto(child, depth + 1, out);
}

// The path of items from the root to the item of object, empty when the tree has none.
bool PathTo(const ShownItem& item, SobjHandle object, std::vector<const ShownItem*>& path) {
  path.push_back(&item);
  if (item.object == object) return true;
  for (const ShownItem& child : item.children)
    if (PathTo(child, object, path)) return true;
  path.pop_back();
  return false;
}

void Flatten(const ShownItem& item, std::vector<const ShownItem*>& out) {
  out.push_back(&item);
  for (const ShownItem& child : item.children) Flatten(child, out);
}

// In the host's walk order: pre-order, children before the next sibling, siblings unsorted.
SobjHandle FirstSelectedInWalkOrder() {
  std::vector<SobjHandle> stack;
  std::vector<SobjHandle> top;
  for (SobjHandle o = simGetFirstTopLevel(); o; o = simGetNextSibling(o)) top.push_back(o);
  stack.assign(top.rbegin(), top.rend());
  while (!stack.empty()) {
    SobjHandle o = stack.back();
    stack.pop_back();
    if (simIsMarkedSelected(o)) return o;
    std::vector<SobjHandle> children;
    for (SobjHandle c = simGetFirstChild(o); c; c = simGetNextSibling(c)) children.push_back(c);
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
  return nullptr;
}
}  // namespace

ShownItem ExpectedTree() {
  ShownItem root;
  root.label = "Scene";
  root.glyph = root.selectedGlyph = kRootGlyph;
  AddObjects(root, simGetFirstTopLevel());
  SortSiblings(root.children);
  return root;
}

ShownItem ReadControlTree(HWND tree) {
  ExpandAll(tree);
  ShownItem top;
  std::vector<ShownItem*> path{&top};  // the item each level's next item goes under
  for (const TreeItemInfo& read : ReadTreeItems(tree)) {
    path.resize(read.level + 1);
    ShownItem& item = path.back()->children.emplace_back();
    item.label = read.label;
    item.glyph = read.glyph;
    item.selectedGlyph = read.selectedGlyph;
    item.hidden = read.state == 1;
    item.selected = read.selected;
    path.push_back(&item);
  }
  if (top.children.size() == 1) return top.children.front();
  top.label = "<" + std::to_string(top.children.size()) + " top-level items>";
  return top;
}

std::string CompareTrees(const ShownItem& expected, const ShownItem& shown) {
  if (std::string misorder = FirstMisorder(shown); !misorder.empty())
    return "siblings out of order " + misorder + "\nshown:\n" + Render(shown);
  if (Canonical(expected, 0) == Canonical(shown, 0)) return "";
  return "expected:\n" + Canonical(expected, 0) + "shown:\n" + Canonical(shown, 0);
}

std::string CheckSelection(const ShownItem& shown) {
  std::vector<const ShownItem*> items;
  Flatten(shown, items);
  const ShownItem* selected = nullptr;
  for (const ShownItem* item : items)
    if (item->selected) {
      if (selected) return "two items are selected";
      selected = item;
    }
  SobjHandle first = FirstSelectedInWalkOrder();
  if (!first) return "";
  ShownItem expected = ExpectedTree();
  std::vector<const ShownItem*> path;
  if (!PathTo(expected, first, path)) return "";
  if (!selected)
    return "the host has #" + std::to_string(simHandleSerial(first)) + " selected, the tree nothing";
  for (const ShownItem* step : path)
    if (step->label == selected->label) return "";
  return "the tree has \"" + selected->label + "\" selected, the host #" +
         std::to_string(simHandleSerial(first)) + " \"" + path.back()->label + "\"";
}

std::string Render(const ShownItem& tree) {
  std::string out;
  RenderInto(tree, 0, out);
  return out;
}

SceneState CaptureScene() {
  SceneState state;
  std::vector<SobjHandle> stack;
  for (SobjHandle o = simGetFirstTopLevel(); o; o = simGetNextSibling(o)) stack.push_back(o);
  while (!stack.empty()) {
    SobjHandle o = stack.back();
    stack.pop_back();
    ObjectState& s = state[simHandleSerial(o)];
    int length = simGetName(o, nullptr, 0);
    s.name.assign(std::max(length, 0) + 1, '\0');
    simGetName(o, s.name.data(), static_cast<int>(s.name.size()));
    s.name.resize(std::max(length, 0));
    s.parent = simHandleSerial(simGetParent(o));
    s.type = simGetType(o);
    s.visible = simIsVisible(o) != 0;
    s.animated = simHasAnimation(o) != 0;
    s.materials = MaterialsOf(o);
    for (SobjHandle c = simGetFirstChild(o); c; c = simGetNextSibling(c)) stack.push_back(c);
  }
  return state;
}

std::map<int, std::vector<int>> CaptureOrder() {
  std::map<int, std::vector<int>> order;
  for (const auto& [serial, object] : CaptureScene()) order[object.parent];
  for (auto& [parent, children] : order) {
    SobjHandle first = parent ? simGetFirstChild(simHandleFromSerial(parent)) : simGetFirstTopLevel();
    for (SobjHandle c = first; c; c = simGetNextSibling(c)) children.push_back(simHandleSerial(c));
  }
  return order;
}

namespace {
std::string Difference(const ObjectState& a, const ObjectState& b) {
  std::string out;
  if (a.name != b.name) out += " renamed";
  if (a.parent != b.parent)
    out += " moved from #" + std::to_string(a.parent) + " to #" + std::to_string(b.parent);
  if (a.visible != b.visible) out += b.visible ? " shown" : " hidden";
  if (a.animated != b.animated) out += b.animated ? " animated" : " lost its animation";
  if (a.materials != b.materials || a.type != b.type) out += " changed type or materials";
  return out;
}
}  // namespace

std::string UnexpectedChanges(Effect effect, const SceneState& before,
                              const std::map<int, std::vector<int>>& order, int subject) {
  if (effect == Effect::kAny) return "";
  SceneState after = CaptureScene();
  int changed = 0;
  std::string what;
  for (const auto& [serial, old] : before) {
    auto now = after.find(serial);
    if (now == after.end()) {
      if (effect != Effect::kDelete) what += " #" + std::to_string(serial) + " vanished;";
      continue;
    }
    ObjectState expected = old;
    const ObjectState& got = now->second;
    bool mayChange = subject == 0 || subject == serial;
    if (effect == Effect::kVisibility && got.visible != old.visible && mayChange)
      ++changed, expected.visible = got.visible;
    if (effect == Effect::kAnimation && old.animated && !got.animated) expected.animated = false;
    if (effect == Effect::kRename && got.name != old.name && mayChange) ++changed, expected.name = got.name;
    if (effect == Effect::kHierarchy && mayChange) expected.parent = got.parent;
    if (!(expected == got)) what += " #" + std::to_string(serial) + Difference(old, got) + ";";
  }
  for (const auto& [serial, state] : after)
    if (!before.count(serial)) what += " #" + std::to_string(serial) + " appeared;";
  if (effect == Effect::kDelete) {
    // What went must be one object with everything under it.
    std::vector<int> roots;
    for (const auto& [serial, old] : before)
      if (!after.count(serial) && (old.parent == 0 || after.count(old.parent))) roots.push_back(serial);
    if (roots.size() > 1 || (subject && roots.size() == 1 && roots[0] != subject))
      what += " the wrong subtree went;";
  }
  if (changed > 1) what += " more than one object changed;";
  bool orderSame = CaptureOrder() == order;
  if (!orderSame && effect != Effect::kHierarchy && effect != Effect::kDelete)
    what += " the hierarchy's order changed;";
  return what.empty() ? "" : "the scene changed beyond the action's meaning:" + what;
}
