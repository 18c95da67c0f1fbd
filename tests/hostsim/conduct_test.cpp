// What the simulator records about the plug-in's conduct (the call log, violations) and the trouble it can
// make on purpose (injected failures, hostile answers), all through the real Tsxapi.dll.
#include <cstring>

#include "SehGuard.h"
#include "SimFixture.h"

namespace {

int __cdecl AnyEvent(int, void*) {
  return 0;
}
void __cdecl AnySelection() {}

class HostCallLog : public SimTest {};

TEST_F(HostCallLog, PrintsHandlesNumbersTextsAndCallbacksInCallOrder) {
  SobjHandle lamp = simCreateObject(nullptr, "Lamp", e_tsxLIGHT);
  std::string l = Serial(lamp);
  char buffer[256];
  tsxSelectSobj(lamp, 0, 1);
  tsxGNodeGetName(lamp, buffer, 255);
  tsxGNodeSetName(lamp, "Desk Lamp");
  tsxGNodeGetNext(lamp);
  tsxPolyhGetNextMaterialIdx(lamp, -1);
  tsxSelectionChangedCB(7, AnySelection);
  tsxSelectionChangedCB(7, nullptr);
  tsxRegisterEventCallback(3, AnyEvent, 1);
  tsxRegisterEventCallback(3, AnyEvent, 0);
  tsxForceLeftClick(7);
  tsxAllViewsRefresh();
  EXPECT_EQ(CallLog(),
            Texts({"tsxSelectSobj(" + l + ",0,1)", "tsxGNodeGetName(" + l + ",255)",
                   "tsxGNodeSetName(" + l + ",\"Desk Lamp\")", "tsxGNodeGetNext(" + l + ")",
                   "tsxPolyhGetNextMaterialIdx(" + l + ",-1)", "tsxSelectionChangedCB(7,cb)",
                   "tsxSelectionChangedCB(7,null)", "tsxRegisterEventCallback(3,cb,1)",
                   "tsxRegisterEventCallback(3,cb,0)", "tsxForceLeftClick(7)", "tsxAllViewsRefresh()"}));
}

TEST_F(HostCallLog, PrintsNullAsHashZeroAndForeignPointersInHex) {
  int local = 0;
  tsxGNodeGetFirstChild(nullptr);
  tsxGNodeGetFirstChild(reinterpret_cast<SobjHandle>(&local));
  Texts log = CallLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "tsxGNodeGetFirstChild(#0)");
  EXPECT_EQ(log[1].rfind("tsxGNodeGetFirstChild(0x", 0), 0u) << log[1];
}

TEST_F(HostCallLog, SimulatorCallsAreNotThePluginsAndAreNotLogged) {
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  simUserSelect(cube);
  simGetParent(cube);
  simFireSelectionChanged();
  EXPECT_EQ(simLogCount(), 0);
}

TEST_F(HostCallLog, EntryReportsItsFullLengthAndNothingPastTheEnd) {
  tsxAViewRefresh();
  char small[8];
  EXPECT_EQ(simLogEntry(0, small, sizeof small), static_cast<int>(std::strlen("tsxAViewRefresh()")));
  EXPECT_STREQ(small, "tsxAVie");
  EXPECT_EQ(simLogEntry(1, small, sizeof small), -1);
  EXPECT_EQ(simLogEntry(-1, small, sizeof small), -1);
}

TEST_F(HostCallLog, ClearEmptiesEntriesAndCounts) {
  tsxSceneGetFirstNode();
  tsxSceneGetFirstNode();
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 2);
  simLogClear();
  EXPECT_EQ(simLogCount(), 0);
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 0);
  EXPECT_EQ(simLogCountOf("noSuchFunction"), 0);
}

TEST_F(HostCallLog, DisabledLogStillCountsAndResumesWhenEnabled) {
  simLogEnable(0);
  tsxSceneGetFirstNode();
  simLogEnable(1);
  tsxGetCurrentSelection();
  EXPECT_EQ(CallLog(), Texts({"tsxGetCurrentSelection()"}));
  EXPECT_EQ(simLogCountOf("tsxSceneGetFirstNode"), 1);
}

class Violations : public SimTest {};

TEST_F(Violations, DeadUnknownAndNullHandlesAnswerNothingAndAreCounted) {
  SobjHandle gone = simCreateObject(nullptr, "Gone", e_tsxGROUP);
  simCreateObject(gone, "Child", e_tsxPOLYH);
  simUserDelete(gone);
  int local = 0;
  char buffer[16] = "untouched";
  EXPECT_EQ(tsxGNodeGetFirstChild(gone), nullptr);
  EXPECT_EQ(LastViolation(), "tsxGNodeGetFirstChild: dead handle " + Serial(gone));
  EXPECT_EQ(tsxGNodeGetName(gone, buffer, 15), nullptr);
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(tsxSobjDelete(reinterpret_cast<SobjHandle>(&local)), 0);
  EXPECT_EQ(LastViolation().rfind("tsxSobjDelete: unknown handle 0x", 0), 0u) << LastViolation();
  EXPECT_EQ(tsxSelectSobj(nullptr, 0, 0), 0);
  EXPECT_EQ(LastViolation(), "tsxSelectSobj: null handle #0");
  EXPECT_EQ(tsxIsGNodeInScene(gone), 0);
  EXPECT_EQ(simViolationCount(), 4);
  simResetViolations();
  EXPECT_EQ(simViolationCount(), 0);
  EXPECT_EQ(LastViolation(), "");
}

TEST_F(Violations, EveryHostCallInsideTheLoaderSpanCounts) {
  simSetLoaderSpan(1);
  tsxSceneGetFirstNode();
  tsxAnimGetActiveTime();
  simSetLoaderSpan(0);
  tsxSceneGetFirstNode();
  EXPECT_EQ(simViolationCount(), 2);
  EXPECT_EQ(LastViolation(), "tsxAnimGetActiveTime: called inside the loader span");
}

class FailureInjection : public SimTest {};

TEST_F(FailureInjection, OnlyTheNthCallFromNowFails) {
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  tsxSobjGetType(cube);
  simFailCall("tsxSobjGetType", 2, SIM_FAIL_RESULT);
  EXPECT_EQ(tsxSobjGetType(cube), e_tsxPOLYH);
  EXPECT_EQ(tsxSobjGetType(cube), 0);
  EXPECT_EQ(tsxSobjGetType(cube), e_tsxPOLYH);
  EXPECT_EQ(simLogCountOf("tsxSobjGetType"), 4) << "a failed call is still a call";
  EXPECT_EQ(simViolationCount(), 0);
}

TEST_F(FailureInjection, FailedChangesChangeNothing) {
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  const int materials[] = {5, 6};
  simSetMaterials(cube, materials, 2);
  simFailCall("tsxSobjDelete", 1, SIM_FAIL_RESULT);
  simFailCall("tsxGNodeSetName", 1, SIM_FAIL_RESULT);
  simFailCall("tsxSelectSobj", 1, SIM_FAIL_RESULT);
  simFailCall("tsxPolyhGetFirstMaterialIdx", 1, SIM_FAIL_RESULT);
  EXPECT_EQ(tsxSobjDelete(cube), 0);
  EXPECT_EQ(tsxGNodeSetName(cube, "Renamed"), 0);
  EXPECT_EQ(tsxSelectSobj(cube, 0, 0), 0);
  EXPECT_EQ(tsxPolyhGetFirstMaterialIdx(cube), -1);
  EXPECT_EQ(simIsAlive(cube), 1);
  EXPECT_EQ(Name(cube), "Cube");
  EXPECT_EQ(tsxIsSelected(cube), 0);
  EXPECT_EQ(tsxPolyhGetFirstMaterialIdx(cube), 5);
}

TEST_F(FailureInjection, ClearedOrUnknownFailuresNeverFire) {
  simFailCall("tsxSceneGetFirstNode", 1, SIM_FAIL_RESULT);
  simFailCall("tsxNoSuchFunction", 1, SIM_FAIL_RESULT);
  simClearFailures();
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  EXPECT_EQ(tsxSceneGetFirstNode(), cube);
}

// The code a raised failure reaches the caller with, caught by a frame of the caller's own.
DWORD RaisedBy(void (*call)()) {
  return CallWithSehFrame([](void* c) { reinterpret_cast<void (*)()>(c)(); }, reinterpret_cast<void*>(call));
}

SobjHandle cube = nullptr;

TEST_F(FailureInjection, RaisedFailuresAreStructuredExceptionsThatChangeNothing) {
  cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  simFailCall("tsxSobjDelete", 1, SIM_FAIL_ACCESS_VIOLATION);
  simFailCall("tsxGNodeSetName", 1, SIM_FAIL_FOREIGN);
  EXPECT_EQ(RaisedBy([] { tsxSobjDelete(cube); }), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  EXPECT_EQ(RaisedBy([] { tsxGNodeSetName(cube, "Renamed"); }), SIM_FOREIGN_EXCEPTION_CODE);
  EXPECT_EQ(simIsAlive(cube), 1);
  EXPECT_EQ(Name(cube), "Cube");
  EXPECT_EQ(RaisedBy([] { tsxSobjDelete(cube); }), 0u) << "only the nth call fails";
  EXPECT_EQ(simViolationCount(), 0);
}

SobjHandle askedFor = nullptr;
void __cdecl NameInsideNotification() {
  char buffer[64];
  tsxGNodeGetName(tsxGetCurrentSelection(), buffer, 63);
  askedFor = tsxGetCurrentSelection();
}

TEST_F(FailureInjection, FailureRaisedInsideANotificationLeavesTheHostUsable) {
  SobjHandle a = simCreateObject(nullptr, "A", e_tsxPOLYH);
  cube = simCreateObject(nullptr, "B", e_tsxPOLYH);
  tsxSelectionChangedCB(9, NameInsideNotification);
  simFailCall("tsxGNodeGetName", 1, SIM_FAIL_ACCESS_VIOLATION);
  static SobjHandle first;
  first = a;
  EXPECT_EQ(RaisedBy([] { tsxSelectSobj(first, 0, 0); }), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  EXPECT_EQ(simGetCurrent(), a) << "the selection was made before the notification";
  tsxSelectSobj(cube, 0, 0);
  EXPECT_EQ(askedFor, cube);
  tsxSelectionChangedCB(9, nullptr);
}

int notified = 0;
SobjHandle currentWhenNotified = nullptr;
void __cdecl CountNotification() {
  ++notified;
  currentWhenNotified = tsxGetCurrentSelection();
}

TEST_F(FailureInjection, AReentrantHostNotifiesAfterEveryChangeEvenWithoutACurrentObject) {
  SobjHandle group = simCreateObject(nullptr, "Group", e_tsxGROUP);
  SobjHandle member = simCreateObject(group, "Member", e_tsxPOLYH);
  tsxSelectionChangedCB(9, CountNotification);
  simSetReentrant(1);
  notified = 0;
  tsxGNodeSetName(member, "Renamed");
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(currentWhenNotified, nullptr);
  EXPECT_EQ(Name(member), "Renamed") << "the change is made before the notification";
  tsxMNodeSetInvisible(member);
  tsxMNodeSetVisible(member);
  tsxGNodeDeleteScript(member);
  tsxGNodeDeleteScriptTree(group);
  tsxGroupAtCurrobj(member);
  tsxGroupRemoveCurrobj();
  tsxSobjDelete(member);
  EXPECT_EQ(notified, 8);
  simSetReentrant(0);
  tsxSobjDelete(group);
  EXPECT_EQ(notified, 8);
  tsxSelectionChangedCB(9, nullptr);
}

class HostileAnswers : public SimTest {};

TEST_F(HostileAnswers, OverriddenNextCanFormACycleUntilCancelled) {
  SobjHandle a = simCreateObject(nullptr, "A", e_tsxPOLYH);
  SobjHandle b = simCreateObject(nullptr, "B", e_tsxPOLYH);
  simOverrideNext(b, a);
  EXPECT_EQ(tsxGNodeGetNext(a), b);
  EXPECT_EQ(tsxGNodeGetNext(b), a);
  simOverrideNext(b, nullptr);
  EXPECT_EQ(tsxGNodeGetNext(b), nullptr);
}

TEST_F(HostileAnswers, EndlessMaterialsNeverEnd) {
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  const int materials[] = {3, 8};
  simSetMaterials(cube, materials, 2);
  simSetEndlessMaterials(cube, 1);
  EXPECT_EQ(tsxPolyhGetNextMaterialIdx(cube, 8), 3);
  simSetEndlessMaterials(cube, 0);
  EXPECT_EQ(tsxPolyhGetNextMaterialIdx(cube, 8), -1);
}

TEST_F(HostileAnswers, UnterminatedNameFillsExactlyTheMaximum) {
  SobjHandle cube = simCreateObject(nullptr, "Cube", e_tsxPOLYH);
  simSetUnterminatedName(cube, 1);
  char buffer[12];
  std::memset(buffer, 'x', sizeof buffer);
  tsxGNodeGetName(cube, buffer, 10);
  EXPECT_EQ(std::string(buffer, 11), "CubeCubeCux");
}

}  // namespace
