// The two prepared scenes: a small hand-made room that shows every kind of object the panel knows, and a
// generated one of any size for timing. Both replace the current scene.
#include <string>

#include "Host.h"
#include "SimControl.h"

namespace {

SobjHandle Add(SobjHandle parent, const char* name, int type) {
  return simCreateObject(parent, name, type);
}

template <int N>
SobjHandle AddPolyhedron(SobjHandle parent, const char* name, const int (&materials)[N]) {
  SobjHandle object = Add(parent, name, e_tsxPOLYH);
  simSetMaterials(object, materials, N);
  return object;
}

void Hide(SobjHandle object) {
  simUserSetVisible(object, 0);
}

void AddRoom() {
  SobjHandle room = Add(nullptr, "Room", e_tsxGROUP);
  AddPolyhedron(room, "Floor", {0});
  AddPolyhedron(room, "Walls", {0, 1, 3});
  SobjHandle furniture = Add(room, "Furniture", e_tsxGROUP);
  AddPolyhedron(furniture, "Table", {2, 10});
  SobjHandle chairs = Add(furniture, "Chair Group", e_tsxGROUP);
  AddPolyhedron(chairs, "Chair 1", {4});
  Hide(AddPolyhedron(chairs, "Chair 2", {4}));
  simSetAnimation(chairs, 1);
  SobjHandle lamp = Add(furniture, "Lamp", e_tsxLODGROUP);
  Add(lamp, "Lamp Shade", e_tsxMETABALL);
}

void AddRig() {
  SobjHandle rig = Add(nullptr, "Arm Rig", e_tsxROBOT);
  SobjHandle shoulder = Add(rig, "Shoulder", e_tsxJOINT);
  Add(shoulder, "Arm Skeleton", e_tsxSKELETON);
  simSetAnimation(rig, 1);
  simSetAnimation(shoulder, 1);
}

}  // namespace

extern "C" {

int __cdecl simBuildDemoScene(void) {
  simResetScene();
  simSetAnimation(Add(nullptr, "Camera 1", e_tsxCAMERA), 1);
  Add(nullptr, "Key Light", e_tsxLIGHT);
  Hide(Add(nullptr, "Fill Light", e_tsxLIGHT));
  Add(nullptr, "Camera Path", e_tsxPATH);
  AddRoom();
  AddRig();
  Add(nullptr, "Handrail Spline", e_tsxSPLINE);
  Add(nullptr, "Bend Lattice", e_tsxLATTICE);
  Add(nullptr, "Clay Head", e_tsxMETACLAY);
  Add(nullptr, "Vase", e_tsxNURBS);
  Hide(Add(nullptr, "Vase Profile", e_tsxNURBSCURVE));
  Add(nullptr, "Teapot Patch", e_tsxPATCH);
  Add(nullptr, "Pipe Sweep", e_tsxSWEEP);
  Add(nullptr, "Sound Marker", 105);
  // A helper the host keeps in the scene without a visibility state of its own.
  simSetModelNode(Add(nullptr, "Grid Helper", e_tsxSWEEP + 1), 0);
  return simObjectCount();
}

SobjHandle __cdecl simBuildGeneratedScene(int count, int groupSize) {
  static constexpr int kMemberTypes[] = {
      e_tsxCAMERA,  e_tsxLIGHT,    e_tsxPATH,  e_tsxJOINT, e_tsxSPLINE,     e_tsxSKELETON, e_tsxMETABALL,
      e_tsxLATTICE, e_tsxMETACLAY, e_tsxROBOT, e_tsxNURBS, e_tsxNURBSCURVE, e_tsxPATCH,    e_tsxSWEEP};
  static constexpr int kMaterials[] = {0, 1, 2};
  simResetScene();
  if (groupSize < 1) groupSize = 1;
  SobjHandle first = nullptr, group = nullptr;
  int member = 0;
  for (int made = 0; made < count; ++made) {
    if (made % groupSize == 0) {
      group = Add(nullptr, ("Group " + std::to_string(made / groupSize + 1)).c_str(), e_tsxGROUP);
      if (!first) first = group;
      continue;
    }
    ++member;
    bool polyhedron = member % 10 == 0;
    int type = polyhedron ? e_tsxPOLYH : kMemberTypes[member % std::size(kMemberTypes)];
    SobjHandle object = Add(group, ("Object " + std::to_string(member)).c_str(), type);
    if (polyhedron) simSetMaterials(object, kMaterials, 3);
    if (member % 7 == 0) Hide(object);
  }
  return first;
}

}  // extern "C"
