// Which host registrations the subscription makes and withdraws, and in what order.
#include "EventsFixture.h"

namespace {

using Subscription = EventsTest;

TEST_F(Subscription, EventKindsOccupyOneBitEachInDeclarationOrder) {
  EXPECT_EQ(TPlugEvents({peRender}).Bits(), 0x01);
  EXPECT_EQ(TPlugEvents({peGeneral, peSelect}).Bits(), 0x18);
  EXPECT_EQ(TPlugEvents({peObjectMove}).Bits(), 0x80);
  EXPECT_EQ(TPlugEvents(kAllEvents).Exclude(peMouse).Bits(), 0xFD);
}

TEST_F(Subscription, StartsInactiveAndActivatingTwiceRegistersOnce) {
  EXPECT_FALSE(events->Active());
  EXPECT_TRUE(events->Events().Empty());
  events->SetEvents({peSelect});
  events->SetActive(true);
  events->SetActive(true);
  EXPECT_TRUE(events->Active());
  EXPECT_EQ(CallLog(), Texts{"tsxSelectionChangedCB(7,cb)"});
  EXPECT_EQ(simHasSelectionCallback(kId), 1);
}

TEST_F(Subscription, ActivatingAgainUnderANewIdDoesNotReRegister) {
  Activate({peSelect});
  PlugId = kId + 1;
  events->SetActive(true);
  EXPECT_TRUE(CallLog().empty());
  EXPECT_EQ(simHasSelectionCallback(kId + 1), 0);
}

TEST_F(Subscription, DeactivatingWithdrawsAllEightInOrderWhateverWasRegistered) {
  Activate({peSelect});
  events->SetActive(false);
  EXPECT_FALSE(events->Active());
  EXPECT_EQ(CallLog(), Withdrawals(kId));
  EXPECT_EQ(simHasSelectionCallback(kId), 0);

  simLogClear();
  events->SetActive(false);
  EXPECT_TRUE(CallLog().empty()) << "an inactive subscription has nothing to withdraw";
}

TEST_F(Subscription, EveryKindRegistersInTheHostsOrder) {
  events->SetEvents(kAllEvents);
  events->SetActive(true);
  EXPECT_EQ(CallLog(), (Texts{"tsxSelectionChangedCB(7,cb)", "tsxOnDestroyCB(7,cb)",
                              "tsxActiveTimeChangedCB(7,cb)", "tsxCurrobjMoveCB(7,cb)",
                              "tsxRegisterEventCallback(3,cb,1)", "tsxRegisterEventCallback(0,cb,1)",
                              "tsxRegisterEventCallback(1,cb,1)", "tsxRegisterEventCallback(2,cb,1)"}));
  for (int category = 0; category < 4; ++category) EXPECT_EQ(simEventCallbackCount(category), 1);
}

TEST_F(Subscription, ChangingEventsWhileInactiveOnlyStoresThem) {
  events->SetEvents({peRender, peActiveTime});
  EXPECT_EQ(events->Events(), TPlugEvents({peActiveTime, peRender}));
  EXPECT_TRUE(CallLog().empty());
}

TEST_F(Subscription, ChangingEventsWhileActiveReplacesTheRegistrations) {
  Activate({peSelect});
  events->SetEvents({peGeneral, peDestroyObject});
  Texts expected = Withdrawals(kId);
  expected.push_back("tsxOnDestroyCB(7,cb)");
  expected.push_back("tsxRegisterEventCallback(3,cb,1)");
  EXPECT_EQ(CallLog(), expected);
  EXPECT_TRUE(events->Active());
  EXPECT_EQ(simHasSelectionCallback(kId), 0);
  EXPECT_EQ(simHasDestroyCallback(kId), 1);
  EXPECT_EQ(simEventCallbackCount(e_tsxEVENT_GENERAL), 1);
}

}  // namespace
