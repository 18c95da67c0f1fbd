#include "HostFunctions.h"

namespace hostsim {

namespace {

constexpr FnInfo kInfo[kFnCount] = {
    {"tsxSceneGetFirstNode", ""},
    {"tsxGNodeGetNext", "h"},
    {"tsxGNodeGetFirstChild", "h"},
    {"tsxGNodeGetName", "hi"},
    {"tsxSobjGetType", "h"},
    {"tsxIsMNode", "h"},
    {"tsxMNodeIsVisible", "h"},
    {"tsxIsSelected", "h"},
    {"tsxIsSelectable", "h"},
    {"tsxIsGNodeInScene", "h"},
    {"tsxGetCurrentSelection", ""},
    {"tsxPolyhGetNbrMaterials", "h"},
    {"tsxPolyhGetFirstMaterialIdx", "h"},
    {"tsxPolyhGetNextMaterialIdx", "hi"},
    {"tsxSelectSobj", "hii"},
    {"tsxGroupRemoveCurrobj", ""},
    {"tsxGroupAtCurrobj", "h"},
    {"tsxGNodeSetName", "hs"},
    {"tsxMNodeSetVisible", "h"},
    {"tsxMNodeSetInvisible", "h"},
    {"tsxSobjDelete", "h"},
    {"tsxGNodeDeleteScript", "h"},
    {"tsxGNodeDeleteScriptTree", "h"},
    {"tsxAViewRefresh", ""},
    {"tsxAllViewsRefresh", ""},
    {"tsxRegisterEventCallback", "ici"},
    {"tsxSelectionChangedCB", "ic"},
    {"tsxOnDestroyCB", "ic"},
    {"tsxActiveTimeChangedCB", "ic"},
    {"tsxCurrobjMoveCB", "ic"},
    {"tsxAnimGetActiveTime", ""},
    {"tsxGetMainViewHwnd", ""},
    {"tsxForceLeftClick", "i"},
};

}  // namespace

const FnInfo& InfoOf(Fn fn) {
  return kInfo[static_cast<int>(fn)];
}

Fn FnNamed(std::string_view name) {
  for (int i = 0; i < kFnCount; ++i) {
    if (name == kInfo[i].name) return static_cast<Fn>(i);
  }
  return Fn::kCount;
}

}  // namespace hostsim
