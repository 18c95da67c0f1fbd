// The host's extension interface as this plug-in uses it: scene traversal, names, types, visibility,
// selection, grouping, deletion, animation removal, view refresh and event registration. Declared by us
// from what the plug-in needs; the host's library is "Tsxapi.dll" and every call is cdecl.
#pragma once

#include <windows.h>

extern "C" {

// A host scene object. Opaque: compared by identity only, never dereferenced by the plug-in.
typedef struct tsxSobjTag* SobjHandle;

// Object type codes the host reports (tsxSobjGetType). Polyhedra are the only type with materials.
enum : int {
  e_tsxCAMERA = 101,
  e_tsxLIGHT = 102,
  e_tsxPATH = 103,
  e_tsxJOINT = 104,
  e_tsxSPLINE = 106,
  e_tsxSKELETON = 107,
  e_tsxPOLYH = 201,
  e_tsxGROUP = 202,
  e_tsxMETABALL = 204,
  e_tsxLATTICE = 206,
  e_tsxMETACLAY = 207,
  e_tsxROBOT = 208,
  e_tsxLODGROUP = 210,
  e_tsxNURBS = 213,
  e_tsxNURBSCURVE = 214,
  e_tsxPATCH = 215,
  e_tsxSWEEP = 216,
};

// Event categories of tsxRegisterEventCallback.
enum : int { e_tsxEVENT_RENDER = 0, e_tsxEVENT_MOUSE = 1, e_tsxEVENT_VIEWMSG = 2, e_tsxEVENT_GENERAL = 3 };

// The host's event records. Only the leading event code is ours to rely on; the rest belongs to the host
// and is passed through untouched.
struct tsxEventRenderData {
  int code;
};
struct tsxEventMouseData {
  int code;
};
struct tsxEventGeneralData {
  int code;
};
struct tsxEventViewMsgData {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
// The host's transform record handed to the current-object-move callback.
struct CtsxTxmx3f {
  float matrix[3][4];
};

typedef int(__cdecl* tsxEventCallback)(int category, void* eventData);
typedef void(__cdecl* tsxSelectionChangedCallback)(void);
typedef void(__cdecl* tsxObjectDestroyCallback)(SobjHandle object);
typedef void(__cdecl* tsxActiveTimeChangedCallback)(void);
typedef void(__cdecl* tsxCurrobjMoveCallback)(CtsxTxmx3f* transform, short value);

// Reading the scene.
SobjHandle __cdecl tsxSceneGetFirstNode(void);
SobjHandle __cdecl tsxGNodeGetNext(SobjHandle object);
SobjHandle __cdecl tsxGNodeGetFirstChild(SobjHandle object);
char* __cdecl tsxGNodeGetName(SobjHandle object, char* buffer, int maxLength);
int __cdecl tsxSobjGetType(SobjHandle object);
int __cdecl tsxIsMNode(SobjHandle object);
int __cdecl tsxMNodeIsVisible(SobjHandle object);
int __cdecl tsxIsSelected(SobjHandle object);
int __cdecl tsxIsSelectable(SobjHandle object);
int __cdecl tsxIsGNodeInScene(SobjHandle object);
SobjHandle __cdecl tsxGetCurrentSelection(void);
int __cdecl tsxPolyhGetNbrMaterials(SobjHandle polyhedron);
int __cdecl tsxPolyhGetFirstMaterialIdx(SobjHandle polyhedron);
int __cdecl tsxPolyhGetNextMaterialIdx(SobjHandle polyhedron, int index);

// Changing the scene.
int __cdecl tsxSelectSobj(SobjHandle object, int unused, int flag);
int __cdecl tsxGroupRemoveCurrobj(void);
int __cdecl tsxGroupAtCurrobj(SobjHandle object);
int __cdecl tsxGNodeSetName(SobjHandle object, const char* name);
int __cdecl tsxMNodeSetVisible(SobjHandle object);
int __cdecl tsxMNodeSetInvisible(SobjHandle object);
int __cdecl tsxSobjDelete(SobjHandle object);
int __cdecl tsxGNodeDeleteScript(SobjHandle object);
int __cdecl tsxGNodeDeleteScriptTree(SobjHandle object);
void __cdecl tsxAViewRefresh(void);
void __cdecl tsxAllViewsRefresh(void);

// Events.
int __cdecl tsxRegisterEventCallback(int category, tsxEventCallback callback, int doRegister);
int __cdecl tsxSelectionChangedCB(int plugId, tsxSelectionChangedCallback callback);
int __cdecl tsxOnDestroyCB(int plugId, tsxObjectDestroyCallback callback);
int __cdecl tsxActiveTimeChangedCB(int plugId, tsxActiveTimeChangedCallback callback);
int __cdecl tsxCurrobjMoveCB(int plugId, tsxCurrobjMoveCallback callback);
float __cdecl tsxAnimGetActiveTime(void);

// Looked up by name at run time ("tsxGetMainViewHwnd", "tsxForceLeftClick"), never imported.
typedef HWND(__cdecl* tsxGetMainViewHwndProc)(void);
typedef void(__cdecl* tsxForceLeftClickProc)(int plugId);

}  // extern "C"
