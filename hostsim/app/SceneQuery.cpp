#include "SceneQuery.h"

#include <cstdlib>

namespace {

class QuietLog {
 public:
  QuietLog() { simLogEnable(0); }
  ~QuietLog() { simLogEnable(1); }
  QuietLog(const QuietLog&) = delete;
  QuietLog& operator=(const QuietLog&) = delete;
};

// budget bounds the walk by the number of live objects, so that a sibling chain turned into a loop by a
// robustness test cannot hang the host.
void ReadSiblings(SobjHandle first, std::vector<SceneObject>& out, int& budget) {
  for (SobjHandle object = first; object && budget > 0; object = tsxGNodeGetNext(object)) {
    --budget;
    SceneObject entry;
    entry.handle = object;
    entry.serial = simHandleSerial(object);
    entry.name = ObjectName(object);
    entry.type = tsxSobjGetType(object);
    entry.visible = simIsVisible(object) != 0;
    entry.selected = tsxIsSelected(object) != 0;
    ReadSiblings(tsxGNodeGetFirstChild(object), entry.children, budget);
    out.push_back(std::move(entry));
  }
}

SobjHandle Find(const std::vector<SceneObject>& objects, const std::string& name) {
  for (const SceneObject& object : objects) {
    if (object.name == name) return object.handle;
    if (SobjHandle inside = Find(object.children, name)) return inside;
  }
  return nullptr;
}

}  // namespace

std::vector<SceneObject> ReadScene() {
  QuietLog quiet;
  std::vector<SceneObject> scene;
  int budget = simObjectCount();
  ReadSiblings(tsxSceneGetFirstNode(), scene, budget);
  return scene;
}

SobjHandle FindObject(const std::string& name) {
  return Find(ReadScene(), name);
}

std::string ObjectName(SobjHandle object) {
  char buffer[256];
  int length = simGetName(object, buffer, sizeof buffer);
  if (length < 0) return {};
  if (length < static_cast<int>(sizeof buffer)) return buffer;
  std::string name(length + 1, '\0');
  simGetName(object, name.data(), length + 1);
  name.resize(length);
  return name;
}

const std::vector<ObjectType>& ObjectTypes() {
  static const std::vector<ObjectType> types = {
      {"polyhedron", e_tsxPOLYH},  {"group", e_tsxGROUP},       {"camera", e_tsxCAMERA},
      {"light", e_tsxLIGHT},       {"path", e_tsxPATH},         {"joint", e_tsxJOINT},
      {"spline", e_tsxSPLINE},     {"skeleton", e_tsxSKELETON}, {"metaball", e_tsxMETABALL},
      {"lattice", e_tsxLATTICE},   {"metaclay", e_tsxMETACLAY}, {"robot", e_tsxROBOT},
      {"lodgroup", e_tsxLODGROUP}, {"nurbs", e_tsxNURBS},       {"nurbscurve", e_tsxNURBSCURVE},
      {"patch", e_tsxPATCH},       {"sweep", e_tsxSWEEP}};
  return types;
}

int TypeFromWord(const std::string& word) {
  for (const ObjectType& type : ObjectTypes())
    if (word == type.word) return type.code;
  char* end = nullptr;
  long code = std::strtol(word.c_str(), &end, 10);
  return !word.empty() && *end == '\0' ? static_cast<int>(code) : 0;
}

std::string WordForType(int type) {
  for (const ObjectType& entry : ObjectTypes())
    if (entry.code == type) return entry.word;
  return "type " + std::to_string(type);
}
