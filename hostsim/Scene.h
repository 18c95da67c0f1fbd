// The in-memory scene: objects linked to parent, children and siblings so that every step of a walk is
// O(1), the selection and the current object. Pure data: notifications belong to HostActions.
#pragma once

#include <string>
#include <vector>

#include "Handles.h"

namespace hostsim {

struct Object {
  std::string name;
  int type = 0;
  Serial parent = 0, firstChild = 0, lastChild = 0, prev = 0, next = 0;
  bool alive = true;
  bool modelNode = true;
  bool visible = true;
  bool selectable = true;
  bool selected = false;
  bool animated = false;
  bool endlessMaterials = false;
  bool unterminatedName = false;
  SobjHandle nextOverride = nullptr;
  std::vector<int> materials;
};

enum class HandleState { kAlive, kDead, kUnknown };

class Scene {
 public:
  // Every object of the current scene dies; serials keep counting so no handle ever comes back.
  void Reset();

  HandleState StateOf(SobjHandle handle) const;
  // The live object behind a handle, null for null, dead and unknown handles.
  Object* Find(SobjHandle handle);
  Object& At(Serial serial) { return objects_[serial - base_]; }
  bool Alive(Serial serial) const {
    return serial >= base_ && serial < nextSerial_ && objects_[serial - base_].alive;
  }
  // Whether the serial was ever handed out (dead or alive), so the log can print it as #serial.
  bool Issued(Serial serial) const { return serial != 0 && serial < nextSerial_; }

  Serial Create(Serial parent, const char* name, int type);
  Serial FirstTopLevel() const { return firstTop_; }
  int AliveCount() const { return aliveCount_; }

  void Detach(Serial serial);
  // Appends as the last child of parent (0: the top level). The object must be detached.
  void Append(Serial serial, Serial parent);
  bool IsAncestorOrSelf(Serial candidate, Serial of);
  // The subtree of root, every child before its parent; iterative, so a deep chain cannot overflow.
  std::vector<Serial> SubtreeChildrenFirst(Serial root);
  // Detaches and kills the object with whatever children it still has, without any notification.
  void Kill(Serial serial);

  // Selection, in the order objects joined it.
  const std::vector<Serial>& Selection() const { return selection_; }
  void Mark(Serial serial, bool selected);
  void ClearSelection();
  Serial current = 0;

 private:
  std::vector<Object> objects_;  // index = serial - base_
  Serial base_ = 1;              // every serial below belongs to a scene that was reset
  Serial nextSerial_ = 1;
  Serial firstTop_ = 0, lastTop_ = 0;
  int aliveCount_ = 0;
  std::vector<Serial> selection_;
};

}  // namespace hostsim
