// Shut-down, destruction and take-over: no host callback may reach a component that is gone, or a form
// that is going.
#include "EventsFixture.h"

namespace {

using Lifetime = EventsTest;

TEST_F(Lifetime, NothingIsRaisedOnceTheLibraryIsShuttingDown) {
  int calls = 0;
  events->OnSelectionChanged = [&] { ++calls; };
  events->OnSceneClose = [&] { ++calls; };
  events->OnObjectDestroy = [&](SobjHandle) { ++calls; };
  events->OnActiveTimeChanged = [&](float) { ++calls; };
  events->OnObjectMove = [&](const CtsxTxmx3f&, short) { ++calls; };
  Activate(kAllEvents);
  PlugShuttingDown = true;
  simFireSelectionChanged();
  simFireEvent(e_tsxEVENT_GENERAL, 2);
  simFireObjectDestroy(simCreateObject(nullptr, "Cube", e_tsxPOLYH));
  simFireActiveTimeChanged(3.0f);
  simFireObjectMove(1);
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(CallLog().empty()) << "the host is left alone";
}

TEST_F(Lifetime, DestroyedWhileActiveWithdrawsAllEight) {
  Activate({peSelect, peGeneral});
  events.reset();
  EXPECT_EQ(CallLog(), Withdrawals(kId));
  EXPECT_EQ(simHasSelectionCallback(kId), 0);
  EXPECT_EQ(simEventCallbackCount(e_tsxEVENT_GENERAL), 0);
}

TEST_F(Lifetime, DestroyedInactiveOrDuringShutDownMakesNoHostCall) {
  events.reset();
  EXPECT_TRUE(CallLog().empty());

  events = std::make_unique<TTsxEvents>(nullptr);
  Activate({peSelect});
  PlugShuttingDown = true;
  events.reset();
  EXPECT_TRUE(CallLog().empty());
  EXPECT_EQ(simHasSelectionCallback(kId), 1) << "registrations stay with the host at shut-down";
  EXPECT_EQ(EventTarget, nullptr);
  EXPECT_FALSE(Snapshot.selectionChanged);
}

TEST_F(Lifetime, RegistrationsLeftBehindNeverReachTheDestroyedComponent) {
  int calls = 0;
  events->OnSelectionChanged = [&] { ++calls; };
  events->OnSceneClose = [&] { ++calls; };
  Activate({peSelect, peGeneral});
  // The host refuses the withdrawals, so both callbacks stay registered past the component's end.
  simFailCall("tsxSelectionChangedCB", 1, SIM_FAIL_RESULT);
  simFailCall("tsxRegisterEventCallback", 1, SIM_FAIL_RESULT);
  events.reset();
  ASSERT_EQ(simHasSelectionCallback(kId), 1);
  ASSERT_EQ(simEventCallbackCount(e_tsxEVENT_GENERAL), 1);
  simFireSelectionChanged();
  simFireEvent(e_tsxEVENT_GENERAL, 2);
  EXPECT_EQ(calls, 0);
}

// A sibling whose teardown makes the host notify, while the form that owns both is being destroyed.
class NotifiesWhenDestroyed : public TComponent {
 public:
  using TComponent::TComponent;
  ~NotifiesWhenDestroyed() override {
    simFireEvent(e_tsxEVENT_GENERAL, 2);
    simFireSelectionChanged();
  }
};

TEST_F(Lifetime, AFormTearingDownGetsNoMoreEvents) {
  auto form = std::make_unique<TComponent>(nullptr);
  auto* owned = new TTsxEvents(form.get());
  new NotifiesWhenDestroyed(form.get());
  int calls = 0;
  owned->OnSceneClose = [&] { ++calls; };
  owned->OnSelectionChanged = [&] { ++calls; };
  owned->SetEvents({peGeneral, peSelect});
  owned->SetActive(true);
  simFireEvent(e_tsxEVENT_GENERAL, 2);
  ASSERT_EQ(calls, 1);
  form.reset();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(simHasSelectionCallback(kId), 0);
}

TEST_F(Lifetime, TheLastActivatedTakesOverAndKeepsItsRegistrationsWhenTheFirstGoes) {
  auto later = std::make_unique<TTsxEvents>(nullptr);
  Texts got;
  events->OnSceneNew = [&] { got.push_back("first"); };
  later->OnSceneNew = [&] { got.push_back("later"); };
  Activate({peGeneral});
  later->SetEvents({peGeneral});
  later->SetActive(true);
  simLogClear();
  events.reset();
  EXPECT_TRUE(CallLog().empty()) << "the registrations are the successor's now";
  simFireEvent(e_tsxEVENT_GENERAL, 3);
  EXPECT_EQ(got, Texts{"later"});
  later.reset();
  EXPECT_EQ(simEventCallbackCount(e_tsxEVENT_GENERAL), 0);
}

}  // namespace
