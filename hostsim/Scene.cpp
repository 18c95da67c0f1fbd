#include "Scene.h"

#include <algorithm>

namespace hostsim {

void Scene::Reset() {
  objects_.clear();
  base_ = nextSerial_;
  firstTop_ = lastTop_ = 0;
  aliveCount_ = 0;
  selection_.clear();
  current = 0;
}

HandleState Scene::StateOf(SobjHandle handle) const {
  Serial serial = SerialOf(handle);
  if (!Issued(serial)) return HandleState::kUnknown;
  if (serial < base_ || !objects_[serial - base_].alive) return HandleState::kDead;
  return HandleState::kAlive;
}

Object* Scene::Find(SobjHandle handle) {
  return StateOf(handle) == HandleState::kAlive ? &At(SerialOf(handle)) : nullptr;
}

Serial Scene::Create(Serial parent, const char* name, int type) {
  Serial serial = nextSerial_++;
  Object& object = objects_.emplace_back();
  object.name = name ? name : "";
  object.type = type;
  ++aliveCount_;
  Append(serial, parent);
  return serial;
}

void Scene::Detach(Serial serial) {
  Object& object = At(serial);
  Serial& first = object.parent ? At(object.parent).firstChild : firstTop_;
  Serial& last = object.parent ? At(object.parent).lastChild : lastTop_;
  (object.prev ? At(object.prev).next : first) = object.next;
  (object.next ? At(object.next).prev : last) = object.prev;
  object.parent = object.prev = object.next = 0;
}

void Scene::Append(Serial serial, Serial parent) {
  Object& object = At(serial);
  Serial& first = parent ? At(parent).firstChild : firstTop_;
  Serial& last = parent ? At(parent).lastChild : lastTop_;
  object.parent = parent;
  object.prev = last;
  object.next = 0;
  (last ? At(last).next : first) = serial;
  last = serial;
}

bool Scene::IsAncestorOrSelf(Serial candidate, Serial of) {
  for (Serial s = of; s; s = At(s).parent) {
    if (s == candidate) return true;
  }
  return false;
}

std::vector<Serial> Scene::SubtreeChildrenFirst(Serial root) {
  // A stack walk lists every parent before its children, later siblings first; reversed, children come
  // before their parent and siblings keep their order.
  std::vector<Serial> order, stack{root};
  while (!stack.empty()) {
    Serial s = stack.back();
    stack.pop_back();
    order.push_back(s);
    for (Serial c = At(s).firstChild; c; c = At(c).next) stack.push_back(c);
  }
  std::reverse(order.begin(), order.end());
  return order;
}

void Scene::Kill(Serial serial) {
  // Normally the children died first; whatever a callback attached meanwhile goes with its parent.
  for (Serial s : SubtreeChildrenFirst(serial)) {
    Detach(s);
    Object& object = At(s);
    if (object.selected) Mark(s, false);
    if (current == s) current = 0;
    object = Object{};
    object.alive = false;
    --aliveCount_;
  }
}

void Scene::Mark(Serial serial, bool selected) {
  Object& object = At(serial);
  if (object.selected == selected) return;
  object.selected = selected;
  if (selected) {
    selection_.push_back(serial);
  } else {
    selection_.erase(std::find(selection_.begin(), selection_.end(), serial));
  }
}

void Scene::ClearSelection() {
  for (Serial s : selection_) At(s).selected = false;
  selection_.clear();
}

}  // namespace hostsim
