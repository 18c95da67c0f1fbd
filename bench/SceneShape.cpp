#include "SceneShape.h"

#include <cstdio>

namespace {
void ReadList(SceneShape& shape, int parent, SobjHandle first) {
  for (SobjHandle object = first; object; object = tsxGNodeGetNext(object)) {
    char name[256] = {};
    tsxGNodeGetName(object, name, 255);
    int index = static_cast<int>(shape.items.size());
    shape.items.push_back({parent, name, object});
    ++shape.objects;
    if (tsxIsMNode(object) == 1) ++shape.modelNodes;
    size_t before = shape.items.size();
    ReadList(shape, index, tsxGNodeGetFirstChild(object));
    if (parent == 0) {
      shape.topLevel.push_back(object);
      std::vector<SobjHandle> children;
      for (size_t i = before; i < shape.items.size(); ++i)
        if (shape.items[i].parent == index && shape.items[i].object)
          children.push_back(shape.items[i].object);
      shape.middleChild.push_back(children.empty() ? nullptr : children[children.size() / 2]);
    }
    if (tsxSobjGetType(object) != e_tsxPOLYH) continue;
    ++shape.polyhedra;
    if (tsxPolyhGetNbrMaterials(object) < 2) continue;
    ++shape.listedPolyhedra;
    for (int material = tsxPolyhGetFirstMaterialIdx(object); material != -1;
         material = tsxPolyhGetNextMaterialIdx(object, material)) {
      char label[32];
      snprintf(label, sizeof label, "Material #%d", material);
      shape.items.push_back({index, label, nullptr});
      ++shape.materials;
    }
  }
}
}  // namespace

SceneShape ReadSceneShape() {
  SceneShape shape;
  shape.items.push_back({-1, "Scene", nullptr});
  ReadList(shape, 0, tsxSceneGetFirstNode());
  return shape;
}
