// The host simulator's own control interface: what a test, a benchmark or the simulator application uses
// to play the host's part around the plug-in. Everything the plug-in itself calls is in plugin/TsxApi5.h.
//
// The simulator's choices where the host interface leaves the host's working open:
// - Handles are never reused. A handle whose object was deleted stays dead for the life of the process;
//   every tsx function checks its handle, and a dead or unknown handle passed anywhere but
//   tsxIsGNodeInScene makes the call return 0 (or null, or -1 for a material index, since 0 is a valid
//   one) and counts as a violation (simViolationCount).
// - tsxSelectSobj makes the object the only selected object and the current object, then calls every
//   registered selection callback before it returns. An object that is not selectable is refused (result
//   0, no change, no notification).
// - tsxGetCurrentSelection answers the earliest-selected object that is still selected. Deselecting the
//   current object makes that object current; deselecting all leaves no current object.
// - A null handle counts as an unknown one (a violation) everywhere but tsxIsGNodeInScene.
// - tsxGroupRemoveCurrobj moves the current object out of its group to the end of the top level; at the
//   top level it changes nothing.
// - tsxGroupAtCurrobj(obj) makes obj the last child of the current object. It refuses (no change, result
//   0) when obj is the current object or one of its ancestors, so the hierarchy never forms a cycle.
// - Deleting an object deletes its whole subtree, calls the destroy callbacks for each deleted object
//   (children first), and clears the selection (notifying the selection callbacks) if a deleted object
//   was selected.
// - tsxGNodeGetName writes at most the given maximum of characters, always followed by a zero.
// - Notifications are synchronous: a callback runs inside the host call that caused it.
#pragma once

#include <windows.h>

#include "TsxApi5.h"

extern "C" {

// The two host functions the plug-in looks up by name instead of importing them.
HWND __cdecl tsxGetMainViewHwnd(void);
// Deactivates the plug-in (its tsxDeactivate runs) when it is active; does nothing otherwise.
void __cdecl tsxForceLeftClick(int plugId);

// Scene building ---------------------------------------------------------------------------------------

// Empties the scene (objects become dead handles); registrations, log and failures are kept.
void __cdecl simResetScene(void);
// A new object appended as the last child of parent (null: the last top-level object). Visible,
// selectable, a model node, no animation, no materials. The name may be of any length.
SobjHandle __cdecl simCreateObject(SobjHandle parent, const char* name, int type);
void __cdecl simSetModelNode(SobjHandle object, int isModelNode);
void __cdecl simSetSelectable(SobjHandle object, int selectable);
void __cdecl simSetAnimation(SobjHandle object, int hasAnimation);
// The host material indices of a polyhedron, in walk order.
void __cdecl simSetMaterials(SobjHandle object, const int* indices, int count);
// A scene that uses every object type the panel knows, groups, hidden objects and multi-material
// polyhedra. Replaces the current scene. Returns the number of objects.
int __cdecl simBuildDemoScene(void);
// count objects in top-level groups of groupSize (each group object counts); a tenth of the members are
// polyhedra with three materials and every seventh member is hidden. Replaces the current scene. Returns
// the first top-level group.
SobjHandle __cdecl simBuildGeneratedScene(int count, int groupSize);

// The host's user -------------------------------------------------------------------------------------
// Each acts as the host does when its own user does it, notifications included.

void __cdecl simUserSelect(SobjHandle object);                      // the only selection, current object
void __cdecl simUserMarkSelected(SobjHandle object, int selected);  // adds to or removes from the selection
void __cdecl simUserDeselectAll(void);
SobjHandle __cdecl simUserCreate(SobjHandle parent, const char* name, int type);
void __cdecl simUserDelete(SobjHandle object);
void __cdecl simUserRename(SobjHandle object, const char* name);
void __cdecl simUserSetVisible(SobjHandle object, int visible);
// Moves object to the end of newParent's children (null: top level); refuses cycles. 1 when done.
int __cdecl simUserRegroup(SobjHandle object, SobjHandle newParent);

// Reading the scene without going through (or being logged as) the plug-in's calls ------------------------

int __cdecl simIsAlive(SobjHandle object);
int __cdecl simObjectCount(void);
SobjHandle __cdecl simGetParent(SobjHandle object);
SobjHandle __cdecl simGetCurrent(void);
// Copies the whole name (cut to bufferSize - 1); returns the full length, -1 for a dead handle.
int __cdecl simGetName(SobjHandle object, char* buffer, int bufferSize);
int __cdecl simIsVisible(SobjHandle object);
int __cdecl simHasAnimation(SobjHandle object);
// The stable serial number behind a handle (as the call log prints it: #serial).
int __cdecl simHandleSerial(SobjHandle object);
SobjHandle __cdecl simHandleFromSerial(int serial);
// The hierarchy as stored (no sibling override applies), for computing what a plug-in should show.
SobjHandle __cdecl simGetFirstTopLevel(void);
SobjHandle __cdecl simGetFirstChild(SobjHandle object);
SobjHandle __cdecl simGetNextSibling(SobjHandle object);
int __cdecl simGetType(SobjHandle object);
int __cdecl simIsModelNode(SobjHandle object);
int __cdecl simIsMarkedSelected(SobjHandle object);
// Copies up to capacity material indices in walk order; returns how many there are, -1 for a dead handle.
int __cdecl simGetMaterials(SobjHandle object, int* indices, int capacity);

// Call log --------------------------------------------------------------------------------------------
// Every tsx call, as "tsxSelectSobj(#12,0,0)": handles as #serial (#0 for null), texts in double quotes.

int __cdecl simLogCount(void);
// Entry index formatted into buffer; returns its full length, or -1 past the end.
int __cdecl simLogEntry(int index, char* buffer, int bufferSize);
void __cdecl simLogClear(void);
// How many calls of the named function the log holds.
int __cdecl simLogCountOf(const char* function);
// Turns logging of calls on or off (on at start); counts per function are kept either way.
void __cdecl simLogEnable(int enabled);

// Violations ------------------------------------------------------------------------------------------
// Dead or unknown handles, and host calls made inside a marked loader span.

int __cdecl simViolationCount(void);
// Text of the most recent violation.
int __cdecl simLastViolation(char* buffer, int bufferSize);
void __cdecl simResetViolations(void);
// The test host marks the span of its LoadLibrary and FreeLibrary calls; any tsx call inside is a violation.
void __cdecl simSetLoaderSpan(int inside);

// Failure injection -----------------------------------------------------------------------------------

// A host built by another compiler fails the way Windows carries failures between modules: as a
// structured exception raised inside the call, before the call has changed anything.
enum SimFailMode : int {
  SIM_FAIL_RESULT = 0,            // the call returns 0 / null / -1 for material indices, doing nothing
  SIM_FAIL_ACCESS_VIOLATION = 1,  // a real access violation (a write to an unmapped address)
  SIM_FAIL_FOREIGN = 2,           // RaiseException with SIM_FOREIGN_EXCEPTION_CODE, as another compiler's
                                  // C++ throw looks from outside
};
#define SIM_FOREIGN_EXCEPTION_CODE 0xE06D7363u
// The nth call (1-based, counted from now) of the named function fails. Several may be pending.
void __cdecl simFailCall(const char* function, int nth, int mode);
void __cdecl simClearFailures(void);

// A re-entrant host: every call that changes the scene (tsxGNodeSetName, tsxMNodeSetVisible and
// tsxMNodeSetInvisible, tsxSobjDelete, tsxGNodeDeleteScript and tsxGNodeDeleteScriptTree,
// tsxGroupRemoveCurrobj, tsxGroupAtCurrobj) calls the selection callbacks once more after its change,
// current object or not. Off at start.
void __cdecl simSetReentrant(int reentrant);

// Hostile answers, for robustness tests ---------------------------------------------------------------

// tsxGNodeGetNext(object) answers next instead of the real sibling (may form a cycle). Null cancels.
void __cdecl simOverrideNext(SobjHandle object, SobjHandle next);
// tsxPolyhGetNextMaterialIdx never answers -1 for this polyhedron: it cycles through its indices.
void __cdecl simSetEndlessMaterials(SobjHandle object, int endless);
// tsxGNodeGetName fills the buffer with this many non-zero bytes and writes no terminating zero.
void __cdecl simSetUnterminatedName(SobjHandle object, int unterminated);

// Views, plug-ins and notifications -------------------------------------------------------------------

void __cdecl simSetMainViewHwnd(HWND view);
int __cdecl simViewRefreshCount(void);  // tsxAViewRefresh and tsxAllViewsRefresh calls so far

// A loaded plug-in's exports, so that the simulator can act as the host around it.
struct SimPlugData {
  char title[32];
  char author[64];
  unsigned short bitmapId;
  unsigned short stringId;
};
// Registers the module under the plug-in id; 0 when an export is missing.
int __cdecl simRegisterPlugin(int plugId, HMODULE module);
// Drops the plug-in and every registration it made, as a host does when it unloads a plug-in.
void __cdecl simUnregisterPlugin(int plugId);
int __cdecl simPluginGetVersion(int plugId);
void __cdecl simPluginGetData(int plugId, SimPlugData* data);
int __cdecl simPluginLeftClick(int plugId);  // the plug-in is active while its last left click gave 1
void __cdecl simPluginRightClick(int plugId);
void __cdecl simPluginDeactivate(int plugId);
int __cdecl simPluginIsActive(int plugId);

// Registrations as the host holds them.
int __cdecl simHasSelectionCallback(int plugId);
int __cdecl simHasDestroyCallback(int plugId);
int __cdecl simHasActiveTimeCallback(int plugId);
int __cdecl simHasObjectMoveCallback(int plugId);
int __cdecl simEventCallbackCount(int category);

// Fires notifications on demand, exactly as the host would.
void __cdecl simFireSelectionChanged(void);
void __cdecl simFireObjectDestroy(SobjHandle object);
void __cdecl simFireActiveTimeChanged(float time);
void __cdecl simFireObjectMove(short value);
// Calls every callback registered for the category with a record whose leading code is given.
void __cdecl simFireEvent(int category, int code);

}  // extern "C"
