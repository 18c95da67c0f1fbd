// What the host does to its scene, notifications included, whether the plug-in asked (tsx functions) or
// the host's own user did it (sim functions). Every notification is delivered before the action returns.
#pragma once

#include "Host.h"

namespace hostsim {

void NotifySelection(Host& host);
// The object becomes the only selected object and the current object.
void SelectOnly(Host& host, Serial serial);
void MarkSelected(Host& host, Serial serial, bool selected);
void DeselectAll(Host& host);
// The whole subtree goes, children first, each announced to the destroy callbacks while still readable;
// a selection that held any of it is cleared and announced.
void DeleteObject(Host& host, Serial serial);
// Moves the object to the end of newParent's children (0: the top level). Refuses (false) when newParent
// is the object or lies inside it, so the hierarchy never forms a cycle.
bool Regroup(Host& host, Serial serial, Serial newParent);

}  // namespace hostsim
