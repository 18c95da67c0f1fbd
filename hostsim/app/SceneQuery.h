// The scene as the host itself sees it. The host reads through the same functions the plug-in calls, with
// the call log paused, so that the log pane shows only what the plug-in asked.
#pragma once

#include <string>
#include <vector>

#include "SimControl.h"

struct SceneObject {
  SobjHandle handle = nullptr;
  int serial = 0;
  std::string name;
  int type = 0;
  bool visible = true;
  bool selected = false;
  std::vector<SceneObject> children;
};

std::vector<SceneObject> ReadScene();
// The first object of that name, depth first in scene order; null when there is none.
SobjHandle FindObject(const std::string& name);
std::string ObjectName(SobjHandle object);

// The host's words for object types, as the script language and the create box use them.
struct ObjectType {
  const char* word;
  int code;
};
const std::vector<ObjectType>& ObjectTypes();
// 0 for an unknown word; a plain number is taken as a type code.
int TypeFromWord(const std::string& word);
std::string WordForType(int type);
