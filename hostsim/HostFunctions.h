// The host functions the simulator answers, as the call log, the failure injection and the violation
// texts name them. The argument signature says how a logged call prints: h handle, i integer, s text,
// c callback (printed as cb or null, since addresses differ from run to run).
#pragma once

#include <string_view>

namespace hostsim {

enum class Fn : unsigned char {
  kSceneGetFirstNode,
  kGNodeGetNext,
  kGNodeGetFirstChild,
  kGNodeGetName,
  kSobjGetType,
  kIsMNode,
  kMNodeIsVisible,
  kIsSelected,
  kIsSelectable,
  kIsGNodeInScene,
  kGetCurrentSelection,
  kPolyhGetNbrMaterials,
  kPolyhGetFirstMaterialIdx,
  kPolyhGetNextMaterialIdx,
  kSelectSobj,
  kGroupRemoveCurrobj,
  kGroupAtCurrobj,
  kGNodeSetName,
  kMNodeSetVisible,
  kMNodeSetInvisible,
  kSobjDelete,
  kGNodeDeleteScript,
  kGNodeDeleteScriptTree,
  kAViewRefresh,
  kAllViewsRefresh,
  kRegisterEventCallback,
  kSelectionChangedCB,
  kOnDestroyCB,
  kActiveTimeChangedCB,
  kCurrobjMoveCB,
  kAnimGetActiveTime,
  kGetMainViewHwnd,
  kForceLeftClick,
  kCount
};

constexpr int kFnCount = static_cast<int>(Fn::kCount);

struct FnInfo {
  const char* name;
  const char* signature;
};

const FnInfo& InfoOf(Fn fn);
// Fn::kCount when no host function has that name.
Fn FnNamed(std::string_view name);

}  // namespace hostsim
