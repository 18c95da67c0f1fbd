// Selection and its notification: delivered from inside the host call that changed it, to callbacks that
// may call straight back into the host.
#include "SimFixture.h"

namespace {

struct Notices {
  int count = 0;
  SobjHandle seenSelection = nullptr;
  int seenIsSelected = -1;
  SobjHandle redirectTo = nullptr;  // a callback that moves the selection on once
  int withdrawPlug = 0;             // a callback that withdraws another plug-in's registration
};
Notices notices;

void __cdecl OnSelection() {
  ++notices.count;
  notices.seenSelection = tsxGetCurrentSelection();
  if (notices.seenSelection) notices.seenIsSelected = tsxIsSelected(notices.seenSelection);
  if (SobjHandle next = notices.redirectTo) {
    notices.redirectTo = nullptr;
    tsxSelectSobj(next, 0, 0);
  }
  if (notices.withdrawPlug) tsxSelectionChangedCB(notices.withdrawPlug, nullptr);
}

int secondPlugNotices = 0;
void __cdecl OnSelectionSecondPlug() {
  ++secondPlugNotices;
}

class Selection : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    notices = {};
    secondPlugNotices = 0;
    a = simCreateObject(nullptr, "A", e_tsxPOLYH);
    b = simCreateObject(nullptr, "B", e_tsxPOLYH);
    c = simCreateObject(nullptr, "C", e_tsxPOLYH);
    tsxSelectionChangedCB(1, OnSelection);
  }
  void TearDown() override {
    tsxSelectionChangedCB(1, nullptr);
    tsxSelectionChangedCB(2, nullptr);
  }
  SobjHandle a, b, c;
};

TEST_F(Selection, SelectSobjNotifiesBeforeReturningWithTheNewSelectionInPlace) {
  EXPECT_EQ(tsxSelectSobj(b, 0, 0), 1);
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(notices.seenSelection, b);
  EXPECT_EQ(notices.seenIsSelected, 1);
  EXPECT_EQ(simGetCurrent(), b);
}

TEST_F(Selection, SelectingMakesTheObjectTheOnlySelection) {
  simUserMarkSelected(a, 1);
  simUserMarkSelected(c, 1);
  tsxSelectSobj(b, 0, 0);
  EXPECT_EQ(tsxIsSelected(a), 0);
  EXPECT_EQ(tsxIsSelected(b), 1);
  EXPECT_EQ(tsxIsSelected(c), 0);
}

TEST_F(Selection, CurrentSelectionIsTheEarliestSelectedObjectLeft) {
  simUserMarkSelected(c, 1);
  simUserMarkSelected(a, 1);
  EXPECT_EQ(tsxGetCurrentSelection(), c);
  simUserMarkSelected(c, 0);
  EXPECT_EQ(tsxGetCurrentSelection(), a);
  EXPECT_EQ(simGetCurrent(), a);
  simUserDeselectAll();
  EXPECT_EQ(tsxGetCurrentSelection(), nullptr);
  EXPECT_EQ(notices.count, 4) << "every user selection change is announced";
}

TEST_F(Selection, CallbackMayMoveTheSelectionFromInsideTheNotification) {
  notices.redirectTo = c;
  tsxSelectSobj(a, 0, 0);
  EXPECT_EQ(notices.count, 2);
  EXPECT_EQ(tsxGetCurrentSelection(), c);
  EXPECT_EQ(tsxIsSelected(a), 0);
  EXPECT_EQ(simViolationCount(), 0);
}

TEST_F(Selection, CallbackWithdrawnDuringDeliveryIsNotCalled) {
  tsxSelectionChangedCB(2, OnSelectionSecondPlug);
  notices.withdrawPlug = 2;
  simUserSelect(a);
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(secondPlugNotices, 0);
  EXPECT_EQ(simHasSelectionCallback(2), 0);
}

TEST_F(Selection, UnselectableObjectIsRefusedWithoutNotice) {
  simSetSelectable(b, 0);
  EXPECT_EQ(tsxIsSelectable(b), 0);
  EXPECT_EQ(tsxSelectSobj(b, 0, 0), 0);
  EXPECT_EQ(tsxIsSelected(b), 0);
  EXPECT_EQ(notices.count, 0);
}

TEST_F(Selection, DeletingASelectedObjectClearsAndAnnouncesTheSelection) {
  SobjHandle child = simCreateObject(a, "A child", e_tsxPOLYH);
  simUserSelect(child);
  notices = {};
  tsxSobjDelete(a);
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(notices.seenSelection, nullptr);
  EXPECT_EQ(simGetCurrent(), nullptr);
}

TEST_F(Selection, DeletingAnUnselectedObjectLeavesTheSelectionAlone) {
  simUserSelect(b);
  notices = {};
  tsxSobjDelete(a);
  EXPECT_EQ(notices.count, 0);
  EXPECT_EQ(tsxGetCurrentSelection(), b);
}

TEST_F(Selection, WithdrawnCallbackHearsNothing) {
  tsxSelectionChangedCB(1, nullptr);
  EXPECT_EQ(simHasSelectionCallback(1), 0);
  simUserSelect(a);
  simFireSelectionChanged();
  EXPECT_EQ(notices.count, 0);
}

}  // namespace
