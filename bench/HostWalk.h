// The floor of every rebuild: the host asked about every object exactly as the panel asks it (the same
// calls, in the same order, the same answers used), with no tree, no list and no window. Nothing the panel
// does can take less time than the host takes to answer this.
#pragma once

#include "TsxApi5.h"

// Walks the simulator's current scene; returns the number of objects met.
int BareHostWalk();
// The same walk with every call through the plug-in's host guard (HostCall): the difference is what the
// guard costs.
int GuardedHostWalk();
