// The simulator acting as host around a real plug-in module: entry points, activation, tsxForceLeftClick,
// notifications and unloading.
#include "SimFixture.h"

namespace {

constexpr int kPlugId = 12;

class HostedPlugin : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    module = LoadLibraryA("hostsim_testplug.tsx");
    ASSERT_NE(module, nullptr);
    setup = Proc<void(__cdecl*)(int, int)>("testPlugSetup");
    deactivations = Proc<int(__cdecl*)()>("testPlugDeactivations");
    selectionNotices = Proc<int(__cdecl*)()>("testPlugSelectionNotices");
    lastEventCode = Proc<int(__cdecl*)()>("testPlugLastEventCode");
    setup(1, 0);
    ASSERT_EQ(simRegisterPlugin(kPlugId, module), 1);
    simPluginGetData(kPlugId, &data);
  }
  void TearDown() override {
    simUnregisterPlugin(kPlugId);
    if (module) FreeLibrary(module);
  }
  template <class P>
  P Proc(const char* name) {
    return reinterpret_cast<P>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }

  HMODULE module = nullptr;
  SimPlugData data{};
  void(__cdecl* setup)(int, int);
  int(__cdecl* deactivations)();
  int(__cdecl* selectionNotices)();
  int(__cdecl* lastEventCode)();
};

TEST_F(HostedPlugin, ModuleWithoutTheEntryPointsIsRefused) {
  EXPECT_EQ(simRegisterPlugin(kPlugId + 1, GetModuleHandleA("kernel32.dll")), 0);
  EXPECT_EQ(simPluginGetVersion(kPlugId + 1), 0);
}

TEST_F(HostedPlugin, AnswersVersionAndDataAndRegistersUnderItsId) {
  EXPECT_EQ(simPluginGetVersion(kPlugId), 500);
  EXPECT_STREQ(data.title, "Test Plug");
  EXPECT_STREQ(data.author, "Quillon tests");
  EXPECT_EQ(data.bitmapId, 100);
  EXPECT_EQ(simHasSelectionCallback(kPlugId), 1);
  EXPECT_EQ(simEventCallbackCount(e_tsxEVENT_GENERAL), 1);
}

TEST_F(HostedPlugin, LeftClickAnsweringOneActivates) {
  EXPECT_EQ(simPluginLeftClick(kPlugId), 1);
  EXPECT_EQ(simPluginIsActive(kPlugId), 1);
  setup(0, 0);
  EXPECT_EQ(simPluginLeftClick(kPlugId), 0);
  EXPECT_EQ(simPluginIsActive(kPlugId), 0);
}

TEST_F(HostedPlugin, ForceLeftClickDeactivatesAnActivePluginOnce) {
  simPluginLeftClick(kPlugId);
  tsxForceLeftClick(kPlugId);
  EXPECT_EQ(deactivations(), 1);
  EXPECT_EQ(simPluginIsActive(kPlugId), 0);
  tsxForceLeftClick(kPlugId);
  tsxForceLeftClick(kPlugId + 5);
  EXPECT_EQ(deactivations(), 1) << "an inactive or unknown plug-in is left alone";
}

TEST_F(HostedPlugin, ForceLeftClickFromInsideDeactivationDoesNotComeBackRound) {
  setup(1, 1);
  simPluginLeftClick(kPlugId);
  tsxForceLeftClick(kPlugId);
  EXPECT_EQ(deactivations(), 1);
  EXPECT_EQ(simLogCountOf("tsxForceLeftClick"), 2);
}

TEST_F(HostedPlugin, ReceivesSelectionAndGeneralEvents) {
  simUserSelect(simCreateObject(nullptr, "Cube", e_tsxPOLYH));
  simFireEvent(e_tsxEVENT_GENERAL, 3);
  EXPECT_EQ(selectionNotices(), 1);
  EXPECT_EQ(lastEventCode(), 3);
}

TEST_F(HostedPlugin, UnregisteringDropsEveryRegistrationItMade) {
  simPluginLeftClick(kPlugId);
  simUnregisterPlugin(kPlugId);
  EXPECT_EQ(simHasSelectionCallback(kPlugId), 0);
  EXPECT_EQ(simEventCallbackCount(e_tsxEVENT_GENERAL), 0);
  simUserSelect(simCreateObject(nullptr, "Cube", e_tsxPOLYH));
  tsxForceLeftClick(kPlugId);
  EXPECT_EQ(selectionNotices(), 0);
  EXPECT_EQ(deactivations(), 0);
}

class HostViews : public SimTest {};

TEST_F(HostViews, MainViewAndRefreshesAreTheHosts) {
  HWND view =
      CreateWindowExA(0, "STATIC", "view", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  simSetMainViewHwnd(view);
  EXPECT_EQ(tsxGetMainViewHwnd(), view);
  int before = simViewRefreshCount();
  tsxAViewRefresh();
  tsxAllViewsRefresh();
  EXPECT_EQ(simViewRefreshCount(), before + 2);
  simSetMainViewHwnd(nullptr);
  DestroyWindow(view);
}

class HostNotifications : public SimTest {};

float timeSeen = -1;
void __cdecl OnTime() {
  timeSeen = tsxAnimGetActiveTime();
}
short moveSeen = 0;
float moveScale = 0;
void __cdecl OnMove(CtsxTxmx3f* transform, short value) {
  moveSeen = value;
  moveScale = transform->matrix[0][0];
}

TEST_F(HostNotifications, ActiveTimeAndObjectMoveReachTheirCallbacks) {
  tsxActiveTimeChangedCB(3, OnTime);
  tsxCurrobjMoveCB(3, OnMove);
  simFireActiveTimeChanged(2.5f);
  simFireObjectMove(-7);
  tsxActiveTimeChangedCB(3, nullptr);
  tsxCurrobjMoveCB(3, nullptr);
  EXPECT_EQ(timeSeen, 2.5f);
  EXPECT_EQ(moveSeen, -7);
  EXPECT_EQ(moveScale, 1.0f);
  EXPECT_EQ(simHasActiveTimeCallback(3), 0);
  EXPECT_EQ(simHasObjectMoveCallback(3), 0);
}

}  // namespace
