#include "HostActions.h"

namespace hostsim {

void NotifySelection(Host& host) {
  host.notifier.selection.Fire();
}

void SelectOnly(Host& host, Serial serial) {
  host.scene.ClearSelection();
  host.scene.Mark(serial, true);
  host.scene.current = serial;
  NotifySelection(host);
}

void MarkSelected(Host& host, Serial serial, bool selected) {
  Scene& scene = host.scene;
  scene.Mark(serial, selected);
  // The current object follows the selection: it is the earliest selected object left, if any.
  if (selected && !scene.current) scene.current = serial;
  if (!selected && scene.current == serial)
    scene.current = scene.Selection().empty() ? 0 : scene.Selection()[0];
  NotifySelection(host);
}

void DeselectAll(Host& host) {
  host.scene.ClearSelection();
  host.scene.current = 0;
  NotifySelection(host);
}

void DeleteObject(Host& host, Serial serial) {
  Scene& scene = host.scene;
  bool selectionHit = false;
  for (Serial s : scene.SubtreeChildrenFirst(serial)) {
    // A destroy callback may delete what is still on the list, or reset the whole scene.
    if (!scene.Alive(s)) continue;
    host.notifier.destroy.Fire(HandleOf(s));
    if (!scene.Alive(s)) continue;
    selectionHit |= scene.At(s).selected;
    scene.Kill(s);
  }
  if (selectionHit) {
    scene.ClearSelection();
    scene.current = 0;
    NotifySelection(host);
  }
}

bool Regroup(Host& host, Serial serial, Serial newParent) {
  Scene& scene = host.scene;
  if (newParent && scene.IsAncestorOrSelf(serial, newParent)) return false;
  scene.Detach(serial);
  scene.Append(serial, newParent);
  return true;
}

}  // namespace hostsim
